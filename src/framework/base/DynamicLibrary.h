#pragma once
// Run-time loading of a library by its Windows name (LoadLibraryA / GetProcAddress / FreeLibrary).
// "name.dll" maps to "libname.so", looked for along LibrarySearchPath, or in one given folder only. The
// first file of that name is the one used: when it cannot be loaded, no other file is tried, so a broken
// library is never silently replaced by another of the same name. Like a module handle, a loaded library
// stays loaded until Free; the destructor does not unload it.

#include <string>

class CDynamicLibrary
{
public:
    static std::string PlatformFileName(const std::string& windowsName);

    // False (with LastError set) when no file of that name is found or the one found cannot be loaded;
    // an empty folder means the search path.
    bool Load(const std::string& windowsName, const std::string& folder = {});
    bool IsLoaded() const { return m_pHandle != nullptr; }
    void* Symbol(const char* pszName) const; // null when not loaded or the symbol is missing
    void Free();
    const std::string& LastError() const { return m_strLastError; }
    // The file the last Load found, loaded or not; empty when none was found, and after Free.
    const std::string& Path() const { return m_strPath; }

private:
    void* m_pHandle = nullptr;
    std::string m_strPath;
    mutable std::string m_strLastError; // also set by a failed Symbol look-up
};
