#pragma once
// The modal dialog that asks for one instrument parameter: a number within the caller's range or one of
// the allowed keywords MIN, MAX, DEF and AUTO (offered as radio buttons that fill the edit). OK is enabled
// only while the text is acceptable, and the caller gets the text exactly as typed.

#include "ValueEntryLimits.h"
#include "res/ControlIds.h"

#include "framework/ModalDialog.h"

#include <string>

class CValueEntryDlg : public CModalDialog
{
public:
    // The ids of the template's controls.
    using EControlId = res::value_entry::EControlId;
    using enum res::value_entry::EControlId;

    CValueEntryDlg(const std::string& strValue, const CValueEntryLimits& limits, const std::string& strTitle,
                   QWidget* pParent);

    // Whether the text passes: it has a leading number and that lies in the inclusive range (when numbers
    // are accepted), or it is exactly one of the keywords whose bit is set.
    static bool IsAcceptable(const std::string& text, const CValueEntryLimits& limits);
    // "Range: <min> to <max> <units>", the numbers as %G with a three-digit exponent.
    static std::string FormatPrompt(const CValueEntryLimits& limits);

    std::string m_strValue;
    std::string m_strPrompt;
    std::string m_strTitle;

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    void OnEditChange();
    void OnDiscreteClicked();

    static const SMessageEntry<CValueEntryDlg> s_messageMap[];

    CValueEntryLimits m_limits;
};
