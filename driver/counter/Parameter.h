#pragma once
// One setting of the instrument: how it reads a new value (numbers in a range, keywords, ON/OFF) and how it
// answers the setting's query. Every setting of every subsystem is one of these, described by a rule.

#include "ScpiError.h"
#include "ScpiValue.h"

#include <string>
#include <vector>

namespace tarvexsim
{
enum class EParameterKind
{
    Number,  // a number in [dMin, dMax]; MIN, MAX and DEF stand for dMin, dMax and dDefault
    Choice,  // one of aKeywords, answered as the keyword
    Boolean, // ON, OFF or a number (non-zero is on); answered "1" or "0"
};

struct SParameterRule
{
    static SParameterRule Number(const char* pszPowerOn, double dMin, double dMax, double dDefault);
    static SParameterRule Choice(const char* pszPowerOn, std::vector<std::string> keywords);
    static SParameterRule Boolean(const char* pszPowerOn);
    // Refinements of a number rule (Quoted: of a choice), each returning the refined rule.
    SParameterRule Integer() const;                           // rounded; answered "+50"
    SParameterRule Snapped(std::vector<double> values) const; // only these values; the nearest is taken
    SParameterRule
    Keeping(std::vector<std::string> keywords) const; // these are kept and answered as keywords
    SParameterRule WithVolts() const;      // a text ending in V is a voltage within +-10.2375 instead
    SParameterRule EmptyIsDefault() const; // an empty text means DEF rather than a missing parameter
    SParameterRule Quoted() const;         // the choice is answered in double quotes

    EParameterKind eKind = EParameterKind::Number;
    const char* pszPowerOn = ""; // the value at power-on, read like any value sent
    double dMin = 0.0;
    double dMax = 0.0;
    double dDefault = 0.0;
    bool bInteger = false;
    std::vector<double> aSnap;
    std::vector<std::string> aKeywords; // Choice: the choices; Number: the keywords kept as such
    bool bQuoted = false;
    bool bVolts = false;
    bool bEmptyIsDefault = false;
};

class CParameter
{
public:
    static constexpr double kVoltLimit = 10.2375;

    explicit CParameter(const SParameterRule& rule);

    void PowerOn();
    // Null when taken; otherwise the error, and the setting is unchanged.
    const scpi::SScpiError* Set(const CScpiValue& value);
    std::string Answer() const;

    double Number() const { return m_dValue; }
    bool IsOn() const { return m_dValue != 0.0; }
    const std::string& Keyword() const { return m_strKeyword; } // empty while a number is set
    bool IsVolts() const { return m_bVolts; }

private:
    const scpi::SScpiError* SetNumber(double dValue, bool bVolts);
    const scpi::SScpiError* SetKeyword(const std::string& keyword);

    const SParameterRule* m_pRule;
    double m_dValue = 0.0;
    std::string m_strKeyword;
    bool m_bVolts = false;
};
} // namespace tarvexsim
