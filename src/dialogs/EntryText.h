#pragma once
// Writing a number the way the entry dialogs show a range.

#include <string>

// The printf %G conversion (six significant digits, trailing zeros dropped, exponent form with a capital
// E for very large or small values) with the exponent written with a sign and at least three digits:
// 2E+008, 1E-005.
std::string FormatGeneral(double dValue);
