// A reading's value, record and series, and the stream that publishes readings to its subscribers.

#include "readings/Reading.h"
#include "readings/ReadingSink.h"
#include "readings/ReadingStream.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

namespace
{
using readings::SReading;

TEST(Reading, ValueOnlyWhenTheWholeTextIsOneNumber)
{
    const struct
    {
        const char* pszText;
        std::optional<double> value;
    } cases[] = {
        {"+1.00000012E+07", 1.00000012e7},
        {"  -2.5e-3 \t", -2.5e-3},
        {"0.0", 0.0},
        {"42", 42.0},
        {".5", 0.5},
        {"+9.89E+37", 9.89e37},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"1,5", std::nullopt},
        {"1.5 Hz", std::nullopt},
        {"++1", std::nullopt},
        {"+-1", std::nullopt},
        {"-+1", std::nullopt},
        {"0x10", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"1e400", std::nullopt},
        {"+9.9E+37", std::nullopt},
        {"+9.91000E+37", std::nullopt},
        {"-9.91E37", std::nullopt},
        {"TIME OUT", std::nullopt},
    };
    for (const auto& [pszText, value] : cases)
    {
        SCOPED_TRACE(pszText);
        EXPECT_EQ(readings::ReadingValue(pszText), value);
    }
}

TEST(Reading, RecordKeepsTheTextAsShownAndTrimsTheUnit)
{
    const readings::TReadingTime time{std::chrono::milliseconds(1234)};
    const SReading reading = readings::MakeReading(time, 3, EMeasureFunction::FrequencyRatio, "FREQ Ratio",
                                                   " +1.5E+00 ", "   ", false);
    EXPECT_EQ(reading.time, time);
    EXPECT_EQ(reading.nChannel, 3);
    EXPECT_EQ(reading.function, EMeasureFunction::FrequencyRatio);
    EXPECT_EQ(reading.strFunction, "FREQ Ratio");
    EXPECT_EQ(reading.strText, " +1.5E+00 ");
    EXPECT_EQ(reading.value, 1.5);
    EXPECT_EQ(reading.strUnit, "");
    EXPECT_FALSE(reading.bLive);
}

TEST(Reading, ASeriesIsOneChannelAndFunction)
{
    constexpr auto kFrequency = EMeasureFunction::Frequency;
    const SReading freq1{.nChannel = 1, .function = kFrequency, .strFunction = "FREQ", .strText = "1"};
    const SReading cases[] = {
        {.nChannel = 1, .function = kFrequency, .strFunction = "FREQ", .strText = "2", .bLive = false},
        {.nChannel = 1, .function = kFrequency, .strFunction = "Frequency"}, // the label does not decide
        {.nChannel = 2, .function = kFrequency, .strFunction = "FREQ"},
        {.nChannel = 1, .function = EMeasureFunction::Period, .strFunction = "Period"},
        {.nChannel = 1, .function = std::nullopt, .strFunction = "FREQ"},
    };
    const bool expected[] = {true, true, false, false, false};
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(readings::SameSeries(freq1, cases[i]), expected[i]) << i;
}

// A sink that records what it gets and may act on each reading.
class CRecordingSink : public readings::IReadingSink
{
public:
    void OnReading(const SReading& reading) override
    {
        received.push_back(reading);
        if (onReading)
            onReading();
    }
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const SReading& reading : received)
            texts.push_back(reading.strText);
        return texts;
    }
    std::vector<SReading> received;
    std::function<void()> onReading;
};

TEST(ReadingStream, EverySubscriberGetsEachReadingOnceStampedWithTheTimeOfPublication)
{
    readings::CReadingStream stream;
    CRecordingSink first;
    CRecordingSink second;
    stream.Publish(1, EMeasureFunction::Frequency, "FREQ", "1", "Hz", true); // nobody listens: lost
    stream.Subscribe(&first);
    stream.Subscribe(&first);
    stream.Subscribe(&second);
    const auto before = std::chrono::floor<std::chrono::milliseconds>(std::chrono::system_clock::now());
    stream.Publish(2, EMeasureFunction::Period, "Period", "+1.0E-07", "Sec", true);
    const auto after = std::chrono::system_clock::now();
    stream.Unsubscribe(&first);
    stream.Publish(2, EMeasureFunction::Period, "Period", "+2.0E-07", "Sec", false);
    EXPECT_EQ(first.Texts(), std::vector<std::string>{"+1.0E-07"});
    ASSERT_EQ(second.Texts(), (std::vector<std::string>{"+1.0E-07", "+2.0E-07"}));
    const SReading& reading = second.received.front();
    EXPECT_GE(reading.time, before);
    EXPECT_LE(reading.time, after);
    EXPECT_EQ(reading.nChannel, 2);
    EXPECT_EQ(reading.function, EMeasureFunction::Period);
    EXPECT_EQ(reading.strFunction, "Period");
    EXPECT_EQ(reading.value, 1e-7);
    EXPECT_EQ(reading.strUnit, "Sec");
    EXPECT_TRUE(reading.bLive);
    EXPECT_FALSE(second.received.back().bLive);
}

TEST(ReadingStream, SinksMayLeaveAndJoinWhileAReadingIsDelivered)
{
    readings::CReadingStream stream;
    CRecordingSink leaving;
    CRecordingSink later;
    CRecordingSink joining;
    leaving.onReading = [&]
    {
        stream.Unsubscribe(&leaving);
        stream.Unsubscribe(&later); // not yet reached in this delivery: gets nothing
        stream.Subscribe(&joining); // gets the next reading
    };
    stream.Subscribe(&leaving);
    stream.Subscribe(&later);
    stream.Publish(1, EMeasureFunction::Frequency, "FREQ", "1", "Hz", true);
    stream.Publish(1, EMeasureFunction::Frequency, "FREQ", "2", "Hz", true);
    EXPECT_EQ(leaving.Texts(), std::vector<std::string>{"1"});
    EXPECT_TRUE(later.received.empty());
    EXPECT_EQ(joining.Texts(), std::vector<std::string>{"2"});
    stream.Unsubscribe(&joining);
    EXPECT_FALSE(stream.HasSubscribers());
}
} // namespace
