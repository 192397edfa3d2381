#include "ReferenceDlg.h"

#include "framework/base/LeadingNumber.h"

#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace
{
using enum CReferenceDlg::EControlId;
constexpr double kMaxVolts = 10.2375;
constexpr std::array<std::string_view, 9> kPercentages{"10", "20", "30", "40", "50", "60", "70", "80", "90"};
} // namespace

const SMessageEntry<CReferenceDlg> CReferenceDlg::s_messageMap[] = {
    {EN_CHANGE, IDC_REFERENCE, &CReferenceDlg::OnEditChange},
};

CReferenceDlg::CReferenceDlg(QWidget* pParent, const std::string& strTitle)
    : CModalDialog(*res::FindDialogTemplate(res::IDD_REFERENCE), pParent), m_strTitle(strTitle)
{
    m_controls.Bind<CReferenceDlg>(this, s_messageMap);
}

bool CReferenceDlg::IsAcceptable(const std::string& text)
{
    if (!text.empty() && (text.back() == 'V' || text.back() == 'v'))
    {
        const double dVolts = LeadingDouble(text);
        return -kMaxVolts <= dVolts && dVolts <= kMaxVolts;
    }
    return std::find(kPercentages.begin(), kPercentages.end(), text) != kPercentages.end();
}

void CReferenceDlg::OnInitDialog()
{
    setWindowTitle(QString::fromLatin1(m_strTitle));
    // The edit starts empty, which is no reference: OK waits for an acceptable text.
    OnEditChange();
}

void CReferenceDlg::OnEditChange()
{
    m_controls.Enable(IDOK, IsAcceptable(m_controls.Text(IDC_REFERENCE, std::string::npos)));
}

void CReferenceDlg::OnOK()
{
    m_strValue = m_controls.Text(IDC_REFERENCE, std::string::npos);
    CModalDialog::OnOK();
}
