#pragma once
// The session's queries that hand the driver an answer buffer and return its answer, by name: for the tests
// of answers that overrun or leave their buffer unterminated.

#include "instrument/InstrumentSession.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

using FAnswerQuery = std::function<std::string(CInstrumentSession&)>;

const std::vector<std::pair<const char*, FAnswerQuery>>& AnswerQueries();
