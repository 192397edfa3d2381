#pragma once
// The string table: user-visible texts by number.

#include <string>

namespace res
{
const char* FindString(int nId); // null for a number the table does not have
std::string LoadString(int nId); // empty for a number the table does not have
} // namespace res
