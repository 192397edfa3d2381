// The buffers that carry texts to and from the driver.

#include "instrument/DriverBuffer.h"
#include "TarvexAbi.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
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
        {"300 characters: past the contract, within the buffer", 300, 255},
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
