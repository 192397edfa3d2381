#pragma once
// A header of the command table read into its nodes, so that a received header can be matched against it
// and a command can be written from it in the short or the long form.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace scpi
{
// Mnemonics, device names and resource names compare without regard to case.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// A node of a received header: its name as sent and the numeric suffix, if one was sent.
struct SReceivedNode
{
    std::string_view name;
    std::optional<int> suffix;
};

class CHeaderPattern
{
public:
    enum class EForm
    {
        Short, // the capitals of each node, optional nodes left out unless they carry the suffix
        Long,  // every node, optional ones too, in full
    };

    explicit CHeaderPattern(std::string_view header);

    // True when the nodes name this header; nSuffix gets the numeric suffix sent (1 when none was).
    bool Match(std::span<const SReceivedNode> nodes, int& nSuffix) const;
    // The header as a command writes it, with the suffix where the header takes one.
    std::string Text(EForm eForm, int nSuffix) const;

    bool IsQuery() const { return m_bQuery; }
    bool IsCommon() const { return m_bCommon; }
    bool TakesSuffix() const;

private:
    struct SNode
    {
        std::string_view longForm;
        std::string_view shortForm;
        bool bOptional = false;
        bool bSuffix = false;
    };

    bool MatchFrom(std::span<const SReceivedNode> nodes, size_t nNode, int& nSuffix) const;
    static bool Names(const SNode& node, const SReceivedNode& received);

    std::vector<SNode> m_nodes;
    bool m_bQuery = false;
    bool m_bCommon = false;
};

// The pattern of each row of the command table, in the table's order.
const std::vector<CHeaderPattern>& HeaderPatterns();
} // namespace scpi
