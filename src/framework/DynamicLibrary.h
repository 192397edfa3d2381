#pragma once
// Run-time loading of a library by its Windows name (LoadLibraryA / GetProcAddress / FreeLibrary).
// "name.dll" maps to "libname.so", found by the ordinary search (LD_LIBRARY_PATH, the program's RUNPATH,
// the system), or in one given folder only. Like a module handle, a loaded library stays loaded until
// Free; the destructor does not unload it.

#include <string>

namespace framework
{
class CDynamicLibrary
{
public:
    static std::string PlatformFileName(const std::string& windowsName);

    // False (with LastError set) when the library cannot be loaded; an empty folder means the ordinary
    // search.
    bool Load(const std::string& windowsName, const std::string& folder = {});
    bool IsLoaded() const { return m_pHandle != nullptr; }
    void* Symbol(const char* pszName) const; // null when not loaded or the symbol is missing
    void Free();
    const std::string& LastError() const { return m_strLastError; }

private:
    void* m_pHandle = nullptr;
    mutable std::string m_strLastError; // also set by a failed Symbol look-up
};
} // namespace framework
