// The value entry dialog: its acceptance test and prompt, and the dialog driven as an operator drives it.

#include "dialogs/ValueEntryDlg.h"

#include "framework/ModalScript.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace
{
using enum CValueEntryDlg::EControlId;
constexpr int kRadios[] = {IDC_MIN, IDC_MAX, IDC_DEF, IDC_AUTO};

CValueEntryLimits Limits(double dMin, double dMax, const char* pszUnits, bool bRange, std::uint8_t nDiscretes)
{
    CValueEntryLimits limits;
    limits.m_dMin = dMin;
    limits.m_dMax = dMax;
    limits.m_strUnits = pszUnits;
    limits.m_bRange = bRange;
    limits.m_nDiscretes = nDiscretes;
    return limits;
}

// The Misc panel's three entries, and keywords only (MIN and DEF).
const CValueEntryLimits kAperture = Limits(0.001, 99.999, "", true, 7);
const CValueEntryLimits kFreqRange = Limits(0.001, 200000000, "", true, 15);
const CValueEntryLimits kTimeout = Limits(0, 500000, " Milli Seconds", true, 0);
const CValueEntryLimits kKeywords =
    Limits(1, 2, "", false, CValueEntryLimits::DISCRETE_MIN | CValueEntryLimits::DISCRETE_DEF);

void Type(CModalDialog& dlg, const char* pszText)
{
    QTest::keyClicks(dlg.Controls().Item(IDC_VALUE), QString::fromLatin1(pszText));
}

TEST(ValueEntryDlg, AcceptanceTest)
{
    const struct
    {
        const CValueEntryLimits& limits;
        std::vector<const char*> accepted, refused;
    } cases[] = {
        {kAperture,
         {"0.001", "99.999", "5xyz", "1e1 seconds", "MIN", "MAX", "DEF"},
         {"0.000999", "99.9991", "abc", "", "0x10", "AUTO", "min", " MAX", "MAX ", "Def"}},
        {kFreqRange, {"2E+008", "1e-3", "AUTO"}, {"200000000.1", "auto"}},
        {kTimeout,
         {"0", "500000", " 7", "-0", ".5", "5."},
         {"500001", "-1", "1e400", "abc", "", " ", "-", ".", "+.", "infinity", "MIN", "e5"}},
        {kKeywords, {"MIN", "DEF"}, {"MAX", "AUTO", "1.5", "MINIMUM"}},
    };
    for (const auto& c : cases)
    {
        for (const char* pszText : c.accepted)
            EXPECT_TRUE(CValueEntryDlg::IsAcceptable(pszText, c.limits)) << '"' << pszText << '"';
        for (const char* pszText : c.refused)
            EXPECT_FALSE(CValueEntryDlg::IsAcceptable(pszText, c.limits)) << '"' << pszText << '"';
    }
    EXPECT_TRUE(CValueEntryLimits().m_bRange) << "numbers are accepted unless the caller says otherwise";
}

// The dialog as it first comes up, in one line: edit, prompt, OK, the radio buttons enabled, any checked.
std::string FirstLook(CModalDialog& dlg)
{
    const CDialogControls& controls = dlg.Controls();
    std::string look = dlg.windowTitle().toStdString() + "|" + controls.Text(IDC_VALUE) + "|";
    look += controls.IsShown(IDC_PROMPT) ? controls.Text(IDC_PROMPT) : "(no prompt)";
    look += controls.IsShown(IDC_HIDDEN_COMBO) ? "|combo" : "";
    look += controls.IsEnabled(IDOK) ? "|OK|" : "|no OK|";
    for (int nRadio : kRadios)
        look += controls.IsChecked(nRadio) ? 'x' : controls.IsEnabled(nRadio) ? '1' : '0';
    return look;
}

TEST(ValueEntryDlg, ComesUpWithThePromptTheAllowedKeywordsAndNoneChecked)
{
    const struct
    {
        const CValueEntryLimits& limits;
        const char* pszInitial;
        const char* pszLook;
    } cases[] = {
        // OK follows the text from the start, also an empty one, which causes no change notification.
        {kAperture, "", "Title||Range: 0.001 to 99.999 |no OK|1110"},
        {kTimeout, " ", "Title| |Range: 0 to 500000  Milli Seconds|no OK|0000"},
        {kAperture, "AUTO", "Title|AUTO|Range: 0.001 to 99.999 |no OK|1110"},
        {kFreqRange, "MAX", "Title|MAX|Range: 0.001 to 2E+008 |OK|1111"},
        {kTimeout, "1000", "Title|1000|Range: 0 to 500000  Milli Seconds|OK|0000"},
        {kKeywords, "MAX", "Title|MAX|(no prompt)|no OK|1010"},
    };
    for (const auto& c : cases)
    {
        CValueEntryDlg dlg(c.pszInitial, c.limits, "Title", nullptr);
        std::string look;
        QueueModalScript([&](CModalDialog& d) { look = FirstLook(d); });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_EQ(look, c.pszLook);
        EXPECT_EQ(dlg.m_strValue, c.pszInitial) << "cancelled: nothing copied";
    }
}

TEST(ValueEntryDlg, OkFollowsEveryChangeAndReturnsTheTextAsTyped)
{
    const std::string longText = std::string(250, ' ') + "12345678";
    const std::string kept = longText.substr(0, 255); // all the edit takes
    const char* const pszKept = kept.c_str();
    const struct
    {
        const CValueEntryLimits& limits;
        const char* pszTyped;
        int nRadio;              // clicked after typing; 0 for none
        const char* pszReturned; // null: OK is disabled and the dialog is cancelled
    } cases[] = {
        // What the edit holds is judged and returned: its 255 characters read 12345, in range.
        {kTimeout, longText.c_str(), 0, pszKept}, {kAperture, "5xyz", 0, "5xyz"},
        {kAperture, "100", 0, nullptr},           {kAperture, "min", 0, nullptr},
        {kTimeout, "500000", 0, "500000"},        {kTimeout, "500001", 0, nullptr},
        {kFreqRange, "junk", IDC_MIN, "MIN"},     {kFreqRange, "", IDC_MAX, "MAX"},
        {kFreqRange, "7", IDC_DEF, "DEF"},        {kFreqRange, "", IDC_AUTO, "AUTO"},
    };
    for (const auto& c : cases)
    {
        CValueEntryDlg dlg("", c.limits, "Value", nullptr);
        bool bOkEnabled = false;
        QueueModalScript(
            [&](CModalDialog& d)
            {
                Type(d, c.pszTyped);
                if (c.nRadio)
                    testsupport::Click(d.Controls().Item(c.nRadio));
                bOkEnabled = d.Controls().IsEnabled(IDOK);
                if (c.nRadio == IDC_MAX)
                {
                    QDir().mkpath(QStringLiteral("controls"));
                    d.grab().save(QStringLiteral("controls/value_entry_dialog.png"));
                }
                testsupport::Click(d.Controls().Item(IDOK));
            });
        EXPECT_EQ(dlg.DoModal(), c.pszReturned ? IDOK : IDCANCEL) << c.pszTyped;
        EXPECT_EQ(bOkEnabled, c.pszReturned != nullptr) << c.pszTyped;
        EXPECT_EQ(dlg.m_strValue, c.pszReturned ? c.pszReturned : "") << c.pszTyped;
    }
}

TEST(ValueEntryDlg, TypingReplacesTheTextOnOpeningAndAfterTab)
{
    const struct
    {
        const char* pszKeys; // T the Tab key, B Shift+Tab, anything else typed
        const char* pszReturned;
    } cases[] = {{"50", "50"}, {"TB7", "7"}};
    for (const auto& c : cases)
    {
        CValueEntryDlg dlg("100", kFreqRange, "Value", nullptr);
        std::string focus;
        QueueModalScript(
            [&](CModalDialog& d)
            {
                if (!QTest::qWaitForWindowActive(&d))
                    return;
                focus = d.focusWidget() == d.Controls().Item(IDC_VALUE) ? "edit" : "elsewhere";
                for (const char* pc = c.pszKeys; *pc; ++pc)
                    if (*pc == 'T' || *pc == 'B')
                        QTest::keyClick(d.focusWidget(), *pc == 'T' ? Qt::Key_Tab : Qt::Key_Backtab);
                    else
                        QTest::keyClick(d.focusWidget(), *pc);
                testsupport::Click(d.Controls().Item(IDOK));
            });
        EXPECT_EQ(dlg.DoModal(), IDOK) << c.pszKeys;
        EXPECT_EQ(focus, "edit") << "the focus starts in the edit";
        EXPECT_EQ(dlg.m_strValue, c.pszReturned) << c.pszKeys;
    }
}

// An arrow key moves through the enabled keywords in the dialog's order, wrapping, whatever their rectangles
// (DEF's is taller than MAX's), and the keyword it moves to is checked and typed.
TEST(ValueEntryDlg, ArrowKeysMoveThroughTheEnabledKeywordsInOrder)
{
    const struct
    {
        std::uint8_t nDiscretes;
        int nFocus;
        Qt::Key key;
        int nTarget;
    } cases[] = {
        {7, IDC_MIN, Qt::Key_Down, IDC_MAX},   {7, IDC_MAX, Qt::Key_Right, IDC_DEF},
        {7, IDC_DEF, Qt::Key_Down, IDC_MIN},   {7, IDC_MIN, Qt::Key_Up, IDC_DEF},
        {15, IDC_DEF, Qt::Key_Down, IDC_AUTO}, {15, IDC_AUTO, Qt::Key_Right, IDC_MIN},
        {15, IDC_AUTO, Qt::Key_Left, IDC_DEF}, {5, IDC_MIN, Qt::Key_Down, IDC_DEF},
        {5, IDC_DEF, Qt::Key_Down, IDC_MIN},   {9, IDC_MIN, Qt::Key_Up, IDC_AUTO},
        {12, IDC_AUTO, Qt::Key_Down, IDC_DEF}, {1, IDC_MIN, Qt::Key_Down, IDC_MIN}, // alone: no move
    };
    const char* const apszKeywords[] = {"MIN", "MAX", "DEF", "AUTO"};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "discretes " << int(c.nDiscretes) << ", from " << c.nFocus);
        CValueEntryDlg dlg("", Limits(0.001, 99.999, "", true, c.nDiscretes), "Value", nullptr);
        std::string focused, checked, text;
        QueueModalScript(
            [&](CModalDialog& d)
            {
                if (!QTest::qWaitForWindowActive(&d))
                    return;
                QWidget* pRadio = d.Controls().Item(c.nFocus);
                pRadio->setFocus(Qt::TabFocusReason);
                QTest::keyClick(pRadio, c.key);
                for (int i = 0; i < 4; ++i)
                {
                    focused += d.focusWidget() == d.Controls().Item(kRadios[i]) ? apszKeywords[i] : "";
                    checked += d.Controls().IsChecked(kRadios[i]) ? apszKeywords[i] : "";
                }
                text = d.Controls().Text(IDC_VALUE);
            });
        dlg.DoModal();
        const bool bMoved = c.nTarget != c.nFocus;
        const std::string target = apszKeywords[std::ranges::find(kRadios, c.nTarget) - kRadios];
        EXPECT_EQ(focused, target);
        EXPECT_EQ(checked, bMoved ? target : "");
        EXPECT_EQ(text, bMoved ? target : "");
    }
}

TEST(ValueEntryDlg, CancelEscapeAndClosingReturnCancelAndCopyNothing)
{
    const std::function<void(CModalDialog&)> ways[] = {
        [](CModalDialog& d) { testsupport::Click(d.Controls().Item(IDCANCEL)); },
        [](CModalDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); },
        [](CModalDialog& d) { d.close(); },
    };
    for (const auto& leave : ways)
    {
        CValueEntryDlg dlg("10", kAperture, "Aperture", nullptr);
        bool bClosedByIt = false; // not by the script runner's own cancel
        QueueModalScript(
            [&](CModalDialog& d)
            {
                Type(d, "5");
                leave(d);
                bClosedByIt = !d.isVisible();
            });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_TRUE(bClosedByIt);
        EXPECT_EQ(dlg.m_strValue, "10");
    }
}
} // namespace
