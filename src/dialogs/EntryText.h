#pragma once
// Text rules of the entry dialogs: reading the leading number of a text and writing a number the way the
// dialogs show a range.

#include <string>
#include <string_view>

namespace dialogs
{
// The number a text starts with, read like the C library's string-to-double prefix conversion: white
// space skipped, an optional sign, digits with an optional decimal point, an optional exponent. The
// longest such prefix counts; a text without one reads as 0. Only decimal digits are read (no hex, no
// "inf" or "nan"), whatever the process locale. A value too large for a double reads as +-HUGE_VAL, one
// too small as 0.
double LeadingNumber(std::string_view text);

// The printf %G conversion (six significant digits, trailing zeros dropped, exponent form with a capital
// E for very large or small values) with the exponent written with a sign and at least three digits:
// 2E+008, 1E-005.
std::string FormatGeneral(double dValue);
} // namespace dialogs
