// Modal dialogs driven by a script inside their own loop, and modeless panels' creation and destruction.

#include "framework/Dialog.h"
#include "framework/ModalDialog.h"
#include "framework/ModalScript.h"

#include "support/TestSupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace
{
constexpr int kValueEdit = 100;

const SDialogTemplate& EntryTemplate()
{
    static const SDialogTemplate s_template{
        950,
        186,
        92,
        "Entry",
        true,
        "MS Sans Serif",
        8,
        {
            {kValueEdit, EControlKind::Edit, "", 8, 40, 164, 13, CS_TABSTOP, {}},
            {IDOK, EControlKind::DefPushButton, "OK", 36, 64, 50, 14, CS_TABSTOP, {}},
            {IDCANCEL, EControlKind::PushButton, "Cancel", 104, 64, 50, 14, CS_TABSTOP, {}},
        }};
    return s_template;
}

// A modal entry dialog that counts what the framework calls on it.
class CEntryDlg : public CModalDialog
{
public:
    explicit CEntryDlg(std::optional<int> endInInit = {})
        : CModalDialog(EntryTemplate(), nullptr), m_endInInit(endInInit)
    {
    }
    int m_nInit = 0;
    int m_nOk = 0;
    int m_nCancel = 0;
    std::string m_strValue;

protected:
    void OnInitDialog() override
    {
        ++m_nInit;
        if (m_endInInit)
            EndDialog(*m_endInInit);
    }
    void OnOK() override
    {
        ++m_nOk;
        m_strValue = m_controls.Text(kValueEdit);
        CModalDialog::OnOK();
    }
    void OnCancel() override
    {
        ++m_nCancel;
        CModalDialog::OnCancel();
    }

private:
    std::optional<int> m_endInInit;
};
} // namespace

TEST(ModalDialog, ScriptRunsInsideTheDialogsOwnLoop)
{
    struct SCase
    {
        const char* pszName;
        ModalScript script;
        int nResult, nOk, nCancel;
        std::string value;
    };
    const SCase cases[] = {
        {"type and click OK",
         [](CModalDialog& dlg)
         {
             QTest::keyClicks(dlg.Controls().Item(kValueEdit), "12.5");
             testsupport::Click(dlg.Controls().Item(IDOK));
         },
         IDOK, 1, 0, "12.5"},
        {"Enter presses the default button",
         [](CModalDialog& dlg)
         {
             QTest::keyClicks(dlg.Controls().Item(kValueEdit), "7");
             QTest::keyClick(dlg.Controls().Item(kValueEdit), Qt::Key_Return);
         },
         IDOK, 1, 0, "7"},
        {"Cancel button", [](CModalDialog& dlg) { testsupport::Click(dlg.Controls().Item(IDCANCEL)); },
         IDCANCEL, 0, 1, ""},
        {"Escape cancels", [](CModalDialog& dlg) { QTest::keyClick(&dlg, Qt::Key_Escape); }, IDCANCEL, 0, 1,
         ""},
        {"closing the window cancels", [](CModalDialog& dlg) { dlg.close(); }, IDCANCEL, 0, 1, ""},
        {"a script that leaves the dialog open", [](CModalDialog&) {}, IDCANCEL, 0, 0, ""},
        {"a script that throws", [](CModalDialog&) { ThrowUserException(); }, IDCANCEL, 0, 0, ""},
        {"EndDialog with any result", [](CModalDialog& dlg) { dlg.EndDialog(7); }, 7, 0, 0, ""},
    };
    for (const auto& c : cases)
    {
        CEntryDlg dlg;
        bool bInLoop = false;
        QueueModalScript(
            [&](CModalDialog& shown)
            {
                bInLoop = &shown == &dlg && shown.isVisible() && QApplication::activeModalWidget() == &dlg;
                c.script(shown);
            });
        EXPECT_EQ(dlg.DoModal(), c.nResult) << c.pszName;
        EXPECT_TRUE(bInLoop) << c.pszName;
        EXPECT_FALSE(HasQueuedModalScript()) << c.pszName;
        EXPECT_EQ(dlg.m_nInit, 1) << c.pszName;
        EXPECT_EQ(dlg.m_nOk, c.nOk) << c.pszName;
        EXPECT_EQ(dlg.m_nCancel, c.nCancel) << c.pszName;
        EXPECT_EQ(dlg.m_strValue, c.value) << c.pszName;
        EXPECT_FALSE(dlg.isVisible()) << c.pszName;
    }
}

TEST(ModalDialog, EndDialogInInitReturnsAtOnceAndLeavesTheScriptQueued)
{
    bool bRan = false;
    QueueModalScript([&](CModalDialog&) { bRan = true; });
    CEntryDlg dlg(IDOK);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(bRan);
    EXPECT_TRUE(HasQueuedModalScript());
    ClearModalScripts();
    EXPECT_FALSE(HasQueuedModalScript());
}

TEST(ModalDialog, ScriptsAreTakenInOrderByNestedDialogs)
{
    std::vector<std::string> order;
    QueueModalScript(
        [&](CModalDialog& outer)
        {
            order.push_back("outer");
            CEntryDlg inner;
            EXPECT_EQ(inner.DoModal(), IDOK);
            order.push_back("outer again");
            testsupport::Click(outer.Controls().Item(IDCANCEL));
        });
    QueueModalScript(
        [&](CModalDialog& inner)
        {
            order.push_back("inner");
            testsupport::Click(inner.Controls().Item(IDOK));
        });
    CEntryDlg outer;
    EXPECT_EQ(outer.DoModal(), IDCANCEL);
    EXPECT_EQ(order, (std::vector<std::string>{"outer", "inner", "outer again"}));
    EXPECT_EQ(TakeModalScript(), nullptr);
}

TEST(ModalDialog, ShowingTheSameDialogAgainKeepsOneSetOfControls)
{
    CEntryDlg dlg;
    for (const char* pszTyped : {"1", "2"})
    {
        QueueModalScript(
            [pszTyped](CModalDialog& shown)
            {
                QTest::keyClicks(shown.Controls().Item(kValueEdit), pszTyped);
                testsupport::Click(shown.Controls().Item(IDOK));
            });
        EXPECT_EQ(dlg.DoModal(), IDOK);
    }
    EXPECT_EQ(dlg.m_nOk, 2); // one OnOK per click: the OK binding was made once
    EXPECT_EQ(dlg.m_strValue, "2") << "the edit keeps its text, selected when the dialog opens again";
    EXPECT_EQ(dlg.findChildren<QLineEdit*>().size(), 1);
}

namespace
{
const SDialogTemplate& PanelTemplate()
{
    static const SDialogTemplate s_template{
        951,   140,
        190,   "",
        false, "MS Sans Serif",
        8,     {{10, EControlKind::PushButton, "Go", 4, 4, 40, 14, CS_TABSTOP, {}}}};
    return s_template;
}

// A modeless panel that counts its initialisation and destruction.
class CTestPanel : public CDialog
{
public:
    CTestPanel(QWidget* pParent, int& nDestroyed) : CDialog(pParent), m_nDestroyed(nDestroyed)
    {
        Create(PanelTemplate());
    }
    int m_nInit = 0;
    bool m_bShownInInit = true;
    CDialogControls& Controls() { return m_controls; }

protected:
    void OnInitDialog() override
    {
        ++m_nInit;
        m_bShownInInit = isVisible();
    }
    void OnDestroy() override { ++m_nDestroyed; }

private:
    int& m_nDestroyed;
};
} // namespace

TEST(ModelessDialog, CreateBuildsInitialisesAndShowsAChildWindow)
{
    QWidget frame;
    frame.show();
    int nDestroyed = 0;
    auto* pPanel = new CTestPanel(&frame, nDestroyed);
    EXPECT_EQ(pPanel->m_nInit, 1);
    EXPECT_FALSE(pPanel->m_bShownInInit);
    EXPECT_TRUE(pPanel->isVisible());
    EXPECT_FALSE(pPanel->isWindow());
    EXPECT_EQ(pPanel->size(), pPanel->Controls().SizeInPixels());
    ASSERT_NE(pPanel->Controls().Item(10), nullptr);

    // Enter and Escape do nothing to a panel.
    QTest::keyClick(pPanel->Controls().Item(10), Qt::Key_Escape);
    QTest::keyClick(pPanel, Qt::Key_Return);
    EXPECT_TRUE(pPanel->isVisible());
    EXPECT_EQ(nDestroyed, 0);
}

TEST(ModelessDialog, DestroyWindowHidesRunsOnDestroyOnceAndDeletesLater)
{
    QWidget frame;
    frame.show();
    int nDestroyed = 0;
    QPointer<CTestPanel> pPanel = new CTestPanel(&frame, nDestroyed);
    // Destroyed from its own handler, as a panel's button may do: the object outlives the handler.
    pPanel->Controls().Connect(BN_CLICKED, 10,
                               [&]
                               {
                                   pPanel->DestroyWindow();
                                   EXPECT_TRUE(pPanel->IsWindowDestroyed());
                                   pPanel->DestroyWindow();
                               });
    testsupport::Click(pPanel->Controls().Item(10));
    ASSERT_FALSE(pPanel.isNull());
    EXPECT_FALSE(pPanel->isVisible());
    EXPECT_EQ(nDestroyed, 1);
    testsupport::ProcessEvents();
    EXPECT_TRUE(pPanel.isNull());
    EXPECT_EQ(nDestroyed, 1);
}
