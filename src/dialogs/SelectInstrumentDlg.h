#pragma once
// The modal dialog in which the operator picks the instrument to open when the automatic search found
// several. A single VXI resource among them is taken without asking: the dialog then closes with OK
// before it is seen.

#include "framework/ModalDialog.h"

#include <string>
#include <vector>

class CSelectInstrumentDlg : public CModalDialog
{
public:
    CSelectInstrumentDlg(const std::vector<std::string>& resources, QWidget* pParent);

    // The index of the one resource whose text mentions VXI in any case, or -1 when none or several do.
    static int FindSingleVxi(const std::vector<std::string>& resources);

    std::string m_strSelected;

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    std::vector<std::string> m_resources;
};
