// The settings, language and about dialogs and the desktop opener, on the fake
// desktop with their boxes answered by the test.
#include "FakeDesktop.h"
#include "Utf16.h"
#include "common/AppState.h"
#include "common/LinkLabel.h"
#include "config/AboutBox.h"
#include "config/ColourSwatch.h"
#include "config/Dialogs.h"
#include "config/LanguageDialog.h"
#include "config/SettingsDialog.h"
#include "config/SettingsFiles.h"
#include "config/ShellOpen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QStringList Shipped{"transwidth=450", "Transparency=20", "SmoothGlide=10", "Color=255,255,255",
                          "TextColor=0,0,0", "Gray=128,128,128", "Border=0", "Shadow=1", "styles=2",
                          "style1=Light|255,255,255|0,0,0|128,128,128|0",
                          "style2=Classic|255,255,225|0,0,0|128,128,128|1"};

class DialogsTest : public testing::Test {
protected:
    FakeDesktop desktop;
    AppState state;
    SettingsFiles settingsFiles{desktop.fakeFiles, state.settings};
    QList<LanguageOption> languages;
    int applies = 0;
    Dialogs dialogs{state, settingsFiles, desktop, [this] { apply(); }, [this] { return languages; }};
    QStringList boxes; // "title|text" of every exclamation and question, in order
    bool answerYes = true;
    QList<QColor> colourDialogStarts;
    QColor colourChosen; // invalid: the user cancels

    DialogsTest()
    {
        state.twipsPerPixelX = state.twipsPerPixelY = 15;
        dialogs.prompts().exclamation = [this](const QString& title, const QString& text) {
            boxes.append(title + "|" + text);
        };
        dialogs.prompts().question = [this](const QString& title, const QString& text) {
            boxes.append(title + "|" + text);
            return answerYes;
        };
        dialogs.prompts().chooseColor = [this](QWidget*, const QColor& initial) {
            colourDialogStarts.append(initial);
            return colourChosen.isValid() ? colourChosen : initial;
        };
    }

    // What the dialogs rely on of the application's apply: defaults in, colours derived.
    void apply()
    {
        ++applies;
        settingsFiles.setDefault("ControlMode", "2");
        state.backColour = parseColour(state.settings.value("Color"));
        state.textColour = parseColour(state.settings.value("TextColor"));
        state.grayColour = parseColour(state.settings.value("Gray"));
    }
    void start(const QStringList& program, const QStringList& user = {})
    {
        desktop.fakeFiles.files.insert(FakeDesktop::ProgramFile, utf16File(program.join("\r\n") + "\r\n"));
        if (!user.isEmpty()) {
            desktop.fakeFiles.folders.insert(FakeDesktop::AppData + "/qlr");
            desktop.fakeFiles.files.insert(FakeDesktop::UserFile, utf16File(user.join("\r\n") + "\r\n"));
        }
        settingsFiles.load();
        apply();
        applies = 0;
    }
    QString userFile() const
    {
        return SettingsFiles::fromUtf16Le(desktop.fakeFiles.files.value(FakeDesktop::UserFile));
    }
    SettingsDialog* openSettings()
    {
        dialogs.showSettings();
        return dialogs.settingsDialog();
    }
    static int checkedOption(SettingsDialog* f)
    {
        for (int i = 0; i < 3; ++i)
            if (f->triggerOptions[i]->isChecked())
                return i;
        return -1;
    }
    static QStringList items(QComboBox* list)
    {
        QStringList names;
        for (int i = 0; i < list->count(); ++i)
            names.append(list->itemText(i));
        return names;
    }
    // Runs the deletions that closing a dialog scheduled.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

TEST_F(DialogsTest, SettingsOpenCentredWithTheStoredValuesAndOkSavesThemClamped)
{
    start(Shipped);
    SettingsDialog* f = openSettings();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->size(), QSize(327, 420));
    EXPECT_EQ(f->pos(), QPoint((1024 - 327) / 2, (768 - 420) / 2));
    EXPECT_EQ(checkedOption(f), 0) << "the built-in ControlMode 2 is the icon option";
    EXPECT_EQ(f->widthField->text(), "450");
    EXPECT_EQ(f->transparencyField->text(), "20");
    EXPECT_EQ(f->glideField->text(), "10");
    EXPECT_EQ(colourText(f->graySwatch->colour()), "128,128,128");
    EXPECT_FALSE(f->borderBox->isChecked());
    EXPECT_TRUE(f->shadowBox->isChecked());
    EXPECT_EQ(items(f->presetList), QStringList({"Light", "Classic"}));
    EXPECT_EQ(openSettings(), f) << "a second open brings the same dialog forward";

    // Number fields show 16-bit integers at once, typed or assigned.
    const std::pair<const char*, const char*> typed[] = {{"", "0"},       {"2.5", "2"}, {"3.5", "4"}, {"12px", "0"},
                                                         {"32768", "0"}, {"1e3", "1000"}, {"-3", "-3"}};
    for (const auto& [text, shown] : typed) {
        f->glideField->setText(text);
        EXPECT_EQ(f->glideField->text(), shown) << text;
    }
    f->widthField->selectAll();
    QTest::keyClicks(f->widthField, "1500");
    f->glideField->setText("75");
    f->transparencyField->setText("-3");
    f->triggerOptions[2]->setChecked(true);
    QTest::keyClick(f->transparencyField, Qt::Key_Return);
    settle();
    EXPECT_EQ(dialogs.settingsDialog(), nullptr) << "Enter presses OK, which closes the dialog";
    EXPECT_EQ(applies, 1);
    for (const char* line : {"transwidth=1000", "Transparency=0", "SmoothGlide=50", "ControlMode=3", "Border=0",
                             "Shadow=1", "Color=255,255,255", "style2=Classic|255,255,225|0,0,0|128,128,128|1"})
        EXPECT_TRUE(userFile().contains(QString(line) + "\r\n")) << line;
}

TEST_F(DialogsTest, SettingsKeepAnUnknownControlModeAndCancelStoresNothing)
{
    start(Shipped + QStringList{"ControlMode=7"});
    SettingsDialog* f = openSettings();
    EXPECT_EQ(checkedOption(f), -1);
    f->saveAndClose();
    settle();
    EXPECT_EQ(state.settings.value("ControlMode"), "7");
    for (int option = 0; option < 3; ++option) {
        state.settings.set("ControlMode", SettingsDialog::controlModeOf(option));
        EXPECT_EQ(checkedOption(openSettings()), option);
        dialogs.settingsDialog()->cancel();
        settle();
    }

    desktop.fakeFiles.files.remove(FakeDesktop::UserFile);
    applies = 0;
    f = openSettings();
    f->widthField->setText("800");
    QTest::keyClick(f, Qt::Key_Escape);
    settle();
    EXPECT_EQ(dialogs.settingsDialog(), nullptr);
    EXPECT_EQ(state.settings.value("transwidth"), "450");
    EXPECT_EQ(applies, 0);
    EXPECT_FALSE(desktop.fakeFiles.files.contains(FakeDesktop::UserFile));
}

TEST_F(DialogsTest, PresetsAndSwatchesChangeOnlyTheColoursAndBorder)
{
    start(Shipped);
    SettingsDialog* f = openSettings();
    f->widthField->setText("600");
    f->shadowBox->setChecked(false);
    f->presetList->setFocus();
    QTest::keyClick(f->presetList, Qt::Key_Down);
    QTest::keyClick(f->presetList, Qt::Key_Down);
    ASSERT_EQ(f->presetList->currentText(), "Classic");
    EXPECT_EQ(colourText(f->backgroundSwatch->colour()), "255,255,225");
    EXPECT_TRUE(f->borderBox->isChecked());
    EXPECT_FALSE(f->shadowBox->isChecked());
    EXPECT_EQ(f->widthField->text(), "600");
    EXPECT_EQ(state.settings.value("Color"), "255,255,255") << "nothing is stored before OK";

    QTest::mouseClick(f->graySwatch, Qt::LeftButton);
    EXPECT_EQ(colourDialogStarts, QList<QColor>{QColor(128, 128, 128)});
    EXPECT_EQ(colourText(f->graySwatch->colour()), "128,128,128") << "cancelled";
    colourChosen = QColor(10, 200, 30);
    QTest::mouseClick(f->textSwatch, Qt::LeftButton);
    EXPECT_EQ(colourDialogStarts.last(), QColor(0, 0, 0));
    f->saveAndClose();
    EXPECT_EQ(state.settings.value("Color"), "255,255,225");
    EXPECT_EQ(state.settings.value("TextColor"), "10,200,30");
    EXPECT_EQ(state.settings.value("Border"), "1");
    EXPECT_EQ(state.settings.value("Shadow"), "0");
}

TEST_F(DialogsTest, DefaultSettingsAskUnlessShiftIsDownAndTheDialogShowsThem)
{
    for (const bool shift : {false, true}) {
        start(Shipped, {"transwidth=777", "Color=1,2,3"});
        boxes.clear();
        desktop.fakeInput.shiftDown = shift;
        SettingsDialog* f = openSettings();
        answerYes = false;
        f->restoreDefaults();
        if (!shift) {
            EXPECT_EQ(boxes, QStringList{"Quillora|Return to Default Settings?"});
            EXPECT_EQ(f->widthField->text(), "777") << "No keeps everything";
            answerYes = true;
            f->restoreDefaults();
        }
        EXPECT_FALSE(desktop.fakeFiles.files.contains(FakeDesktop::UserFile));
        EXPECT_EQ(applies, 1);
        EXPECT_EQ(f->widthField->text(), "450");
        EXPECT_EQ(colourText(f->backgroundSwatch->colour()), "255,255,255");
        f->cancel();
        settle();
        EXPECT_EQ(state.settings.value("transwidth"), "450") << "Cancel does not undo the reset";
        answerYes = true;
    }
}

TEST_F(DialogsTest, TheLanguageDialogListsTheOfferedTargetsAndStoresTheChoice)
{
    start({"language="});
    languages = {{"auto", "Detect"}, {"separator", "----"}, {"ru", "Russian"}, {"de", "<b>German</b>"}};
    openSettings();
    QTest::mouseClick(dialogs.settingsDialog()->languageLink, Qt::LeftButton);
    EXPECT_EQ(boxes, QStringList{"Quillora|Not connected!"});
    EXPECT_EQ(dialogs.languageDialog(), nullptr);

    state.connected = true;
    QTest::mouseClick(dialogs.settingsDialog()->languageLink, Qt::LeftButton);
    LanguageDialog* f = dialogs.languageDialog();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->size(), QSize(328, 143));
    EXPECT_EQ(f->windowTitle(), "Quillora");
    EXPECT_EQ(f->pos(), QPoint(348, 312)) << "centred, 312.5 rounded to even";
    EXPECT_TRUE(f->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(f->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(items(f->languageList), QStringList({"Russian", "<b>German</b>"}));
    EXPECT_FALSE(f->okButton->isEnabled());
    EXPECT_FALSE(f->emptyNote->isVisibleTo(f));
    f->languageList->setCurrentIndex(1);
    EXPECT_TRUE(f->okButton->isEnabled());
    QTest::mouseClick(f->okButton, Qt::LeftButton);
    settle();
    EXPECT_EQ(state.settings.value("language"), "ende");
    EXPECT_TRUE(userFile().contains("language=ende\r\n"));
    EXPECT_EQ(applies, 1);
    EXPECT_EQ(dialogs.languageDialog(), nullptr);

    languages = {{"auto", "Detect"}};
    dialogs.showLanguage();
    f = dialogs.languageDialog();
    EXPECT_TRUE(f->emptyNote->isVisibleTo(f));
    f->saveChoice();
    EXPECT_EQ(state.settings.value("language"), "ende") << "nothing chosen, nothing stored";
}

TEST_F(DialogsTest, TheAboutBoxShowsTheVersionsAndItsLinksOpen)
{
    const std::tuple<const char*, const char*, bool, const char*> cases[] = {
        {"2.0.33", "2.0.40", false, "Version 2.0.33"},
        {"2.0.40", "2.0.33", true, "Version 2.0.40 beta"},
        {"2.0.40", "2.0.40", false, "Version 2.0.40"}};
    for (const auto& [own, published, beta, line] : cases) {
        state.programVersion = own;
        state.publishedVersion = published;
        state.isBeta = beta;
        dialogs.showAbout();
        AboutBox* f = dialogs.aboutDialog();
        EXPECT_EQ(f->versionLabel->text(), line);
        EXPECT_EQ(f->downloadLink->isVisibleTo(f), QString(own) != published);
        EXPECT_EQ(f->downloadLink->text(), QString("Download latest version: ") + published);
        f->closeBox();
        settle();
        EXPECT_EQ(dialogs.aboutDialog(), nullptr);
    }
    state.downloadUrl = "https://example.org/get";
    dialogs.showAbout();
    AboutBox* f = dialogs.aboutDialog();
    EXPECT_TRUE(f->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(f->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(f->size(), QSize(472, 164));
    QTest::mouseClick(f->downloadLink, Qt::LeftButton);
    QTest::mouseClick(f->siteLink, Qt::LeftButton);
    EXPECT_EQ(desktop.fakeShell.opened, QStringList({"https://example.org/get", AboutBox::SiteAddress}));
    QTest::keyClick(f, Qt::Key_Escape);
    settle();
    EXPECT_EQ(dialogs.aboutDialog(), nullptr) << "Esc closes it";
}

TEST_F(DialogsTest, TheDesktopOpenerReportsEachFailureInItsBox)
{
    using platform::Shell;
    EXPECT_EQ(dialogs.shellOpen("https://example.org/"), "");
    EXPECT_TRUE(boxes.isEmpty());
    const std::pair<int, QString> cases[] = {
        {Shell::OutOfResources, "Ошибка: Недостаточно памяти. Выполнение прервано!"},
        {Shell::FileNotFound, "Ошибка: Файл не найден. Путь или имя файла указаны неправильно! "},
        {Shell::PathNotFound, "Ошибка: Путь не найден. Указанная папка не существует! \""},
        {Shell::BadFormat, "Ошибка:  Неизвестный формат файла!"},
        {Shell::NoAssociation, "Windows не знает, что это за файл и чем его открывать. Выберите программу из "
                               "списка или нажмите Отмена."},
        {32, ""}};
    for (const auto& [result, message] : cases) {
        boxes.clear();
        desktop.fakeShell.results.insert("/doc", result);
        EXPECT_EQ(dialogs.shellOpen("/doc"), message) << result;
        EXPECT_EQ(boxes, QStringList{"Ошибка|" + message}) << "the box shows even without text";
    }
    EXPECT_EQ(desktop.fakeShell.offeredChooser, QStringList{"/doc"}) << "only an unknown type offers the chooser";
}

} // namespace
