#include "SelectInstrumentDlg.h"

#include "res/ControlIds.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

#include <algorithm>
#include <cctype>

namespace
{
using enum res::select_instrument::EControlId;

bool MentionsVxi(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text.find("VXI") != std::string::npos;
}
} // namespace

CSelectInstrumentDlg::CSelectInstrumentDlg(const std::vector<std::string>& resources, QWidget* pParent)
    : CModalDialog(*res::FindDialogTemplate(res::IDD_SELECT_INSTRUMENT), pParent), m_resources(resources)
{
}

int CSelectInstrumentDlg::FindSingleVxi(const std::vector<std::string>& resources)
{
    int nMatches = 0;
    int nIndex = -1;
    for (std::size_t i = 0; i < resources.size(); ++i)
    {
        if (MentionsVxi(resources[i]))
        {
            ++nMatches;
            nIndex = static_cast<int>(i);
        }
    }
    return nMatches == 1 ? nIndex : -1;
}

void CSelectInstrumentDlg::OnInitDialog()
{
    const int nVxi = FindSingleVxi(m_resources);
    if (nVxi >= 0)
    {
        m_strSelected = m_resources[static_cast<std::size_t>(nVxi)];
        EndDialog(IDOK);
        return;
    }
    for (const std::string& resource : m_resources)
        m_controls.AddString(IDC_RESOURCES, resource);
    m_controls.SetCurSel(IDC_RESOURCES, 0);
}

void CSelectInstrumentDlg::OnOK()
{
    const int nSel = m_controls.GetCurSel(IDC_RESOURCES);
    m_strSelected = nSel >= 0 ? m_controls.GetLBText(IDC_RESOURCES, nSel) : std::string();
    CModalDialog::OnOK();
}
