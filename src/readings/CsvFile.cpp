#include "CsvFile.h"

#include "CsvFormat.h"

#include <cerrno>
#include <cstring>

namespace readings
{
std::unique_ptr<CCsvFile> CCsvFile::Open(const std::string& path, EMode mode, std::string& strError)
{
    const bool bAppend = mode == EMode::Append;
    std::FILE* pFile = std::fopen(path.c_str(), bAppend ? "ab" : "wb");
    if (pFile == nullptr)
    {
        strError =
            "cannot open " + path + (bAppend ? " for appending: " : " for writing: ") + std::strerror(errno);
        return nullptr;
    }
    const bool bEmpty = std::fseek(pFile, 0, SEEK_END) != 0 || std::ftell(pFile) <= 0;
    return std::unique_ptr<CCsvFile>(new CCsvFile(pFile, path, bEmpty));
}

CCsvFile::CCsvFile(std::FILE* pFile, std::string path, bool bHeaderDue)
    : m_pFile(pFile), m_strPath(std::move(path)), m_bHeaderDue(bHeaderDue)
{
}

CCsvFile::~CCsvFile()
{
    std::fclose(m_pFile);
}

bool CCsvFile::Write(const SReading& reading)
{
    const std::string row = (m_bHeaderDue ? CsvHeader() : std::string()) + CsvRow(reading);
    if (std::fwrite(row.data(), 1, row.size(), m_pFile) != row.size() || std::fflush(m_pFile) != 0)
    {
        m_strError = "cannot write to " + m_strPath + ": " + std::strerror(errno);
        return false;
    }
    m_bHeaderDue = false;
    return true;
}
} // namespace readings
