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
        if (!Usable())
            Compile();
        if (m_failure.empty() && std::setlocale(LC_ALL, kName) == nullptr)
            m_failure = std::string("setlocale(LC_ALL, \"") + kName + "\") failed";
        char text[8];
        std::snprintf(text, sizeof text, "%.1f", 1.5);
        if (m_failure.empty() && std::string(text) != "1,5")
            m_failure = std::string("the locale prints 1.5 as ") + text;
    }
    ~CCommaDecimalLocale()
    {
        std::setlocale(LC_ALL, "C");
        if (!m_directory.empty())
        {
            ::unsetenv("LOCPATH");
            std::error_code ignored;
            std::filesystem::remove_all(m_directory, ignored);
        }
    }
    CCommaDecimalLocale(CCommaDecimalLocale const&) = delete;
    CCommaDecimalLocale& operator=(CCommaDecimalLocale const&) = delete;

    // Empty when the process now converts with a comma; else what went wrong.
    std::string const& Failure() const { return m_failure; }

private:
    static constexpr char const* kName = "de_DE.UTF-8";

    static bool Usable()
    {
        locale_t const probe = ::newlocale(LC_ALL_MASK, kName, (locale_t)0);
        if (probe == (locale_t)0)
            return false;
        ::freelocale(probe);
        return true;
    }

    // localedef -i de_DE -f UTF-8 <dir>/de_DE.UTF-8, then LOCPATH=<dir>
    void Compile()
    {
        std::random_device random;
        m_directory = std::filesystem::temp_directory_path() / ("qzlocale-" + std::to_string(random()));
        std::error_code error;
        std::filesystem::create_directories(m_directory, error);
        std::string const command = "localedef -i de_DE -f UTF-8 '" + (m_directory / kName).string() + "' 2>&1";
        if (error || std::system(command.c_str()) != 0)
        {
            m_failure = "no " + std::string(kName) + " locale, and `" + command +
                        "` failed (is Debian's locales package installed?)";
            return;
        }
        // setlocale then loads it; newlocale is not asked again, as it leaks
        // its copy of LOCPATH
        ::setenv("LOCPATH", m_directory.c_str(), 1);
    }

    std::filesystem::path m_directory;
    std::string m_failure;
};

} // namespace qztest

#endif // QZCORE_TESTS_QZCOMMALOCALE_H
