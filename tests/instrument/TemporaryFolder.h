#pragma once
// A folder of its own for a test, removed with the object: to hold copies of the built libraries, so a
// session can be pointed at a folder with only some of them, with a driver that lacks entry points, or
// with a file of a library's name that cannot be loaded.

#include <filesystem>
#include <string>
#include <vector>

class CTemporaryFolder
{
public:
    CTemporaryFolder();
    ~CTemporaryFolder();
    CTemporaryFolder(const CTemporaryFolder&) = delete;
    CTemporaryFolder& operator=(const CTemporaryFolder&) = delete;

    std::string Path() const { return m_path.string(); }

    // Copies a library the build put beside the test program. Each name in withoutSymbols is renamed in
    // the copy, so that looking it up in the copy fails. False when a name is not in the library.
    bool CopyLibrary(const std::string& fileName, const std::vector<std::string>& withoutSymbols = {}) const;
    bool Write(const std::string& fileName, const std::string& bytes) const;

    // The bytes of a library the build put beside the test program; empty when there is none.
    static std::string BuiltLibrary(const std::string& fileName);

private:
    std::filesystem::path m_path;
};
