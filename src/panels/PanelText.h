#pragma once
// Text rules of the setting panels: which level texts the operator may send, and which text a two-state
// control sends. The leading integer and leading number of a text are read as the session reads them
// (framework/LeadingNumber.h), so a panel checks the same number the session would send.

#include "framework/base/LeadingNumber.h"

#include <array>
#include <string>

// Exactly "MIN", "MAX" or "DEF" (upper case, nothing else).
bool IsLevelKeyword(const std::string& text);

// A trigger level the operator may send: a level keyword, or a number starting with a digit or a sign
// (a sign followed by a number) whose value lies in -10.2375 .. +10.2375. Trailing characters pass.
bool IsTriggerLevelAcceptable(const std::string& text);

// A relative trigger level the operator may send: a level keyword, or a text not starting with a letter
// whose leading integer lies in 10 .. 90. Trailing characters pass.
bool IsRelativeLevelAcceptable(const std::string& text);

// The texts a two-state control sends: the first for state 0 (unchecked), the second for state 1.
using StateTexts = std::array<const char*, 2>;
const char* StateText(const StateTexts& texts, int nState); // any nonzero state is state 1
