#pragma once
// The leading number of a text, as the C library's prefix conversions read it: white space skipped, one
// optional sign, digits (for the double also a decimal point and an exponent); reading stops at the first
// character that does not fit, and a text without a number gives 0. Only decimal digits are read (no hex,
// no "inf" or "nan"), with a point as the decimal separator whatever the process locale (which Qt sets
// from the environment). A double too large reads as +-HUGE_VAL, one too small as 0; an integer beyond
// the int range is clamped to it.

#include <string_view>

int LeadingInteger(std::string_view text);
double LeadingDouble(std::string_view text);
// Whether LeadingDouble reads a number from the text (at least one digit), rather than giving 0 for none.
bool HasLeadingNumber(std::string_view text);
