#pragma once
// The log of every reading published: one CSV row per reading, appended to a file. A write that fails
// (a full disk) is reported once through the failure handler, and the log then writes nothing more.

#include "CsvFile.h"
#include "ReadingSink.h"

#include <functional>
#include <memory>
#include <string>

namespace readings
{
class CReadingLog : public IReadingSink
{
public:
    // The log appending to the file, or null with the reason, fit for the operator, in strError.
    static std::unique_ptr<CReadingLog> Open(const std::string& path, std::string& strError);

    // Called once, with the reason, when a write fails.
    void SetFailureHandler(std::function<void(const std::string&)> onFailure);
    bool HasStopped() const { return m_bStopped; }

    void OnReading(const SReading& reading) override;

private:
    explicit CReadingLog(std::unique_ptr<CCsvFile> pFile);

    std::unique_ptr<CCsvFile> m_pFile;
    std::function<void(const std::string&)> m_onFailure;
    bool m_bStopped = false;
};
} // namespace readings
