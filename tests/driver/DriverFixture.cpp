#include "DriverFixture.h"

#include <charconv>

namespace drivertest
{
std::optional<double> ParseNumber(const std::string& text)
{
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    double dValue = 0.0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), dValue);
    if (digits.empty() || result.ec != std::errc() || result.ptr != digits.data() + digits.size())
        return std::nullopt;
    return dValue;
}

void CDriverTest::SetUp()
{
    // The simulator's own defaults, whatever the shell that runs the tests has set.
    for (const char* pszName : {"TARVEXSIM_RESOURCES", "TARVEXSIM_SLOT", "TARVEXSIM_FAULTS",
                                "TARVEXSIM_TRACE", "TARVEXSIM_UNTERMINATED"})
        m_environment.push_back(std::make_unique<CScopedEnvironment>(pszName, nullptr));
    tarvexsim_reset();
    tarvexsim_use_manual_clock(1);

    ViChar** ppList = nullptr;
    ViInt32 nCount = 0;
    ASSERT_EQ(tarvex_auto_init(1, &ppList, &nCount, &m_vi, 0), VI_SUCCESS);
    ASSERT_EQ(nCount, 1);
    ASSERT_EQ(tarvex_errorQueryDetect(m_vi, 1), VI_SUCCESS);
    ASSERT_EQ(tarvex_timeOut(m_vi, 12000), VI_SUCCESS);
    tarvexsim_clear_calls();
}

void CDriverTest::TearDown()
{
    m_environment.clear();
    tarvexsim_reset();
}

ViStatus CDriverTest::SetItem(const std::string& entryPoint, int nIndex, int nItem, const char* pszText,
                              double dNumber)
{
    const auto nItem16 = static_cast<ViInt16>(nItem);
    const auto nIndex16 = static_cast<ViInt16>(nIndex);
    char* pText = const_cast<char*>(pszText); // the ABI's set items take the text as ViChar*
    if (entryPoint == "tarvex_sense")
        return tarvex_sense(m_vi, nIndex16, nItem16, dNumber, pText);
    if (entryPoint == "tarvex_input")
        return tarvex_input(m_vi, nIndex16, nItem16, pText);
    if (entryPoint == "tarvex_arm")
        return tarvex_arm(m_vi, nItem16, pszText, nullptr);
    return tarvex_output(m_vi, nItem16, nIndex16, pText);
}

std::string CDriverTest::QueryItem(const std::string& entryPoint, int nIndex, int nItem)
{
    char szAnswer[TARVEX_BUFFER_SIZE] = "untouched";
    const auto nItem16 = static_cast<ViInt16>(nItem);
    const auto nIndex16 = static_cast<ViInt16>(nIndex);
    ViStatus status = VI_SUCCESS;
    if (entryPoint == "tarvex_sense")
        status = tarvex_sense(m_vi, nIndex16, nItem16, 0.0, szAnswer);
    else if (entryPoint == "tarvex_input")
        status = tarvex_input(m_vi, nIndex16, nItem16, szAnswer);
    else if (entryPoint == "tarvex_arm")
        status = tarvex_arm(m_vi, nItem16, nullptr, szAnswer);
    else
        status = tarvex_output(m_vi, nItem16, nIndex16, szAnswer);
    EXPECT_EQ(status, VI_SUCCESS) << entryPoint << " item " << nItem;
    return szAnswer;
}

ViStatus CDriverTest::Configure(int nChannel, int nFunction, const char* pszExpected)
{
    return tarvex_configure(m_vi, static_cast<ViInt16>(nChannel), static_cast<ViInt16>(nFunction),
                            pszExpected, "DEF", "DEF", "DEF");
}

ViStatus CDriverTest::Fetch(int nChannel, std::string& reading)
{
    char szReading[TARVEX_BUFFER_SIZE] = "";
    const ViStatus status = tarvex_fetch(m_vi, static_cast<ViInt16>(nChannel), szReading);
    reading = szReading;
    return status;
}

int CDriverTest::OperationCondition()
{
    ViInt16 nCondition = -1;
    EXPECT_EQ(tarvex_operQ(m_vi, &nCondition), VI_SUCCESS);
    return nCondition;
}

std::vector<SErrorEntry> CDriverTest::DrainErrors()
{
    std::vector<SErrorEntry> entries;
    for (int n = 0; n < 100; ++n)
    {
        ViInt32 nCode = 0;
        char szMessage[TARVEX_BUFFER_SIZE] = "";
        EXPECT_EQ(tarvex_error_query(m_vi, &nCode, szMessage), VI_SUCCESS);
        if (nCode == 0)
        {
            EXPECT_STREQ(szMessage, "+0,\"No error\"");
            break;
        }
        entries.push_back({nCode, szMessage});
    }
    return entries;
}
} // namespace drivertest
