#include "DynamicLibrary.h"

#include "LibrarySearchPath.h"

#include <dlfcn.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <vector>

namespace
{
std::string DlError(const std::string& fallback)
{
    const char* pszError = dlerror();
    return pszError ? std::string(pszError) : fallback;
}

bool EndsWithDll(const std::string& name)
{
    static const std::string kSuffix = ".dll";
    return name.size() > kSuffix.size() &&
           std::equal(kSuffix.rbegin(), kSuffix.rend(), name.rbegin(),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

// The first regular file of that name: the path itself when it holds a slash, else in the folder, or
// along the search path when no folder is given. Empty when there is none.
std::string FindLibrary(const std::string& file, const std::string& folder)
{
    std::error_code error;
    if (file.find('/') != std::string::npos)
        return std::filesystem::is_regular_file(file, error) ? file : std::string();
    const std::vector<std::string> folders = folder.empty() ? LibrarySearchPath() : std::vector{folder};
    for (const std::string& searched : folders)
    {
        const std::string path = searched + "/" + file;
        if (std::filesystem::is_regular_file(path, error))
            return path;
    }
    return {};
}
} // namespace

std::string CDynamicLibrary::PlatformFileName(const std::string& windowsName)
{
    const std::size_t nSlash = windowsName.rfind('/');
    const std::size_t nFile = nSlash == std::string::npos ? 0 : nSlash + 1;
    const std::string file = windowsName.substr(nFile);
    if (!EndsWithDll(file))
        return windowsName;
    return windowsName.substr(0, nFile) + "lib" + file.substr(0, file.size() - 4) + ".so";
}

bool CDynamicLibrary::Load(const std::string& windowsName, const std::string& folder)
{
    Free();
    const std::string file = PlatformFileName(windowsName);
    m_strPath = FindLibrary(file, folder);
    if (m_strPath.empty())
    {
        m_strLastError =
            file + " not found " + (folder.empty() ? "on the library search path" : "in " + folder);
        return false;
    }
    dlerror();
    m_pHandle = dlopen(m_strPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    m_strLastError = m_pHandle ? std::string() : DlError("cannot load " + m_strPath);
    return m_pHandle != nullptr;
}

void* CDynamicLibrary::Symbol(const char* pszName) const
{
    if (!m_pHandle || !pszName)
    {
        m_strLastError = m_pHandle ? "no symbol name" : "library not loaded";
        return nullptr;
    }
    dlerror();
    void* pSymbol = dlsym(m_pHandle, pszName);
    m_strLastError = pSymbol ? std::string() : DlError(std::string("symbol not found: ") + pszName);
    return pSymbol;
}

void CDynamicLibrary::Free()
{
    if (m_pHandle)
    {
        dlclose(m_pHandle);
        m_pHandle = nullptr;
    }
    m_strPath.clear();
}
