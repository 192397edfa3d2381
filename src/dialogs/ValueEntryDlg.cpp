#include "ValueEntryDlg.h"

#include "EntryText.h"
#include "framework/base/LeadingNumber.h"

#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

#include <array>

namespace
{
using enum CValueEntryDlg::EControlId;

// The keywords in the order they are tested, with their bits and radio buttons.
struct SDiscrete
{
    std::uint8_t nBit;
    int nRadioId;
    const char* pszKeyword;
};
constexpr std::array<SDiscrete, 4> kDiscretes{{
    {CValueEntryLimits::DISCRETE_MIN, IDC_MIN, "MIN"},
    {CValueEntryLimits::DISCRETE_MAX, IDC_MAX, "MAX"},
    {CValueEntryLimits::DISCRETE_DEF, IDC_DEF, "DEF"},
    {CValueEntryLimits::DISCRETE_AUTO, IDC_AUTO, "AUTO"},
}};
} // namespace

const SMessageEntry<CValueEntryDlg> CValueEntryDlg::s_messageMap[] = {
    {EN_CHANGE, IDC_VALUE, &CValueEntryDlg::OnEditChange},
    {BN_CLICKED, kDiscretes[0].nRadioId, &CValueEntryDlg::OnDiscreteClicked},
    {BN_CLICKED, kDiscretes[1].nRadioId, &CValueEntryDlg::OnDiscreteClicked},
    {BN_CLICKED, kDiscretes[2].nRadioId, &CValueEntryDlg::OnDiscreteClicked},
    {BN_CLICKED, kDiscretes[3].nRadioId, &CValueEntryDlg::OnDiscreteClicked},
};

CValueEntryDlg::CValueEntryDlg(const std::string& strValue, const CValueEntryLimits& limits,
                               const std::string& strTitle, QWidget* pParent)
    : CModalDialog(*res::FindDialogTemplate(res::IDD_VALUE_ENTRY), pParent), m_strValue(strValue),
      m_strTitle(strTitle), m_limits(limits)
{
    m_controls.Bind<CValueEntryDlg>(this, s_messageMap);
}

bool CValueEntryDlg::IsAcceptable(const std::string& text, const CValueEntryLimits& limits)
{
    // A text without a number is no value, even where 0 lies in the range.
    if (limits.m_bRange && HasLeadingNumber(text))
    {
        const double dValue = LeadingDouble(text);
        if (limits.m_dMin <= dValue && dValue <= limits.m_dMax)
            return true;
    }
    for (const SDiscrete& discrete : kDiscretes)
        if ((limits.m_nDiscretes & discrete.nBit) && text == discrete.pszKeyword)
            return true;
    return false;
}

std::string CValueEntryDlg::FormatPrompt(const CValueEntryLimits& limits)
{
    return "Range: " + FormatGeneral(limits.m_dMin) + " to " + FormatGeneral(limits.m_dMax) + " " +
           limits.m_strUnits;
}

void CValueEntryDlg::OnInitDialog()
{
    setWindowTitle(QString::fromLatin1(m_strTitle));
    m_controls.Show(IDC_HIDDEN_COMBO, false);
    if (m_limits.m_bRange)
        m_strPrompt = FormatPrompt(m_limits);
    else
        m_controls.Show(IDC_PROMPT, false);
    for (const SDiscrete& discrete : kDiscretes)
        m_controls.Enable(discrete.nRadioId, (m_limits.m_nDiscretes & discrete.nBit) != 0);
    m_controls.SetText(IDC_VALUE, m_strValue);
    m_controls.SetText(IDC_PROMPT, m_strPrompt);
    // OK follows the text from the start, also when putting it in changed nothing (an empty text).
    OnEditChange();
}

void CValueEntryDlg::OnEditChange()
{
    // The whole text is judged, the same text OK hands to the caller.
    const std::string text = m_controls.Text(IDC_VALUE, std::string::npos);
    m_controls.Enable(IDOK, IsAcceptable(text, m_limits));
}

void CValueEntryDlg::OnDiscreteClicked()
{
    for (const SDiscrete& discrete : kDiscretes)
    {
        if (m_controls.IsChecked(discrete.nRadioId))
        {
            m_controls.SetText(IDC_VALUE, discrete.pszKeyword);
            return;
        }
    }
}

void CValueEntryDlg::OnOK()
{
    m_strValue = m_controls.Text(IDC_VALUE, std::string::npos);
    m_strPrompt = m_controls.Text(IDC_PROMPT, std::string::npos);
    CModalDialog::OnOK();
}
