#include "AnswerQueries.h"

const std::vector<std::pair<const char*, FAnswerQuery>>& AnswerQueries()
{
    static const std::vector<std::pair<const char*, FAnswerQuery>> queries = {
        {"fetch", [](auto& s) { return s.Fetch(1); }},
        {"read", [](auto& s) { return s.Read(1); }},
        {"continuous", [](auto& s) { return s.QueryContinuous(1); }},
        {"sense", [](auto& s) { return s.QuerySense(1, 2); }},
        {"input", [](auto& s) { return s.QueryInput(1, 2); }},
        {"arm", [](auto& s) { return s.QueryArm(4); }},
        {"output", [](auto& s) { return s.QueryOutput("ROSC"); }},
    };
    return queries;
}
