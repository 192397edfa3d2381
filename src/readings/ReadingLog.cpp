#include "ReadingLog.h"

namespace readings
{
std::unique_ptr<CReadingLog> CReadingLog::Open(const std::string& path, std::string& strError)
{
    auto pFile = CCsvFile::Open(path, CCsvFile::EMode::Append, strError);
    if (!pFile)
        return nullptr;
    return std::unique_ptr<CReadingLog>(new CReadingLog(std::move(pFile)));
}

CReadingLog::CReadingLog(std::unique_ptr<CCsvFile> pFile) : m_pFile(std::move(pFile)) {}

void CReadingLog::SetFailureHandler(std::function<void(const std::string&)> onFailure)
{
    m_onFailure = std::move(onFailure);
}

void CReadingLog::OnReading(const SReading& reading)
{
    if (m_bStopped || m_pFile->Write(reading))
        return;
    m_bStopped = true;
    if (m_onFailure)
        m_onFailure(m_pFile->Error() + "; no more readings are logged.");
}
} // namespace readings
