#pragma once
// One parameter as the instrument receives it: a number, a keyword (upper-cased, quotes removed), nothing,
// or something it cannot read. Parsing never depends on the process locale.

#include <optional>
#include <string>
#include <string_view>

namespace tarvexsim
{
class CScpiValue
{
public:
    enum class EType
    {
        Missing,
        Number,
        Keyword,
        Invalid,
    };

    static CScpiValue FromNumber(double dValue);
    static CScpiValue FromText(std::string_view text);

    // A whole text as a decimal number (blanks around it allowed; no hex, no inf or nan).
    static std::optional<double> ParseDecimal(std::string_view text);
    static std::string_view Trim(std::string_view text);

    EType Type() const { return m_eType; }
    double Number() const { return m_dNumber; }
    const std::string& Keyword() const { return m_strKeyword; }
    bool IsKeyword(std::string_view keyword) const
    {
        return m_eType == EType::Keyword && m_strKeyword == keyword;
    }
    const std::string& Text() const { return m_strText; } // the trimmed text as received

private:
    EType m_eType = EType::Missing;
    double m_dNumber = 0.0;
    std::string m_strKeyword;
    std::string m_strText;
};
} // namespace tarvexsim
