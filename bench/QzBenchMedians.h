// QzBenchMedians.h: what the benchmarks that print ratio tables share:
// repeated runs interleaved at random, and a reporter that keeps each
// benchmark's median CPU time for the table printed at the end.
#ifndef QZCORE_BENCH_QZBENCHMEDIANS_H
#define QZCORE_BENCH_QZBENCHMEDIANS_H

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace qzbench {

// Unless the command line says otherwise: `repetitions` runs of each
// benchmark, interleaved at random so that both sides of a ratio see the
// same machine, and only their aggregates printed. False on an argument
// Google Benchmark does not know.
inline bool InitializeRepeated(int argc, char** argv, int repetitions)
{
    static std::string flags[] = {"--benchmark_repetitions=" + std::to_string(repetitions),
                                  "--benchmark_enable_random_interleaving=true",
                                  "--benchmark_report_aggregates_only=true"};
    std::vector<char*> args(argv, argv + argc);
    args.insert(args.begin() + 1, {flags[0].data(), flags[1].data(), flags[2].data()});
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    return !benchmark::ReportUnrecognizedArguments(count, args.data());
}

// Prints as usual and keeps each benchmark's CPU time per iteration, in the
// benchmark's own unit: the median of the repetitions (which shrugs off a
// busy neighbour), or the one run when there are no repetitions.
class CMedianReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(std::vector<Run> const& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (Run const& run : runs)
        {
            bool const median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (median || run.run_type == Run::RT_Iteration)
                m_times[run.run_name.function_name + "/" + run.run_name.args] = run.GetAdjustedCPUTime();
        }
    }

    // Keyed "function/arguments" ("Qz_Normalize/" without arguments); 0
    // when the benchmark did not run.
    double Time(std::string const& name) const
    {
        auto const found = m_times.find(name);
        return found == m_times.end() ? 0.0 : found->second;
    }

private:
    std::map<std::string, double> m_times;
};

} // namespace qzbench

#endif // QZCORE_BENCH_QZBENCHMEDIANS_H
