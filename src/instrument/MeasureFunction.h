#pragma once
// The keyword the counter answers its function query with, for the measurement functions the ABI header
// names.

#include "TarvexAbi.h"

#include <string>

// The counter's answer to its function query: the function's keyword in double quotes, "\"PER\"" for the
// period; an empty text for a value that names no function.
std::string QuotedFunctionKeyword(EMeasureFunction eFunction);
