// The CSV form of readings, the file written row by row, and the log that appends to it.

#include "readings/CsvFile.h"
#include "readings/CsvFormat.h"
#include "readings/ReadingLog.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace
{
using readings::SReading;
using namespace std::chrono;

// 2024-02-29T23:59:58.007Z
const readings::TReadingTime kLeapDay = sys_days{year{2024} / February / 29} + 23h + 59min + 58s + 7ms;

SReading Reading(std::string text, std::string unit = "Hz")
{
    return readings::MakeReading(kLeapDay, 1, EMeasureFunction::Frequency, "FREQ", text, unit, true);
}

// A folder of its own under the system's temporary folder, removed with everything in it.
class CTemporaryFolder
{
public:
    CTemporaryFolder()
        : m_path(std::filesystem::temp_directory_path() /
                 ("readings-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name()))
    {
        std::filesystem::create_directories(m_path);
    }
    ~CTemporaryFolder() { std::filesystem::remove_all(m_path); }
    std::string File(const char* pszName) const { return (m_path / pszName).string(); }

private:
    std::filesystem::path m_path;
};

std::string Contents(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(CsvFormat, FieldsWithCommaQuoteOrLineBreakAreQuotedWithQuotesDoubled)
{
    const std::pair<const char*, const char*> cases[] = {
        {"FREQ", "FREQ"},
        {"", ""},
        {" 1.5 ", " 1.5 "},
        {"1,5", "\"1,5\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\nlines", "\"two\nlines\""},
        {"cr\r", "\"cr\r\""},
    };
    for (const auto& [pszText, pszField] : cases)
        EXPECT_EQ(readings::CsvField(pszText), pszField) << pszText;
}

TEST(CsvFormat, TimeIsIsoUtcWithMilliseconds)
{
    const std::pair<readings::TReadingTime, const char*> cases[] = {
        {readings::TReadingTime{}, "1970-01-01T00:00:00.000Z"},
        {kLeapDay, "2024-02-29T23:59:58.007Z"},
        {sys_days{year{2038} / January / 19} + 3h + 14min + 8s + 999ms, "2038-01-19T03:14:08.999Z"},
    };
    for (const auto& [time, pszText] : cases)
        EXPECT_EQ(readings::IsoUtcTime(time), pszText);
}

TEST(CsvFormat, RowsHoldTheTextAsShownTheValueAndTheMark)
{
    EXPECT_EQ(readings::CsvHeader(), "time,channel,function,reading,value,unit,live\r\n");
    const std::pair<SReading, const char*> cases[] = {
        {Reading("+1.00000012E+07"), "2024-02-29T23:59:58.007Z,1,FREQ,+1.00000012E+07,10000001.2,Hz,yes\r\n"},
        {Reading("+1.0E-07", "Sec"), "2024-02-29T23:59:58.007Z,1,FREQ,+1.0E-07,1e-07,Sec,yes\r\n"},
        {Reading(" ", "   "), "2024-02-29T23:59:58.007Z,1,FREQ, ,,,yes\r\n"},
        {Reading(""), "2024-02-29T23:59:58.007Z,1,FREQ,,,Hz,yes\r\n"}, // a measurement that failed
        {readings::MakeReading(kLeapDay, 3, EMeasureFunction::FrequencyRatio, "FREQ Ratio", "1,5", "", false),
         "2024-02-29T23:59:58.007Z,3,FREQ Ratio,\"1,5\",,,no\r\n"},
    };
    for (const auto& [reading, pszRow] : cases)
        EXPECT_EQ(readings::CsvRow(reading), pszRow);
}

TEST(CsvFormat, NumbersKeepTheirPointUnderACommaLocale)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "scripts/install-deps installs the locales";
    char szPrinted[16];
    std::snprintf(szPrinted, sizeof szPrinted, "%.1f", 1234.5);
    const std::string row = readings::CsvRow(Reading("1234.5"));
    const auto value = readings::ReadingValue("1234.5");
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_STREQ(szPrinted, "1234,5"); // the locale is in force
    EXPECT_EQ(row, "2024-02-29T23:59:58.007Z,1,FREQ,1234.5,1234.5,Hz,yes\r\n");
    EXPECT_EQ(value, 1234.5);
}

TEST(CsvFile, HeaderOnlyAtTheStartOfAnEmptyFileRowsAppended)
{
    CTemporaryFolder folder;
    const std::string path = folder.File("log.csv");
    const std::string row = readings::CsvRow(Reading("1"));
    std::string strError;
    for (int nRun = 0; nRun < 2; ++nRun)
    {
        auto pFile = readings::CCsvFile::Open(path, readings::CCsvFile::EMode::Append, strError);
        ASSERT_TRUE(pFile) << strError;
        EXPECT_TRUE(pFile->Write(Reading("1")));
        // Each row is in the file at once, before the file is closed.
        EXPECT_EQ(Contents(path), readings::CsvHeader() + row + (nRun == 0 ? "" : row));
    }
    auto pReplaced = readings::CCsvFile::Open(path, readings::CCsvFile::EMode::Replace, strError);
    ASSERT_TRUE(pReplaced);
    EXPECT_EQ(Contents(path), "");
    pReplaced->Write(Reading("1"));
    EXPECT_EQ(Contents(path), readings::CsvHeader() + row);
}

TEST(CsvFile, OpeningFailsWithTheFileAndTheReason)
{
    CTemporaryFolder folder;
    std::string strError;
    EXPECT_FALSE(readings::CCsvFile::Open(folder.File("no/such/folder.csv"),
                                          readings::CCsvFile::EMode::Append, strError));
    EXPECT_EQ(strError, "cannot open " + folder.File("no/such/folder.csv") +
                            " for appending: No such file or directory");
    EXPECT_FALSE(readings::CReadingLog::Open(folder.File(""), strError));
    EXPECT_EQ(strError, "cannot open " + folder.File("") + " for appending: Is a directory");
}

TEST(ReadingLog, AFailingWriteIsReportedOnceAndLoggingStops)
{
    std::string strError;
    auto pLog = readings::CReadingLog::Open("/dev/full", strError);
    ASSERT_TRUE(pLog) << strError;
    std::vector<std::string> failures;
    pLog->SetFailureHandler([&](const std::string& text) { failures.push_back(text); });
    for (int i = 0; i < 3; ++i)
        pLog->OnReading(Reading("1"));
    EXPECT_EQ(failures,
              std::vector<std::string>{
                  "cannot write to /dev/full: No space left on device; no more readings are logged."});
    EXPECT_TRUE(pLog->HasStopped());
}

TEST(ReadingLog, WritesEveryReadingItGets)
{
    CTemporaryFolder folder;
    const std::string path = folder.File("log.csv");
    std::string strError;
    auto pLog = readings::CReadingLog::Open(path, strError);
    ASSERT_TRUE(pLog);
    pLog->OnReading(Reading("1"));
    pLog->OnReading(Reading("2"));
    EXPECT_EQ(Contents(path),
              readings::CsvHeader() + readings::CsvRow(Reading("1")) + readings::CsvRow(Reading("2")));
    EXPECT_FALSE(pLog->HasStopped());
}
} // namespace
