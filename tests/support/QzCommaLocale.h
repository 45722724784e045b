// QzCommaLocale.h: switches the whole process to a locale whose decimal
// point is a comma (German), as a game with a German UI would, for the tests
// that conversions ignore it. Where the system has no such locale installed
// it is compiled with localedef into a temporary directory.
#ifndef QZCORE_TESTS_QZCOMMALOCALE_H
#define QZCORE_TESTS_QZCOMMALOCALE_H

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include <locale.h>

namespace qztest {

class CCommaDecimalLocale
{
public:
    CCommaDecimalLocale()
    {
        locale_t const probe = ::newlocale(LC_ALL_MASK, kName, (locale_t)0);
        if (probe != (locale_t)0)
            ::freelocale(probe);
        else
            Compile();
        char text[8];
        if (m_failure.empty() && std::setlocale(LC_ALL, kName) == nullptr)
            m_failure = std::string("setlocale(LC_ALL, \"") + kName + "\") failed";
        else if (m_failure.empty() && std::snprintf(text, sizeof text, "%.1f", 1.5) > 0 && std::string(text) != "1,5")
            m_failure = std::string("the locale prints 1.5 as ") + text;
    }
    ~CCommaDecimalLocale()
    {
        std::setlocale(LC_ALL, "C");
        std::error_code ignored;
        if (!m_directory.empty() && ::unsetenv("LOCPATH") == 0)
            std::filesystem::remove_all(m_directory, ignored);
    }
    CCommaDecimalLocale(CCommaDecimalLocale const&) = delete;
    CCommaDecimalLocale& operator=(CCommaDecimalLocale const&) = delete;

    // Empty when the process now converts with a comma; else what went wrong.
    std::string const& Failure() const { return m_failure; }

private:
    static constexpr char const* kName = "de_DE.UTF-8";

    // localedef -i de_DE -f UTF-8 <dir>/de_DE.UTF-8, then LOCPATH=<dir>; setlocale
    // loads it (newlocale is not asked again, as it leaks its copy of LOCPATH)
    void Compile()
    {
        m_directory = std::filesystem::temp_directory_path() / ("qzlocale-" + std::to_string(std::random_device()()));
        std::error_code error;
        std::filesystem::create_directories(m_directory, error);
        std::string const command = "localedef -i de_DE -f UTF-8 '" + (m_directory / kName).string() + "' 2>&1";
        if (error || std::system(command.c_str()) != 0)
            m_failure = "no " + std::string(kName) + " locale, and `" + command +
                        "` failed (is Debian's locales package installed?)";
        else
            ::setenv("LOCPATH", m_directory.c_str(), 1);
    }

    std::filesystem::path m_directory;
    std::string m_failure;
};

} // namespace qztest

#endif // QZCORE_TESTS_QZCOMMALOCALE_H
