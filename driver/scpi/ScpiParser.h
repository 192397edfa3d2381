#pragma once
// Reads one program message of IEEE 488.2 (the text before its newline) into its units: each a row of the
// command table, the numeric suffix, and the parameters as sent. Units are separated by ';'; a header
// without a leading ':' continues the path of the unit before it ("SENS2:EVEN:LEV 1;SLOP NEG" sets the
// slope of channel 2); headers match in the short or the long form, in any case.

#include "ScpiCommand.h"
#include "ScpiError.h"
#include "ScpiHeader.h"

#include <string>
#include <string_view>
#include <vector>

namespace scpi
{
struct SUnit
{
    const SCommand* pCommand = nullptr;
    int nSuffix = 1;
    // Blanks around each parameter removed; quotes kept, so that a string stays a string.
    std::vector<std::string> parameters;
};

class CMessageParser
{
public:
    // The longest numeric suffix read, in digits.
    static constexpr size_t kLongestSuffix = 6;

    explicit CMessageParser(std::string_view message);

    enum class EResult
    {
        Unit,
        End,
        Error, // pError says which; the rest of the message is skipped and End follows
    };
    EResult Next(SUnit& unit, const SScpiError*& pError);

private:
    // The text of the next unit, up to a ';' outside quotes; false when a quote is left open.
    bool TakeUnitText(std::string_view& text);
    const SScpiError* ReadHeader(std::string_view header, SUnit& unit);
    static const SScpiError* ReadParameters(std::string_view text, SUnit& unit);
    static const SScpiError* CheckCount(const SCommand& command, size_t nCount);

    std::string m_message;
    size_t m_nPosition = 0;
    std::vector<std::string> m_path; // the nodes the next relative header continues, as sent
};
} // namespace scpi
