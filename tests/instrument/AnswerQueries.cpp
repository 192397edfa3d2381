#include "AnswerQueries.h"

using enum ESenseSelector;
using enum EInputSelector;
using enum EArmSelector;

const std::vector<std::pair<const char*, FAnswerQuery>>& AnswerQueries()
{
    static const std::vector<std::pair<const char*, FAnswerQuery>> queries = {
        {"fetch", [](auto& s) { return s.Fetch(1); }},
        {"read", [](auto& s) { return s.Read(1); }},
        {"continuous", [](auto& s) { return s.QueryContinuous(1); }},
        {"sense", [](auto& s) { return s.QuerySense(1, RelativeTriggerLevel); }},
        {"input", [](auto& s) { return s.QueryInput(1, Coupling); }},
        {"arm", [](auto& s) { return s.QueryArm(StartSource); }},
        {"output", [](auto& s) { return s.QueryOutput("ROSC"); }},
    };
    return queries;
}
