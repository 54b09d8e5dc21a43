#include "DialogFixture.h"
#include "config/LanguageDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

class LanguageDialogTest : public DialogFixture {
protected:
    LanguageDialogTest()
    {
        start({"serviceurl=file:///page.html", "language="});
        state.connected = true;
    }
    void offer(QList<ServicePage::Option> options) { page.elements[page::selto].options = std::move(options); }
    QStringList listed(LanguageDialog* f)
    {
        QStringList names;
        for (int i = 0; i < f->languageList->count(); ++i)
            names.append(f->languageList->itemText(i));
        return names;
    }
};

TEST_F(LanguageDialogTest, NotConnectedShowsTheBoxAndNoDialog)
{
    state.connected = false;
    offer({{"de", "German"}});
    dialogs.showLanguage();
    EXPECT_EQ(exclamations, QStringList{"Quillora|Not connected!"});
    EXPECT_EQ(dialogs.languageDialog(), nullptr);
}

TEST_F(LanguageDialogTest, ListsThePageLanguagesAndStoresEnPlusTheChosenValue)
{
    offer({{"auto", "Detect"}, {"separator", "----"}, {"ru", "Russian"}, {"de", "German"}, {"Auto", "Auto"}});
    dialogs.showLanguage();
    LanguageDialog* f = dialogs.languageDialog();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(listed(f), QStringList({"Russian", "German", "Auto"}));
    EXPECT_EQ(f->languageList->currentIndex(), -1);
    EXPECT_FALSE(f->okButton->isEnabled());
    EXPECT_FALSE(f->emptyNote->isVisibleTo(f));

    f->languageList->setFocus();
    QTest::keyClick(f->languageList, Qt::Key_Down);
    QTest::keyClick(f->languageList, Qt::Key_Down);
    ASSERT_EQ(f->languageList->currentText(), "German");
    EXPECT_TRUE(f->okButton->isEnabled());

    QTest::mouseClick(f->okButton, Qt::LeftButton);
    settle();
    EXPECT_EQ(state.settings.value("language"), "ende");
    EXPECT_TRUE(userFile().contains("language=ende\r\n"));
    EXPECT_EQ(applies, 1);
    EXPECT_EQ(dialogs.languageDialog(), nullptr) << "OK unloads the dialog";
}

TEST_F(LanguageDialogTest, IsCentredTopmostShownWithoutFocusAndLoadedOnce)
{
    offer({{"de", "German"}});
    dialogs.showLanguage();
    LanguageDialog* f = dialogs.languageDialog();
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(f->size(), QSize(328, 143));
    // (1024 - 328) / 2 = 348 and (768 - 143) / 2 = 312.5, halves to even.
    EXPECT_EQ(f->pos(), QPoint(348, 312));
    EXPECT_TRUE(f->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(f->testAttribute(Qt::WA_ShowWithoutActivating));

    // A second show keeps the list it was loaded with and moves back to the centre.
    f->move(10, 10);
    offer({{"de", "German"}, {"fr", "French"}});
    dialogs.showLanguage();
    EXPECT_EQ(dialogs.languageDialog(), f);
    EXPECT_EQ(listed(f), QStringList{"German"});
    EXPECT_EQ(f->pos(), QPoint(348, 312));
}

TEST_F(LanguageDialogTest, WithoutLanguagesItSaysSoAndOkStaysDisabled)
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
        dialogs.showLanguage();
        LanguageDialog* f = dialogs.languageDialog();
        ASSERT_NE(f, nullptr) << name;
        EXPECT_EQ(f->languageList->count(), 0) << name;
        EXPECT_TRUE(f->emptyNote->isVisibleTo(f)) << name;
        EXPECT_EQ(f->emptyNote->text(), "The translation service offers no languages.");
        EXPECT_FALSE(f->okButton->isEnabled()) << name;
        f->saveChoice();
        EXPECT_EQ(state.settings.value("language"), "") << name;
        f->close();
        settle();
    }
}

TEST_F(LanguageDialogTest, ManyOptionsAndMarkupAreListedAsPlainText)
{
    QList<ServicePage::Option> options;
    for (int i = 0; i < 500; ++i)
        options.append({QString("l%1").arg(i), QString("<b>Lang %1</b> & \"x\"").arg(i)});
    offer(options);
    dialogs.showLanguage();
    LanguageDialog* f = dialogs.languageDialog();
    ASSERT_EQ(f->languageList->count(), 500);
    EXPECT_EQ(f->languageList->itemText(499), "<b>Lang 499</b> & \"x\"");
    f->languageList->setCurrentIndex(499);
    f->saveChoice();
    EXPECT_EQ(state.settings.value("language"), "enl499");
}

} // namespace
