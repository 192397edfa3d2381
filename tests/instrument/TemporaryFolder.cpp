#include "TemporaryFolder.h"

#include <fstream>
#include <sstream>
#include <stdlib.h>

namespace
{
std::filesystem::path ProgramFolder()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}
} // namespace

// Made in the build folder rather than the system's temporary folder, which may forbid mapping code.
CTemporaryFolder::CTemporaryFolder()
{
    std::string pattern = (ProgramFolder().parent_path() / "instrument-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr)
        m_path = pattern;
}

CTemporaryFolder::~CTemporaryFolder()
{
    std::error_code error;
    if (!m_path.empty())
        std::filesystem::remove_all(m_path, error);
}

std::string CTemporaryFolder::BuiltLibrary(const std::string& fileName)
{
    std::ifstream source(ProgramFolder() / fileName, std::ios::binary);
    std::ostringstream content;
    content << source.rdbuf();
    return content.str();
}

bool CTemporaryFolder::Write(const std::string& fileName, const std::string& bytes) const
{
    std::ofstream target(m_path / fileName, std::ios::binary);
    target << bytes;
    return static_cast<bool>(target);
}

bool CTemporaryFolder::CopyLibrary(const std::string& fileName,
                                   const std::vector<std::string>& withoutSymbols) const
{
    std::string bytes = BuiltLibrary(fileName);
    if (bytes.empty())
        return false;
    for (const std::string& name : withoutSymbols)
    {
        // Symbol names are NUL-terminated strings; the last letter changes, so the hash lookup misses it.
        const std::string pattern = std::string(1, '\0') + name + '\0';
        std::size_t nFound = bytes.find(pattern);
        if (nFound == std::string::npos)
            return false;
        for (; nFound != std::string::npos; nFound = bytes.find(pattern, nFound + 1))
            bytes[nFound + name.size()] = 'X';
    }
    return Write(fileName, bytes);
}
