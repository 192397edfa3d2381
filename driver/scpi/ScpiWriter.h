#pragma once
// Writes program messages from the command table, as the LAN driver sends them: the header's short form
// with its numeric suffix, and parameters that can never change the message's structure.

#include "ScpiCommand.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scpi
{
// "SENS2:EVEN:SLOP NEG", "CONF1:FREQ 1E7,DEF,DEF,DEF", "FETC3?".
std::string CommandText(const SCommand& command, int nSuffix,
                        const std::vector<std::string>& parameters = {});

// A caller's text as one parameter: as it is when it is a number, a keyword or a string (a string without the
// blanks around it), otherwise as a string (its quotes doubled), so that a ';', ',' or quote in it stays
// inside the parameter; an empty text is the empty string. None for a text with a character a message cannot
// carry (a control character, a byte above 126).
std::optional<std::string> ParameterText(std::string_view text);

// Whether a message can carry the text: no control character, no byte above 126.
bool IsSendable(std::string_view text);

// A number so that it reads back as the same double; SCPI's 9.91E37 for NaN, +-9.9E37 for the infinities.
std::string NumberText(double dValue);
} // namespace scpi
