#pragma once
// The arguments of one driver call as the call log writes them: integers in decimal, numbers as "%g",
// input texts in double quotes, null pointers as NULL, answer buffers and other outputs as "out".

#include <string>

namespace tarvexsim
{
class CCallArguments
{
public:
    static constexpr size_t kLongestText = 256;

    CCallArguments& Integer(long long nValue);
    CCallArguments& Real(double dValue);
    // An input text, read no further than kLongestText characters; a control character shows as '?', so
    // that one call stays one line.
    CCallArguments& Text(const char* pszText);
    CCallArguments& Out(const void* pOutput);

    const std::string& Line() const { return m_text; } // each argument preceded by one blank

private:
    std::string m_text;
};
} // namespace tarvexsim
