#include "ScpiHeader.h"

#include "ScpiCommand.h"

#include <algorithm>
#include <cctype>

namespace scpi
{
namespace
{
constexpr std::string_view kSuffixMark = "<n>";

std::string Upper(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}
} // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(
        a.begin(), a.end(), b.begin(), b.end(),
        [](char x, char y) {
            return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
        });
}

CHeaderPattern::CHeaderPattern(std::string_view header)
{
    m_bQuery = header.ends_with('?');
    if (m_bQuery)
        header.remove_suffix(1);
    m_bCommon = header.starts_with('*');
    // "[SENSe<n>:]EVENt:LEVel[:ABSolute]": optional nodes in brackets, the colons inside or outside them.
    while (!header.empty())
    {
        SNode node;
        if (header.front() == ':')
        {
            header.remove_prefix(1);
            continue;
        }
        std::string_view text;
        if (header.front() == '[')
        {
            const size_t nClose = header.find(']');
            text = header.substr(1, nClose - 1);
            header.remove_prefix(nClose + 1);
            node.bOptional = true;
        }
        else
        {
            const size_t nEnd = std::min(header.find(':'), header.find('['));
            text = header.substr(0, nEnd);
            header.remove_prefix(std::min(nEnd, header.size()));
        }
        while (text.starts_with(':'))
            text.remove_prefix(1);
        while (text.ends_with(':'))
            text.remove_suffix(1);
        node.bSuffix = text.ends_with(kSuffixMark);
        if (node.bSuffix)
            text.remove_suffix(kSuffixMark.size());
        node.longForm = text;
        // The short form is the leading capitals ("SENSe" -> "SENS"); a common command is all of it.
        const auto firstLower = std::find_if(
            text.begin(), text.end(), [](char c) { return std::islower(static_cast<unsigned char>(c)); });
        node.shortForm = text.substr(0, static_cast<size_t>(firstLower - text.begin()));
        m_nodes.push_back(node);
    }
}

bool CHeaderPattern::TakesSuffix() const
{
    return std::any_of(
        m_nodes.begin(), m_nodes.end(), [](const SNode& node) { return node.bSuffix; });
}

bool CHeaderPattern::Names(const SNode& node, const SReceivedNode& received)
{
    if (received.suffix && !node.bSuffix)
        return false;
    return EqualsIgnoringCase(received.name, node.shortForm) ||
           EqualsIgnoringCase(received.name, node.longForm);
}

bool CHeaderPattern::Match(std::span<const SReceivedNode> nodes, int& nSuffix) const
{
    nSuffix = 1;
    return MatchFrom(nodes, 0, nSuffix);
}

bool CHeaderPattern::MatchFrom(std::span<const SReceivedNode> nodes, size_t nNode, int& nSuffix) const
{
    if (nNode == m_nodes.size())
        return nodes.empty();
    const SNode& node = m_nodes[nNode];
    if (!nodes.empty() && Names(node, nodes.front()) && MatchFrom(nodes.subspan(1), nNode + 1, nSuffix))
    {
        if (node.bSuffix && nodes.front().suffix)
            nSuffix = *nodes.front().suffix;
        return true;
    }
    // An optional node may be left out.
    return node.bOptional && MatchFrom(nodes, nNode + 1, nSuffix);
}

std::string CHeaderPattern::Text(EForm eForm, int nSuffix) const
{
    std::string text;
    for (const SNode& node : m_nodes)
    {
        if (eForm == EForm::Short && node.bOptional && !node.bSuffix)
            continue;
        if (!m_bCommon)
            text += ':';
        text += eForm == EForm::Short ? std::string(node.shortForm) : Upper(node.longForm);
        if (node.bSuffix)
            text += std::to_string(nSuffix);
    }
    if (!m_bCommon)
        text.erase(0, 1);
    return m_bQuery ? text + '?' : text;
}

const std::vector<CHeaderPattern>& HeaderPatterns()
{
    static const std::vector<CHeaderPattern> patterns = []
    {
        std::vector<CHeaderPattern> built;
        for (const SCommand& command : Commands())
            built.emplace_back(command.header);
        return built;
    }();
    return patterns;
}
} // namespace scpi
