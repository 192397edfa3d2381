#pragma once
// A CSV file of readings, written row by row: each row goes to the system as soon as it is written, so a
// program that is killed loses at most the row it was writing. The header row comes before the first row
// when the file was empty.

#include "Reading.h"

#include <cstdio>
#include <memory>
#include <string>

namespace readings
{
class CCsvFile
{
public:
    enum class EMode
    {
        Append,  // keep what the file holds
        Replace, // start the file anew
    };

    // The open file, or null with the reason (naming the file) in strError.
    static std::unique_ptr<CCsvFile> Open(const std::string& path, EMode mode, std::string& strError);
    ~CCsvFile();
    CCsvFile(const CCsvFile&) = delete;
    CCsvFile& operator=(const CCsvFile&) = delete;

    // Writes and flushes one row; false when that failed, with the reason in Error().
    bool Write(const SReading& reading);
    const std::string& Error() const { return m_strError; }

private:
    CCsvFile(std::FILE* pFile, std::string path, bool bHeaderDue);

    std::FILE* m_pFile;
    std::string m_strPath;
    bool m_bHeaderDue;
    std::string m_strError;
};
} // namespace readings
