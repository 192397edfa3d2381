// The Select Instrument dialog: a single VXI resource is taken without asking; otherwise every resource
// is offered, sorted, with the first selected.

#include "dialogs/SelectInstrumentDlg.h"

#include "framework/ModalScript.h"
#include "res/ControlIds.h"
#include "support/TestSupport.h"

#include <QTest>

#include <gtest/gtest.h>

namespace
{
using enum res::select_instrument::EControlId;
using Resources = std::vector<std::string>;

TEST(SelectInstrumentDlg, FindsTheOneResourceThatMentionsVxiInAnyCase)
{
    const std::pair<Resources, int> cases[] = {
        {{}, -1},
        {{"GPIB0::22::INSTR"}, -1},
        {{"GPIB0::22::INSTR", "vxi0::24::instr"}, 1},
        {{"VXI0::24::INSTR", "GPIB0::22::INSTR"}, 0},
        {{"GPIB-vXi::1::INSTR"}, 0},
        {{"VXI0::9::INSTR", "GPIB0::1::INSTR", "vxi0::3::INSTR"}, -1},
        {{"VX I0::1::INSTR", "V-X-I"}, -1},
    };
    for (const auto& [resources, nExpected] : cases)
        EXPECT_EQ(CSelectInstrumentDlg::FindSingleVxi(resources), nExpected) << resources.size();
}

TEST(SelectInstrumentDlg, SingleVxiResourceIsChosenWithoutShowingTheDialog)
{
    CSelectInstrumentDlg dlg({"GPIB0::22::INSTR", "vxi0::24::instr"}, nullptr);
    QueueModalScript([](CModalDialog&) { ADD_FAILURE() << "the dialog was shown"; });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    ClearModalScripts();
    EXPECT_EQ(dlg.m_strSelected, "vxi0::24::instr");
}

TEST(SelectInstrumentDlg, OtherwiseAllAreOfferedSortedWithTheFirstSelectedAndOkTakesTheChoice)
{
    const struct
    {
        Resources resources;
        Resources sorted;
        int nDown; // the operator moves down the list this many times before OK
    } cases[] = {
        {{"VXI0::9::INSTR", "GPIB0::1::INSTR", "vxi0::3::INSTR"},
         {"GPIB0::1::INSTR", "vxi0::3::INSTR", "VXI0::9::INSTR"},
         0},
        {{"GPIB0::5::INSTR", "ASRL1::INSTR"}, {"ASRL1::INSTR", "GPIB0::5::INSTR"}, 0},
        {{"GPIB0::5::INSTR", "TCPIP0::10.0.0.2::INSTR", "ASRL1::INSTR"},
         {"ASRL1::INSTR", "GPIB0::5::INSTR", "TCPIP0::10.0.0.2::INSTR"},
         2},
    };
    for (const auto& c : cases)
    {
        CSelectInstrumentDlg dlg(c.resources, nullptr);
        Resources shown;
        int nSelected = -2;
        QueueModalScript(
            [&](CModalDialog& d)
            {
                CDialogControls& controls = d.Controls();
                for (int i = 0; i < controls.GetCount(IDC_RESOURCES); ++i)
                    shown.push_back(controls.GetLBText(IDC_RESOURCES, i));
                nSelected = controls.GetCurSel(IDC_RESOURCES);
                for (int i = 0; i < c.nDown; ++i)
                    QTest::keyClick(controls.Item(IDC_RESOURCES), Qt::Key_Down);
                testsupport::Click(controls.Item(IDOK));
            });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(shown, c.sorted);
        EXPECT_EQ(nSelected, 0);
        EXPECT_EQ(dlg.m_strSelected, c.sorted[static_cast<std::size_t>(c.nDown)]);
    }
}

TEST(SelectInstrumentDlg, CancelReturnsCancelAndChoosesNothing)
{
    CSelectInstrumentDlg dlg({"GPIB0::5::INSTR", "ASRL1::INSTR"}, nullptr);
    QueueModalScript([](CModalDialog& d) { testsupport::Click(d.Controls().Item(IDCANCEL)); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_strSelected, "");
}
} // namespace
