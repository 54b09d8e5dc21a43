#include "DialogFixture.h"
#include "config/frmLanguage.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

class LanguageDialog : public DialogFixture {
protected:
    LanguageDialog()
    {
        start({"serviceurl=file:///page.html", "language="});
        state.Connected = true;
    }
    void offer(QList<ServicePage::Option> options) { page.elements[page::selto].options = std::move(options); }
    QStringList listed(frmLanguage* f)
    {
        QStringList names;
        for (int i = 0; i < f->cmbLang->count(); ++i)
            names.append(f->cmbLang->itemText(i));
        return names;
    }
};

TEST_F(LanguageDialog, NotConnectedShowsTheBoxAndNoDialog)
{
    state.Connected = false;
    offer({{"de", "German"}});
    dialogs.ShowLanguageDialog();
    EXPECT_EQ(exclamations, QStringList{"Quillora|Not connected!"});
    EXPECT_EQ(dialogs.languageDialog(), nullptr);
}

TEST_F(LanguageDialog, ListsThePageLanguagesAndStoresEnPlusTheChosenValue)
{
    offer({{"auto", "Detect"}, {"separator", "----"}, {"ru", "Russian"}, {"de", "German"}, {"Auto", "Auto"}});
    dialogs.ShowLanguageDialog();
    frmLanguage* f = dialogs.languageDialog();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(listed(f), QStringList({"Russian", "German", "Auto"}));
    EXPECT_EQ(f->cmbLang->currentIndex(), -1);
    EXPECT_FALSE(f->cmdOk->isEnabled());
    EXPECT_FALSE(f->lblEmpty->isVisibleTo(f));

    f->cmbLang->setFocus();
    QTest::keyClick(f->cmbLang, Qt::Key_Down);
    QTest::keyClick(f->cmbLang, Qt::Key_Down);
    ASSERT_EQ(f->cmbLang->currentText(), "German");
    EXPECT_TRUE(f->cmdOk->isEnabled());

    QTest::mouseClick(f->cmdOk, Qt::LeftButton);
    settle();
    EXPECT_EQ(state.settings.value("language"), "ende");
    EXPECT_TRUE(userFile().contains("language=ende\r\n"));
    EXPECT_EQ(applies, 1);
    EXPECT_EQ(dialogs.languageDialog(), nullptr) << "OK unloads the dialog";
}

TEST_F(LanguageDialog, IsCentredTopmostShownWithoutFocusAndLoadedOnce)
{
    offer({{"de", "German"}});
    dialogs.ShowLanguageDialog();
    frmLanguage* f = dialogs.languageDialog();
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(f->size(), QSize(328, 143));
    // (1024 - 328) / 2 = 348 and (768 - 143) / 2 = 312.5, halves to even.
    EXPECT_EQ(f->pos(), QPoint(348, 312));
    EXPECT_TRUE(f->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(f->testAttribute(Qt::WA_ShowWithoutActivating));

    // A second show keeps the list it was loaded with and moves back to the centre.
    f->move(10, 10);
    offer({{"de", "German"}, {"fr", "French"}});
    dialogs.ShowLanguageDialog();
    EXPECT_EQ(dialogs.languageDialog(), f);
    EXPECT_EQ(listed(f), QStringList{"German"});
    EXPECT_EQ(f->pos(), QPoint(348, 312));
}

TEST_F(LanguageDialog, WithoutLanguagesItSaysSoAndOkStaysDisabled)
{
    const std::pair<const char*, std::function<void()>> pages[] = {
        {"no selto element", [this] { page.elements.remove(page::selto); }},
        {"no document", [this] { page.hasDocument = false; }},
        {"only auto and separator", [this] { offer({{"auto", "Detect"}, {"separator", "--"}}); }},
        {"no page at all", [this] { dialogs.setServicePage(nullptr); }},
    };
    for (const auto& [name, setUp] : pages) {
        page.loadReadyDocument();
        dialogs.setServicePage(&page);
        setUp();
        dialogs.ShowLanguageDialog();
        frmLanguage* f = dialogs.languageDialog();
        ASSERT_NE(f, nullptr) << name;
        EXPECT_EQ(f->cmbLang->count(), 0) << name;
        EXPECT_TRUE(f->lblEmpty->isVisibleTo(f)) << name;
        EXPECT_EQ(f->lblEmpty->text(), "The translation service offers no languages.");
        EXPECT_FALSE(f->cmdOk->isEnabled()) << name;
        f->cmdOk_Click();
        EXPECT_EQ(state.settings.value("language"), "") << name;
        f->close();
        settle();
    }
}

TEST_F(LanguageDialog, ManyOptionsAndMarkupAreListedAsPlainText)
{
    QList<ServicePage::Option> options;
    for (int i = 0; i < 500; ++i)
        options.append({QString("l%1").arg(i), QString("<b>Lang %1</b> & \"x\"").arg(i)});
    offer(options);
    dialogs.ShowLanguageDialog();
    frmLanguage* f = dialogs.languageDialog();
    ASSERT_EQ(f->cmbLang->count(), 500);
    EXPECT_EQ(f->cmbLang->itemText(499), "<b>Lang 499</b> & \"x\"");
    f->cmbLang->setCurrentIndex(499);
    f->cmdOk_Click();
    EXPECT_EQ(state.settings.value("language"), "enl499");
}

} // namespace
