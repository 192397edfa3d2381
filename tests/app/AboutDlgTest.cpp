// The About box, opened from the Help menu.

#include "AppTestFixture.h"

#include "framework/ModalDialog.h"
#include "framework/ModalScript.h"
#include "res/ControlIds.h"
#include "res/ResourceIds.h"
#include "support/TestSupport.h"

#include <QLabel>

#include <algorithm>
#include <optional>

TEST_F(CAppTest, AboutShowsTheIconAndTheVersionLines)
{
    Start();
    std::optional<std::string> title;
    std::vector<std::string> shownTexts;
    bool bIconShown = false;
    bool bClosedByOk = false;
    QueueModalScript(
        [&](CModalDialog& dlg)
        {
            title = dlg.windowTitle().toStdString();
            EXPECT_EQ(dlg.parentWidget(), m_pApp->MainWindow());
            for (const QLabel* pLabel : dlg.findChildren<QLabel*>())
                shownTexts.push_back(pLabel->text().toStdString());
            const auto* pIcon = dlg.Controls().ItemAs<QLabel>(res::about::IDC_ICON);
            bIconShown = pIcon != nullptr && !pIcon->pixmap().isNull();
            testsupport::Click(dlg.Controls().Item(IDOK));
            bClosedByOk = !dlg.isVisible() && dlg.result() == IDOK;
        });

    Choose(res::ID_HELP_ABOUT);

    EXPECT_FALSE(HasQueuedModalScript());
    EXPECT_EQ(title, "About tarvex Pnl");
    EXPECT_TRUE(bIconShown);
    EXPECT_TRUE(bClosedByOk);
    for (const char* pszLine : {"tarvex Counter soft front panel", "VERSION: A.02.02",
                                "VXI Plug & Play Driver revision required: A.01.00 or greater",
                                "Tarvex firmware revison date code required: 3401 or greater",
                                "KSL version required: 3.0 or greater"})
        EXPECT_NE(std::ranges::find(shownTexts, pszLine), shownTexts.end()) << pszLine;
}
