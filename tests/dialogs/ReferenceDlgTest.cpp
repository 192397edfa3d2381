// The reference entry dialog: volts with a trailing V, or one of nine percentages, returned as typed.

#include "dialogs/ReferenceDlg.h"

#include "framework/ModalScript.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTest>

#include <gtest/gtest.h>

namespace
{
using enum CReferenceDlg::EControlId;

TEST(ReferenceDlg, AcceptanceTest)
{
    for (const char* pszText : {"10.2375V", "-10.2375v", "0V", "1.5 V", "V", "v", "abcV", "1e1V", "+5V",
                                " -5v", "10", "20", "30", "40", "50", "60", "70", "80", "90"})
        EXPECT_TRUE(CReferenceDlg::IsAcceptable(pszText)) << '"' << pszText << '"';
    for (const char* pszText : {"10.2376V", "-11V", "1.5V ", "1.5", "1e2V", "1e400V", "55", "050", "50.0",
                                "+50", " 50", "50 ", "100", "0", "5", "", "50%"})
        EXPECT_FALSE(CReferenceDlg::IsAcceptable(pszText)) << '"' << pszText << '"';
}

TEST(ReferenceDlg, ComesUpEmptyWithTheCallersTitleAndOkDisabled)
{
    CReferenceDlg dlg(nullptr, "Lower Reference:");
    std::string look;
    QueueModalScript(
        [&](CModalDialog& d)
        {
            look = d.windowTitle().toStdString() + "|" + d.Controls().Text(IDC_REFERENCE) + "|" +
                   (d.Controls().IsEnabled(IDOK) ? "OK" : "no OK");
            QTest::keyClick(&d, Qt::Key_Return);
        });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL) << "Enter does not take the empty text";
    EXPECT_EQ(look, "Lower Reference:||no OK");
    EXPECT_EQ(dlg.m_strValue, "");
}

TEST(ReferenceDlg, OkFollowsTheTextAndReturnsItAsTyped)
{
    const struct
    {
        const char* pszTyped;
        int nBackspaces;
        bool bAccepted;
    } cases[] = {
        {"1.5 V", 0, true}, {"-10.2375v", 0, true}, {"50", 0, true},
        {"55", 0, false},   {"1.5V ", 0, false},    {"50", 2, false}, // erased
        {"5V", 1, false},                                             // a bare number after erasing the unit
    };
    for (const auto& c : cases)
    {
        CReferenceDlg dlg(nullptr, "Reference:");
        bool bOkEnabled = !c.bAccepted;
        QueueModalScript(
            [&](CModalDialog& d)
            {
                QWidget* pEdit = d.Controls().Item(IDC_REFERENCE);
                QTest::keyClicks(pEdit, QString::fromLatin1(c.pszTyped));
                for (int i = 0; i < c.nBackspaces; ++i)
                    QTest::keyClick(pEdit, Qt::Key_Backspace);
                bOkEnabled = d.Controls().IsEnabled(IDOK);
                if (&c == &cases[0])
                {
                    QDir().mkpath(QStringLiteral("controls"));
                    d.grab().save(QStringLiteral("controls/reference_dialog.png"));
                }
                testsupport::Click(d.Controls().Item(IDOK));
            });
        EXPECT_EQ(dlg.DoModal(), c.bAccepted ? IDOK : IDCANCEL) << c.pszTyped;
        EXPECT_EQ(bOkEnabled, c.bAccepted) << c.pszTyped << " less " << c.nBackspaces;
        EXPECT_EQ(dlg.m_strValue, c.bAccepted ? c.pszTyped : "") << c.pszTyped;
    }
}

TEST(ReferenceDlg, CancelCopiesNothing)
{
    CReferenceDlg dlg(nullptr, "Upper Reference:");
    QueueModalScript(
        [](CModalDialog& d)
        {
            QTest::keyClicks(d.Controls().Item(IDC_REFERENCE), QStringLiteral("90"));
            testsupport::Click(d.Controls().Item(IDCANCEL));
        });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_strValue, "");
}
} // namespace
