#include "Parameter.h"

#include "ScpiFormat.h"

#include <algorithm>
#include <cmath>

namespace tarvexsim
{
SParameterRule SParameterRule::Number(const char* pszPowerOn, double dMin, double dMax, double dDefault)
{
    SParameterRule rule;
    rule.pszPowerOn = pszPowerOn;
    rule.dMin = dMin;
    rule.dMax = dMax;
    rule.dDefault = dDefault;
    return rule;
}

SParameterRule SParameterRule::Choice(const char* pszPowerOn, std::vector<std::string> keywords)
{
    SParameterRule rule;
    rule.eKind = EParameterKind::Choice;
    rule.pszPowerOn = pszPowerOn;
    rule.aKeywords = std::move(keywords);
    return rule;
}

SParameterRule SParameterRule::Boolean(const char* pszPowerOn)
{
    SParameterRule rule;
    rule.eKind = EParameterKind::Boolean;
    rule.pszPowerOn = pszPowerOn;
    return rule;
}

SParameterRule SParameterRule::Integer() const
{
    SParameterRule rule = *this;
    rule.bInteger = true;
    return rule;
}

SParameterRule SParameterRule::Snapped(std::vector<double> values) const
{
    SParameterRule rule = *this;
    rule.aSnap = std::move(values);
    return rule;
}

SParameterRule SParameterRule::Keeping(std::vector<std::string> keywords) const
{
    SParameterRule rule = *this;
    rule.aKeywords = std::move(keywords);
    return rule;
}

SParameterRule SParameterRule::WithVolts() const
{
    SParameterRule rule = *this;
    rule.bVolts = true;
    return rule;
}

SParameterRule SParameterRule::EmptyIsDefault() const
{
    SParameterRule rule = *this;
    rule.bEmptyIsDefault = true;
    return rule;
}

SParameterRule SParameterRule::Quoted() const
{
    SParameterRule rule = *this;
    rule.bQuoted = true;
    return rule;
}

CParameter::CParameter(const SParameterRule& rule) : m_pRule(&rule)
{
    PowerOn();
}

void CParameter::PowerOn()
{
    m_strKeyword.clear();
    m_bVolts = false;
    m_dValue = 0.0;
    Set(CScpiValue::FromText(m_pRule->pszPowerOn));
}

const scpi::SScpiError* CParameter::Set(const CScpiValue& value)
{
    switch (value.Type())
    {
    case CScpiValue::EType::Missing:
        return m_pRule->bEmptyIsDefault ? SetKeyword("DEF") : &scpi::kMissingParameter;
    case CScpiValue::EType::Number:
        return SetNumber(value.Number(), false);
    case CScpiValue::EType::Keyword:
        return SetKeyword(value.Keyword());
    case CScpiValue::EType::Invalid:
        break;
    }
    // "1.5V" or "1.5 V": a voltage where the setting takes one.
    const std::string& text = value.Text();
    if (m_pRule->bVolts && !text.empty() && (text.back() == 'V' || text.back() == 'v'))
    {
        if (const auto volts = CScpiValue::ParseDecimal(std::string_view(text).substr(0, text.size() - 1)))
            return SetNumber(*volts, true);
    }
    return &scpi::kIllegalParameter;
}

const scpi::SScpiError* CParameter::SetNumber(double dValue, bool bVolts)
{
    const SParameterRule& rule = *m_pRule;
    if (rule.eKind == EParameterKind::Choice)
        return &scpi::kIllegalParameter;
    if (!std::isfinite(dValue))
        return &scpi::kDataOutOfRange;
    if (rule.eKind == EParameterKind::Boolean)
    {
        m_dValue = std::lround(dValue) != 0 ? 1.0 : 0.0;
        return nullptr;
    }
    if (rule.bInteger)
        dValue = std::round(dValue);
    const double dMin = bVolts ? -kVoltLimit : rule.dMin;
    const double dMax = bVolts ? kVoltLimit : rule.dMax;
    if (dValue < dMin || dValue > dMax)
        return &scpi::kDataOutOfRange;
    if (!rule.aSnap.empty())
    {
        // Nearest on a logarithmic scale: the choices are decades apart (1 and 10, 50 and 1e6).
        const auto distance = [dValue](double dChoice) { return std::abs(std::log(dValue / dChoice)); };
        dValue = *std::min_element(rule.aSnap.begin(), rule.aSnap.end(),
                                   [&](double a, double b) { return distance(a) < distance(b); });
    }
    m_dValue = dValue;
    m_bVolts = bVolts;
    m_strKeyword.clear();
    return nullptr;
}

const scpi::SScpiError* CParameter::SetKeyword(const std::string& keyword)
{
    const SParameterRule& rule = *m_pRule;
    const bool bListed =
        std::find(rule.aKeywords.begin(), rule.aKeywords.end(), keyword) != rule.aKeywords.end();
    switch (rule.eKind)
    {
    case EParameterKind::Choice:
        if (!bListed)
            return &scpi::kIllegalParameter;
        m_strKeyword = keyword;
        return nullptr;
    case EParameterKind::Boolean:
        if (keyword != "ON" && keyword != "OFF")
            return &scpi::kIllegalParameter;
        m_dValue = keyword == "ON" ? 1.0 : 0.0;
        return nullptr;
    case EParameterKind::Number:
        break;
    }
    if (bListed)
    {
        m_strKeyword = keyword;
        m_bVolts = false;
        return nullptr;
    }
    if (keyword == "MIN")
        return SetNumber(rule.dMin, false);
    if (keyword == "MAX")
        return SetNumber(rule.dMax, false);
    if (keyword == "DEF")
        return SetNumber(rule.dDefault, false);
    return &scpi::kIllegalParameter;
}

std::string CParameter::Answer() const
{
    switch (m_pRule->eKind)
    {
    case EParameterKind::Choice:
        return m_pRule->bQuoted ? "\"" + m_strKeyword + "\"" : m_strKeyword;
    case EParameterKind::Boolean:
        return IsOn() ? "1" : "0";
    case EParameterKind::Number:
        break;
    }
    if (!m_strKeyword.empty())
        return m_strKeyword;
    if (m_pRule->bInteger)
        return CScpiFormat::Integer(std::llround(m_dValue));
    return CScpiFormat::Real(m_dValue) + (m_bVolts ? "V" : "");
}
} // namespace tarvexsim
