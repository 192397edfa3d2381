#pragma once
// The leading number of a text, as the counter's texts are read: leading white space skipped, one optional
// sign, then digits (for the double also a decimal point and an exponent); reading stops at the first
// character that does not fit, and a text without a number gives 0. The double is read with a point as
// the decimal separator whatever the user's locale is.

#include <string>

int LeadingInteger(const std::string& text);
double LeadingDouble(const std::string& text);
