#pragma once
// The modal dialog for a reference level of the pulse and edge measurements: a voltage written with a
// trailing V (or v) between -10.2375 and 10.2375, or a percentage written as one of 10, 20, ... 90. OK is
// enabled only while the text is one of these, and the caller gets the text exactly as typed.

#include "framework/ModalDialog.h"
#include "res/ControlIds.h"

#include <string>

class CReferenceDlg : public CModalDialog
{
public:
    // The id of the template's edit.
    using EControlId = res::reference::EControlId;
    using enum res::reference::EControlId;

    CReferenceDlg(QWidget* pParent, const std::string& strTitle);

    static bool IsAcceptable(const std::string& text);

    std::string m_strValue;
    std::string m_strTitle;

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    void OnEditChange();

    static const SMessageEntry<CReferenceDlg> s_messageMap[];
};
