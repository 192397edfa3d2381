// The SCPI device over the counter on a manual clock: answers gathered into response messages, the error
// numbers of bad commands, queries that wait for their measurement without holding up another device,
// and what interrupts or clears them.

#include "ScpiDevice.h"
#include "CounterInstrument.h"
#include "SimClock.h"

#include <gtest/gtest.h>

#include <array>
#include <regex>
#include <string>
#include <vector>

namespace
{
using emulator::CScpiDevice;

class CScpiDeviceTest : public ::testing::Test
{
protected:
    CScpiDeviceTest()
    {
        m_clock.UseManual(true);
        m_counter.ResetSimulation();
    }

    // Sends a message to a device and gives what it answered.
    std::string Ask(const std::string& message, size_t nDevice = 0)
    {
        m_devices[nDevice].Receive(message);
        return m_devices[nDevice].TakeResponses();
    }
    // Time goes on, the devices with it.
    std::string Advance(int64_t nMs, size_t nDevice = 0)
    {
        m_clock.AdvanceUs(nMs * 1000);
        for (CScpiDevice& device : m_devices)
            device.Continue();
        return m_devices[nDevice].TakeResponses();
    }

    tarvexsim::CSimClock m_clock;
    tarvexsim::CCounterInstrument m_counter{m_clock};
    emulator::SIdentity m_identity{"Tarvex,Counter,0,2.2", 5, 24};
    std::array<CScpiDevice, 2> m_devices{CScpiDevice(m_counter, m_identity),
                                         CScpiDevice(m_counter, m_identity)};
};

const std::regex kReading(R"(\+[0-9]\.[0-9]{8}E[+-][0-9]{2})");

bool IsReadingNear(const std::string& text, double dValue)
{
    return std::regex_match(text, kReading) && std::abs(std::stod(text) / dValue - 1) < 1e-3;
}

TEST_F(CScpiDeviceTest, TheAnswersOfAMessageComeBackTogetherInOneResponse)
{
    EXPECT_EQ(Ask("*IDN?;SYST:SLOT?;:SYST:LADD?"), "Tarvex,Counter,0,2.2;+5;+24\n");
    EXPECT_EQ(Ask("SYST:SLOT?;LADD?"), "+5;+24\n");
    EXPECT_EQ(Ask("SENS2:EVEN:SLOP NEG;SLOP?;:INP3:COUP AC;COUP?;:SENS2:FUNC?"), "NEG;AC;\"FREQ\"\n");
    EXPECT_EQ(Ask("*RST;*CLS"), "");
    EXPECT_EQ(Ask("SENS2:EVEN:SLOP?"), "POS\n");
    m_identity.slot.reset();
    EXPECT_EQ(Ask("SYST:SLOT?;:SYST:ERR?"), "-241,\"Hardware missing\"\n");
}

struct SErrorCase
{
    const char* pszMessage;
    const char* pszError; // the first entry of the error queue afterwards
};

class ScpiDeviceErrors : public CScpiDeviceTest, public ::testing::WithParamInterface<SErrorCase>
{
};

TEST_P(ScpiDeviceErrors, ABadCommandQueuesItsScpiErrorAndAnswersNothing)
{
    EXPECT_EQ(Ask(GetParam().pszMessage), "") << GetParam().pszMessage;
    EXPECT_EQ(Ask("SYST:ERR?"), std::string(GetParam().pszError) + "\n");
    EXPECT_EQ(Ask("SYST:ERR?"), "+0,\"No error\"\n");
    EXPECT_EQ(Ask("*IDN?"), "Tarvex,Counter,0,2.2\n");
}

INSTANTIATE_TEST_SUITE_P(Messages, ScpiDeviceErrors,
                         ::testing::Values(SErrorCase{"BOGUS", "-113,\"Undefined header\""},
                                           SErrorCase{"SENS:EVEN:SLOP", "-109,\"Missing parameter\""},
                                           SErrorCase{"*RST 1", "-108,\"Parameter not allowed\""},
                                           SErrorCase{"SENS::EVEN", "-102,\"Syntax error\""},
                                           SErrorCase{"*CLS\x01", "-101,\"Invalid character\""},
                                           SErrorCase{"\x7F", "-101,\"Invalid character\""},
                                           SErrorCase{"FUNC \"FREQ", "-151,\"Invalid string data\""},
                                           SErrorCase{"EVEN:LEV 20", "-222,\"Data out of range\""},
                                           SErrorCase{"SENS4:EVEN:SLOP?", "-222,\"Data out of range\""},
                                           SErrorCase{"OUTP:TTLT8 ON", "-222,\"Data out of range\""},
                                           SErrorCase{"EVEN:SLOP 5", "-224,\"Illegal parameter value\""},
                                           SErrorCase{"CONF2:RTIM", "-224,\"Illegal parameter value\""},
                                           SErrorCase{"MEAS2:RTIM?", "-224,\"Illegal parameter value\""},
                                           SErrorCase{"CONF1:FREQ 10 MHz",
                                                      "-224,\"Illegal parameter value\""},
                                           SErrorCase{"*ESE x", "-104,\"Data type error\""},
                                           SErrorCase{"*SRE 300", "-222,\"Data out of range\""},
                                           SErrorCase{"FETC1?", "-230,\"Data corrupt or stale\""}));

TEST_F(CScpiDeviceTest, AQueueThatOverflowsEndsInQueueOverflow)
{
    for (int n = 0; n < 40; ++n)
        Ask("BOGUS");
    std::string last;
    for (int n = 0; n < 30; ++n)
        last = Ask("SYST:ERR?");
    EXPECT_EQ(last, "-350,\"Queue overflow\"\n");
    EXPECT_EQ(Ask("SYST:ERR?"), "+0,\"No error\"\n");
}

TEST_F(CScpiDeviceTest, EventStatusAndStatusByteFollowTheErrorsAndTheAnswers)
{
    EXPECT_EQ(Ask("*ESR?"), "+128\n"); // power on
    EXPECT_EQ(Ask("*ESR?"), "+0\n");
    Ask("BOGUS");
    Ask("EVEN:LEV 20");
    EXPECT_EQ(Ask("*STB?"), "+4\n");
    EXPECT_EQ(Ask("*ESE 48;*ESE?;*STB?"), "+48;+36\n");
    EXPECT_EQ(Ask("*SRE 32;*STB?"), "+100\n");
    EXPECT_EQ(Ask("*ESR?;*CLS;*STB?"), "+48;+0\n");
    m_devices[0].Receive("*IDN?");
    EXPECT_EQ(m_devices[0].StatusByte() & tarvexsim::CCounterInstrument::kMessageAvailableBit,
              tarvexsim::CCounterInstrument::kMessageAvailableBit);
}

TEST_F(CScpiDeviceTest, AReadingWaitsForItsGateAndTheUnitsAfterItWaitWithIt)
{
    EXPECT_EQ(Ask("READ1?;*IDN?"), "");
    EXPECT_TRUE(m_devices[0].IsWaiting());
    EXPECT_EQ(m_devices[0].WakeUpUs(), m_clock.NowUs() + 100'000); // the default aperture
    EXPECT_EQ(Advance(50), "");
    const std::string response = Advance(50);
    ASSERT_TRUE(response.ends_with(";Tarvex,Counter,0,2.2\n")) << response;
    EXPECT_TRUE(IsReadingNear(response.substr(0, response.find(';')), 1e7)) << response;

    // A total is answered at once, whatever has been counted.
    EXPECT_TRUE(std::regex_match(Ask("CONF1:TOT;:INIT1;:FETC1?"), std::regex("\\+[0-9]+\n")));
    EXPECT_EQ(Ask("MEAS2:PER?"), "");
    const std::string measured = Advance(100);
    EXPECT_TRUE(IsReadingNear(measured.substr(0, measured.size() - 1), 1e-6)) << measured;
}

TEST_F(CScpiDeviceTest, ABusTriggerFromAnotherDeviceArmsTheMeasurementThisOneWaitsFor)
{
    EXPECT_EQ(Ask("ARM:STAR:SOUR BUS;:INIT1;:FETC1?"), "");
    EXPECT_EQ(Advance(1000), "");
    EXPECT_EQ(m_devices[0].WakeUpUs(), std::nullopt); // only a command can end this wait
    EXPECT_EQ(Ask("*TRG;*IDN?", 1), "Tarvex,Counter,0,2.2\n");
    EXPECT_EQ(Advance(99), "");
    EXPECT_TRUE(IsReadingNear(Advance(1).substr(0, 15), 1e7));
}

TEST_F(CScpiDeviceTest, OperationCompleteWaitsForTheMeasurementsAndSetsItsBit)
{
    Ask("*ESR?");
    EXPECT_EQ(Ask("INIT1;*OPC?"), "");
    EXPECT_EQ(Advance(100), "1\n");
    EXPECT_EQ(Ask("INIT2;*OPC;*WAI;*ESR?"), "");
    EXPECT_EQ(Advance(100), "+1\n");
}

TEST_F(CScpiDeviceTest, AMessageWhileAQueryWaitsInterruptsIt)
{
    EXPECT_EQ(Ask("ARM:STAR:SOUR HOLD;:READ1?"), "");
    EXPECT_EQ(Ask("*IDN?"), "Tarvex,Counter,0,2.2\n");
    EXPECT_EQ(Ask("SYST:ERR?"), "-410,\"Query INTERRUPTED\"\n");
    // An answer not taken before the next message is dropped likewise.
    m_devices[0].Receive("*IDN?");
    EXPECT_EQ(Ask("SYST:ERR?"), "-410,\"Query INTERRUPTED\"\n");
}

TEST_F(CScpiDeviceTest, ADeviceClearDropsWhatWaitsAndAbortsItsMeasurement)
{
    EXPECT_EQ(Ask("ARM:STAR:SOUR HOLD;:READ1?;*IDN?"), "");
    EXPECT_EQ(Ask("STAT:OPER:COND?", 1), "+64\n");
    m_devices[0].Clear();
    EXPECT_FALSE(m_devices[0].IsWaiting());
    EXPECT_EQ(Ask("STAT:OPER:COND?;:SYST:ERR?"), "+0;+0,\"No error\"\n");
}
} // namespace
