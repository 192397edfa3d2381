#include "RunPath.h"

#include <elf.h>
#include <link.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace
{
template <typename T> bool ReadAt(std::ifstream& input, std::uint64_t nOffset, T* pItems, std::size_t nCount)
{
    input.seekg(static_cast<std::streamoff>(nOffset));
    return static_cast<bool>(input.read(reinterpret_cast<char*>(pItems), sizeof(T) * nCount));
}
} // namespace

std::string RunPathOf(const std::string& file)
{
    std::ifstream input(file, std::ios::binary);
    ElfW(Ehdr) header{};
    if (!ReadAt(input, 0, &header, 1) || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 ||
        header.e_ident[EI_CLASS] != (sizeof(void*) == 8 ? ELFCLASS64 : ELFCLASS32) ||
        header.e_phentsize != sizeof(ElfW(Phdr)))
        return {};
    std::vector<ElfW(Phdr)> segments(header.e_phnum);
    if (!ReadAt(input, header.e_phoff, segments.data(), segments.size()))
        return {};
    const auto dynamic =
        std::find_if(segments.begin(), segments.end(),
                     [](const ElfW(Phdr) & segment) { return segment.p_type == PT_DYNAMIC; });
    if (dynamic == segments.end())
        return {};
    std::vector<ElfW(Dyn)> entries(dynamic->p_filesz / sizeof(ElfW(Dyn)));
    if (!ReadAt(input, dynamic->p_offset, entries.data(), entries.size()))
        return {};
    const ElfW(Dyn)* pStrings = nullptr;
    const ElfW(Dyn)* pPath = nullptr;
    for (const ElfW(Dyn) & entry : entries)
        if (entry.d_tag == DT_STRTAB)
            pStrings = &entry;
        else if (entry.d_tag == DT_RUNPATH || (entry.d_tag == DT_RPATH && !pPath))
            pPath = &entry;
    if (!pStrings || !pPath)
        return {};
    // The string table is named by its address once loaded; the loadable segment that holds that address
    // tells where it lies in the file.
    const ElfW(Addr) nAddress = pStrings->d_un.d_ptr;
    const auto load = std::find_if(segments.begin(), segments.end(),
                                   [nAddress](const ElfW(Phdr) & segment)
                                   {
                                       return segment.p_type == PT_LOAD && segment.p_vaddr <= nAddress &&
                                              nAddress < segment.p_vaddr + segment.p_filesz;
                                   });
    if (load == segments.end())
        return {};
    input.seekg(static_cast<std::streamoff>(nAddress - load->p_vaddr + load->p_offset + pPath->d_un.d_val));
    std::string text;
    std::getline(input, text, '\0');
    return input ? text : std::string();
}

std::vector<std::string> RunPathFolders(std::string_view runPath, const std::string& programFolder)
{
    std::vector<std::string> folders;
    std::istringstream elements{std::string(runPath)};
    for (std::string folder; std::getline(elements, folder, ':');)
    {
        if (folder.empty())
            continue;
        bool bFromOrigin = false;
        for (const std::string_view origin : {"${ORIGIN}", "$ORIGIN"})
        {
            for (std::size_t nAt = folder.find(origin); nAt != std::string::npos;
                 nAt = folder.find(origin, nAt + programFolder.size()))
            {
                folder.replace(nAt, origin.size(), programFolder);
                bFromOrigin = true;
            }
        }
        // A folder relative to a program folder that cannot be told is no folder.
        if (!bFromOrigin || !programFolder.empty())
            folders.push_back(std::filesystem::path(folder).lexically_normal().string());
    }
    return folders;
}
