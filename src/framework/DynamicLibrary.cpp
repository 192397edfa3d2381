#include "DynamicLibrary.h"

#include <dlfcn.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <vector>

namespace framework
{
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
// The folders the program's own loader search covers, in order: LD_LIBRARY_PATH, the program's RUNPATH
// with $ORIGIN expanded, the system folders. dlopen searches the RUNPATH of whoever calls it, and a
// sanitizer runtime that intercepts dlopen becomes that caller, so the program's list is asked for.
std::vector<std::string> ProgramSearchPath()
{
    std::vector<std::string> folders;
    void* pProgram = dlopen(nullptr, RTLD_NOW);
    Dl_serinfo size{};
    if (pProgram && dlinfo(pProgram, RTLD_DI_SERINFOSIZE, &size) == 0)
    {
        std::vector<std::max_align_t> buffer(size.dls_size / sizeof(std::max_align_t) + 1);
        auto* pInfo = reinterpret_cast<Dl_serinfo*>(buffer.data());
        if (dlinfo(pProgram, RTLD_DI_SERINFOSIZE, pInfo) == 0 &&
            dlinfo(pProgram, RTLD_DI_SERINFO, pInfo) == 0)
        {
            for (unsigned i = 0; i < pInfo->dls_cnt; ++i)
            {
                folders.emplace_back(pInfo->dls_serpath[i].dls_name);
            }
        }
    }
    if (pProgram)
    {
        dlclose(pProgram);
    }
    return folders;
}
} // namespace

std::string CDynamicLibrary::PlatformFileName(const std::string& windowsName)
{
    const std::size_t nSlash = windowsName.rfind('/');
    const std::size_t nFile = nSlash == std::string::npos ? 0 : nSlash + 1;
    const std::string file = windowsName.substr(nFile);
    if (!EndsWithDll(file))
    {
        return windowsName;
    }
    return windowsName.substr(0, nFile) + "lib" + file.substr(0, file.size() - 4) + ".so";
}

bool CDynamicLibrary::Load(const std::string& windowsName, const std::string& folder)
{
    Free();
    const std::string file = PlatformFileName(windowsName);
    // A name with a slash is opened from that path only; a bare name goes through the loader's search.
    const std::string path = folder.empty() ? file : folder + "/" + file;
    dlerror();
    m_pHandle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    m_strLastError = m_pHandle ? std::string() : DlError("cannot load " + path);
    if (!m_pHandle && path.find('/') == std::string::npos)
    {
        for (const std::string& searched : ProgramSearchPath())
        {
            m_pHandle = dlopen((searched + "/" + path).c_str(), RTLD_NOW | RTLD_LOCAL);
            if (m_pHandle)
            {
                m_strLastError.clear();
                break;
            }
        }
    }
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
}
} // namespace framework
