// The leading number of a text, and the buffers that carry texts to and from the driver.

#include "instrument/LeadingNumber.h"
#include "instrument/DriverBuffer.h"
#include "instrument/abi/TarvexAbi.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>

namespace
{
TEST(LeadingNumber, IntegerPrefix)
{
    const std::pair<const char*, int> cases[] = {
        {"1", 1},
        {"+1", 1},
        {" \t1\n", 1},
        {"-7x", -7},
        {"1.9", 1},
        {"10", 10},
        {"0", 0},
        {"", 0},
        {"ON", 0},
        {"- 1", 0},
        {"+-1", 0},
        {"99999999999", INT_MAX},
        {"-99999999999", INT_MIN},
    };
    for (const auto& [pszText, nExpected] : cases)
    {
        SCOPED_TRACE(pszText);
        EXPECT_EQ(LeadingInteger(pszText), nExpected);
    }
}

TEST(LeadingNumber, DoublePrefix)
{
    const std::pair<const char*, double> cases[] = {
        {"1.5", 1.5},       {"  -2.5e3V", -2500.0}, {".5", 0.5},  {"+.5", 0.5}, {"5.", 5.0},
        {"+1.6E+01", 16.0}, {"\t-0.25", -0.25},     {"1e", 1.0},  {"1e+", 1.0}, {"1,5", 1.0},
        {"-", 0.0},         {"--5", 0.0},           {"+-5", 0.0}, {"-+5", 0.0}, {"MIN", 0.0},
        {"", 0.0},          {"   ", 0.0},           {".", 0.0},   {"e5", 0.0},  {"1e-999", 0.0},
    };
    for (const auto& [pszText, dExpected] : cases)
    {
        SCOPED_TRACE(pszText);
        EXPECT_DOUBLE_EQ(LeadingDouble(pszText), dExpected);
    }
    EXPECT_EQ(LeadingDouble("1e999"), HUGE_VAL);
    EXPECT_EQ(LeadingDouble("-1e999x"), -HUGE_VAL);
}

TEST(DriverBuffer, AnswerEndsAtTheBuffersLastByte)
{
    const struct
    {
        const char* pszName;
        std::size_t nFilled; // characters the driver writes, without a NUL when the buffer is full
        std::size_t nExpected;
    } cases[] = {
        {"nothing written", 0, 0},
        {"short answer", 12, 12},
        {"255 characters and the NUL", 255, 255},
        {"256 characters, no NUL", 256, 255},
    };
    for (const auto& testCase : cases)
    {
        SCOPED_TRACE(testCase.pszName);
        CDriverBuffer buffer;
        std::memset(buffer.Data(), 'A', testCase.nFilled);
        EXPECT_EQ(buffer.Answer(), std::string(testCase.nExpected, 'A'));
    }
}

TEST(DriverBuffer, SentTextIsCopiedWholeAndTerminated)
{
    for (const std::size_t nLength :
         {std::size_t{0}, std::size_t{2}, std::size_t{255}, std::size_t{256}, std::size_t{1000}})
    {
        SCOPED_TRACE(nLength);
        const std::string text(nLength, 'T');
        CDriverBuffer buffer(text);
        EXPECT_EQ(std::string(buffer.Data()), text);
        // Room for a driver that writes a whole answer into it, however short the text.
        std::memset(buffer.Data(), 'W', TARVEX_BUFFER_SIZE);
        EXPECT_EQ(buffer.Answer().size(), TARVEX_BUFFER_SIZE - 1u);
    }
}
} // namespace
