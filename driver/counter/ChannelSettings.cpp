#include "ChannelSettings.h"

#include "MeasureFunction.h"

#include <array>

namespace tarvexsim
{
namespace
{
// The smallest and largest expected value or resolution the counter takes, over all functions.
constexpr double kSmallestValue = 1e-18;
constexpr double kLargestValue = 1e12;

// Built on first use, so that a simulator constructed while the library loads never sees them unbuilt.
struct SRules
{
    SParameterRule triggerLevel =
        SParameterRule::Number("0", -CParameter::kVoltLimit, CParameter::kVoltLimit, 0.0);
    SParameterRule offByDefault = SParameterRule::Boolean("OFF");
    SParameterRule onByDefault = SParameterRule::Boolean("ON");
    SParameterRule relativeLevel = SParameterRule::Number("DEF", 10.0, 90.0, 50.0).Integer();
    SParameterRule slope = SParameterRule::Choice("POS", {"POS", "NEG"});
    SParameterRule hysteresis = SParameterRule::Choice("DEF", {"MIN", "MAX", "DEF"});
    SParameterRule aperture = SParameterRule::Number("DEF", 0.001, 99.999, 0.1);
    std::array<SParameterRule, 3> frequencyRange = {SParameterRule::Number("DEF", 0.001, 2e8, 2e8),
                                                    SParameterRule::Number("DEF", 0.001, 1e8, 1e8),
                                                    SParameterRule::Number("DEF", 9e7, 2.5e9, 2.5e9)};
    std::array<SParameterRule, 3> function = {
        SParameterRule::Choice("FREQ", ChannelFunctionKeywords(1)).Quoted(),
        SParameterRule::Choice("FREQ", ChannelFunctionKeywords(2)).Quoted(),
        SParameterRule::Choice("FREQ", ChannelFunctionKeywords(3)).Quoted()};
    SParameterRule expected = SParameterRule::Number("AUTO", kSmallestValue, kLargestValue, 0.0)
                                  .Keeping({"MIN", "MAX", "DEF", "AUTO"})
                                  .EmptyIsDefault();
    SParameterRule resolution = SParameterRule::Number("DEF", kSmallestValue, kLargestValue, 0.0)
                                    .Keeping({"MIN", "MAX", "DEF"})
                                    .EmptyIsDefault();
    // A reference level: a percentage of the signal's amplitude, or volts with a V.
    SParameterRule reference = SParameterRule::Number("DEF", 0.0, 100.0, 0.0)
                                   .Keeping({"MIN", "MAX", "DEF"})
                                   .WithVolts()
                                   .EmptyIsDefault();
    SParameterRule averages = SParameterRule::Number("DEF", 1.0, 1000.0, 1.0).Integer();
    SParameterRule attenuation = SParameterRule::Number("DEF", 1.0, 10.0, 1.0).Integer().Snapped({1.0, 10.0});
    SParameterRule coupling = SParameterRule::Choice("DC", {"DC", "AC"});
    SParameterRule impedance = SParameterRule::Number("DEF", 50.0, 1e6, 50.0).Snapped({50.0, 1e6});
};

const SRules& Rules()
{
    static const SRules rules;
    return rules;
}

size_t RuleIndex(int nChannel)
{
    return static_cast<size_t>(nChannel >= 1 && nChannel <= 3 ? nChannel - 1 : 0);
}
} // namespace

SChannelSettings::SChannelSettings(int nChannel)
    : triggerLevel(Rules().triggerLevel), autoTrigger(Rules().offByDefault),
      relativeLevel(Rules().relativeLevel), slope(Rules().slope), hysteresis(Rules().hysteresis),
      aperture(Rules().aperture), frequencyRange(Rules().frequencyRange[RuleIndex(nChannel)]),
      frequencyRangeAuto(Rules().onByDefault), function(Rules().function[RuleIndex(nChannel)]),
      expected(Rules().expected), resolution(Rules().resolution), lowerReference(Rules().reference),
      upperReference(Rules().reference), filter(Rules().offByDefault), averages(Rules().averages),
      attenuation(Rules().attenuation), coupling(Rules().coupling), impedance(Rules().impedance),
      continuous(Rules().offByDefault)
{
}

void SChannelSettings::PowerOn()
{
    for (CParameter* pParameter :
         {&triggerLevel, &autoTrigger, &relativeLevel, &slope, &hysteresis, &aperture, &frequencyRange,
          &frequencyRangeAuto, &function, &expected, &resolution, &lowerReference, &upperReference, &filter,
          &averages, &attenuation, &coupling, &impedance, &continuous})
        pParameter->PowerOn();
}
} // namespace tarvexsim
