#include "DialogFixture.h"
#include "common/LinkLabel.h"
#include "config/AboutBox.h"

#include <QPushButton>
#include <QTest>

namespace {

class AboutDialog : public DialogFixture {
protected:
    AboutBox* open()
    {
        dialogs.showAbout();
        return dialogs.aboutDialog();
    }
};

TEST_F(AboutDialog, ShowsTheVersionAndOffersADifferentPublishedOne)
{
    struct Case {
        const char* own;
        const char* published;
        bool beta;
        const char* versionLine;
        bool offered;
    };
    const Case cases[] = {
        {"2.0.33", "2.0.40", false, "Version 2.0.33", true},
        {"2.0.40", "2.0.33", true, "Version 2.0.40 beta", true},
        {"2.0.40", "2.0.40", false, "Version 2.0.40", false},
    };
    for (const Case& c : cases) {
        state.programVersion = c.own;
        state.publishedVersion = c.published;
        state.isBeta = c.beta;
        AboutBox* f = open();
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->versionLabel->text(), c.versionLine);
        EXPECT_EQ(f->downloadLink->isVisibleTo(f), c.offered) << c.own << " " << c.published;
        EXPECT_EQ(f->downloadLink->text(), QString("Download latest version: ") + c.published);
        f->closeBox();
        settle();
        EXPECT_EQ(dialogs.aboutDialog(), nullptr);
    }
}

TEST_F(AboutDialog, IsALightGrayBoxWithoutTitleBarInTheTopmostBand)
{
    AboutBox* f = open();
    EXPECT_EQ(f->size(), QSize(472, 164));
    EXPECT_TRUE(f->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(f->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(f->palette().color(QPalette::Window), QColor(240, 240, 240));
    EXPECT_EQ(f->logo->pixmap().size(), QSize(144, 144));
    EXPECT_EQ(f->downloadLink->palette().color(QPalette::WindowText), QColor(255, 128, 0));
    EXPECT_EQ(f->siteLink->palette().color(QPalette::WindowText), QColor(0, 0, 192));
    EXPECT_TRUE(f->closeButton->isDefault());
    EXPECT_EQ(f->pos(), QPoint((1024 - 472) / 2, (768 - 164) / 2));
    EXPECT_EQ(open(), f) << "one about box at a time";

    QTest::keyClick(f, Qt::Key_Escape);
    settle();
    EXPECT_EQ(dialogs.aboutDialog(), nullptr) << "Esc closes it like Close";
}

TEST_F(AboutDialog, LinksOpenTheDownloadAndTheSiteAddress)
{
    state.programVersion = "1.0.0";
    state.publishedVersion = "1.1.0";
    state.downloadUrl = "https://example.org/get?v=1.1.0&x=\"y\"";
    AboutBox* f = open();
    QTest::mouseClick(f->downloadLink, Qt::LeftButton);
    QTest::mouseClick(f->siteLink, Qt::LeftButton);
    EXPECT_EQ(desktop.fakeShell.opened, QStringList({state.downloadUrl, AboutBox::SiteAddress}));
    EXPECT_TRUE(exclamations.isEmpty());

    desktop.fakeShell.results.insert(state.downloadUrl, platform::Shell::OpenFailed);
    QTest::mouseClick(f->downloadLink, Qt::LeftButton);
    EXPECT_EQ(exclamations, QStringList{"Ошибка|"}) << "a failed open is reported by ShellOpen only";
    EXPECT_EQ(dialogs.aboutDialog(), f);
}

} // namespace
