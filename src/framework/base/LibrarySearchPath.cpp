#include "LibrarySearchPath.h"

#include "RunPath.h"

#include <glob.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace
{
namespace fs = std::filesystem;

// The loader's own folders when its configuration names none of them.
const char* const kDefaultFolders[] = {"/lib64", "/usr/lib64", "/lib", "/usr/lib"};
// Configuration files may include each other; deeper than this is taken as a loop.
constexpr int kMaxIncludeDepth = 8;

std::vector<std::string> Split(std::string_view text, std::string_view separators)
{
    std::vector<std::string> parts;
    std::size_t nStart = 0;
    while (nStart <= text.size())
    {
        const std::size_t nEnd = std::min(text.find_first_of(separators, nStart), text.size());
        if (nEnd > nStart)
            parts.emplace_back(text.substr(nStart, nEnd - nStart));
        nStart = nEnd + 1;
    }
    return parts;
}

std::vector<std::string> Glob(const std::string& pattern)
{
    std::vector<std::string> files;
    glob_t matches{};
    if (glob(pattern.c_str(), 0, nullptr, &matches) == 0)
        files.assign(matches.gl_pathv, matches.gl_pathv + matches.gl_pathc);
    globfree(&matches);
    return files;
}

// One folder a line ("include <patterns>" reads other files, relative to this one's folder; "hwcap"
// lines and comments say nothing about folders).
void ReadConfiguration(const fs::path& file, int nDepth, std::vector<std::string>& folders)
{
    std::ifstream input(file);
    std::string line;
    while (std::getline(input, line))
    {
        const std::string content = line.substr(0, line.find('#'));
        std::istringstream words(content);
        std::string word;
        if (!(words >> word) || word == "hwcap")
            continue;
        if (word != "include")
        {
            const std::vector<std::string> listed = Split(content, " \t,:");
            folders.insert(folders.end(), listed.begin(), listed.end());
            continue;
        }
        while (words >> word && nDepth < kMaxIncludeDepth)
        {
            const fs::path pattern =
                fs::path(word).is_absolute() ? fs::path(word) : file.parent_path() / word;
            for (const std::string& included : Glob(pattern.string()))
                ReadConfiguration(included, nDepth + 1, folders);
        }
    }
}
} // namespace

std::vector<std::string> LibrarySearchPath()
{
    const char* pszLibraryPath = std::getenv("LD_LIBRARY_PATH");
    return LibrarySearchPath(pszLibraryPath ? pszLibraryPath : "", SystemLibraryFolders(),
                             ProgramLibraryFolders());
}

std::vector<std::string> LibrarySearchPath(std::string_view libraryPathVariable,
                                           const std::vector<std::string>& systemFolders,
                                           const std::vector<std::string>& programFolders)
{
    // The loader separates the elements of LD_LIBRARY_PATH with colons and semicolons alike.
    std::vector<std::string> candidates = Split(libraryPathVariable, ":;");
    candidates.insert(candidates.end(), systemFolders.begin(), systemFolders.end());
    candidates.insert(candidates.end(), programFolders.begin(), programFolders.end());
    std::vector<std::string> folders;
    for (const std::string& folder : candidates)
        if (!folder.empty() && std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(folder);
    return folders;
}

std::vector<std::string> SystemLibraryFolders(const std::string& configurationFile)
{
    std::vector<std::string> folders;
    ReadConfiguration(configurationFile, 0, folders);
    folders.insert(folders.end(), std::begin(kDefaultFolders), std::end(kDefaultFolders));
    return folders;
}

std::string ProgramFolder()
{
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.parent_path().string();
}

std::vector<std::string> ProgramLibraryFolders()
{
    return RunPathFolders(RunPathOf("/proc/self/exe"), ProgramFolder());
}

bool IsInProgramLibraryFolder(const std::string& file)
{
    std::error_code error;
    const fs::path folder = fs::weakly_canonical(file, error).parent_path();
    if (error)
        return false;
    const std::vector<std::string> programFolders = ProgramLibraryFolders();
    return std::any_of(programFolders.begin(), programFolders.end(),
                       [&folder](const std::string& programFolder)
                       {
                           std::error_code canonicalError;
                           return folder == fs::weakly_canonical(programFolder, canonicalError) &&
                                  !canonicalError;
                       });
}
