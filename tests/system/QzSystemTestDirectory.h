// QzSystemTestDirectory.h: a fresh temporary current directory for tests
// that create files (the log writes _logs under the current directory).
#ifndef QZCORE_TESTS_QZSYSTEMTESTDIRECTORY_H
#define QZCORE_TESTS_QZSYSTEMTESTDIRECTORY_H

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace qztest {

// Enters a new empty directory for its lifetime and removes it afterwards.
class CTemporaryCurrentDirectory
{
public:
    CTemporaryCurrentDirectory() : m_previous(std::filesystem::current_path())
    {
        std::random_device random;
        std::filesystem::path const base = std::filesystem::temp_directory_path();
        do
            m_path = base / ("qzsystem-" + std::to_string(random()) + std::to_string(random()));
        while (!std::filesystem::create_directory(m_path));
        std::filesystem::current_path(m_path);
    }
    ~CTemporaryCurrentDirectory()
    {
        std::error_code ignored;
        std::filesystem::current_path(m_previous, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }
    CTemporaryCurrentDirectory(CTemporaryCurrentDirectory const&) = delete;
    CTemporaryCurrentDirectory& operator=(CTemporaryCurrentDirectory const&) = delete;

private:
    std::filesystem::path m_previous;
    std::filesystem::path m_path;
};

inline std::string ReadWholeFile(std::filesystem::path const& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

} // namespace qztest

#endif // QZCORE_TESTS_QZSYSTEMTESTDIRECTORY_H
