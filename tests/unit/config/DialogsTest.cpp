// The settings, language and about dialogs and the desktop opener, on the fake
// desktop with their boxes answered by the test.
#include "FakeDesktop.h"
#include "common/Settings.h"
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
#include <algorithm>
#include <gtest/gtest.h>

namespace {

const QStringList Shipped{"transwidth=450", "Transparency=20", "SmoothGlide=10", "Color=255,255,255",
                          "TextColor=0,0,0", "Gray=128,128,128", "Border=0", "Shadow=1", "styles=2",
                          "style1=Light|255,255,255|0,0,0|128,128,128|0",
                          "style2=Classic|255,255,225|0,0,0|128,128,128|1"};

class DialogsTest : public testing::Test {
protected:
    FakeDesktop desktop;
    Settings settings;
    SettingsFiles settingsFiles{desktop.fakeFiles, settings};
    QList<LanguageOption> languages;
    bool connected = false;
    VersionFacts versions;
    int applies = 0;
    Dialogs dialogs{settings, settingsFiles, desktop, [this] { apply(); }};
    QStringList boxes; // "title|text" of every exclamation and question, in order
    bool answerYes = true;
    QList<QColor> colourDialogStarts;
    QColor colourChosen; // invalid: the user cancels

    DialogsTest()
    {
        dialogs.environment().offeredLanguages = [this] { return languages; };
        dialogs.environment().connected = [this] { return connected; };
        dialogs.environment().versions = [this] { return versions; };
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
    }
    void start(const QStringList& program, const QStringList& user = {})
    {
        desktop.fakeFiles.files.insert(FakeDesktop::ProgramFile, FakeDesktop::settingsFile(program));
        if (!user.isEmpty()) {
            desktop.fakeFiles.folders.insert(FakeDesktop::AppData + "/qlr");
            desktop.fakeFiles.files.insert(FakeDesktop::UserFile, FakeDesktop::settingsFile(user));
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
    static QStringList items(QComboBox* list)
    {
        QStringList names;
        for (int i = 0; i < list->count(); ++i)
            names.append(list->itemText(i));
        return names;
    }
    // Every shown control lies inside the dialog's fixed client area, no caption cut off.
    static void expectLaidOut(const QWidget* dialog)
    {
        for (const QWidget* control : dialog->findChildren<QWidget*>()) {
            if (!control->isVisible())
                continue;
            EXPECT_TRUE(dialog->rect().contains(QRect(control->mapTo(dialog, QPoint(0, 0)), control->size())))
                << control->metaObject()->className();
            if (const auto* label = qobject_cast<const QLabel*>(control)) {
                EXPECT_GE(label->width(), label->sizeHint().width()) << "cut off: " << label->text().toStdString();
            }
        }
    }
    // Runs the deletions that closing a dialog scheduled.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

TEST_F(DialogsTest, SettingsOpenCentredWithTheStoredValuesAndOkSavesThemClamped)
{
    start(Shipped);
    SettingsDialog* f = openSettings();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(QRect(f->pos(), f->size()), QRect((1024 - 327) / 2, (768 - 420) / 2, 327, 420));
    EXPECT_TRUE(f->triggerOptions[0]->isChecked()) << "the built-in ControlMode 2 is the icon option";
    EXPECT_EQ(f->widthField->text() + f->transparencyField->text() + f->glideField->text(), "4502010");
    EXPECT_EQ(colourText(f->graySwatch->colour()), "128,128,128");
    EXPECT_FALSE(f->borderBox->isChecked());
    EXPECT_TRUE(f->shadowBox->isChecked());
    EXPECT_EQ(items(f->presetList), QStringList({"Light", "Classic"}));
    EXPECT_EQ(openSettings(), f) << "a second open brings the same dialog forward";
    expectLaidOut(f);
    // Number fields show 16-bit integers at once, typed or assigned.
    for (const auto& [text, shown] : {std::pair{"3.5", "4"}, {"12px", "0"}, {"32768", "0"}, {"-3", "-3"}}) {
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

    // An unknown ControlMode checks no option and stays; Esc stores nothing.
    settings.set("ControlMode", "7");
    f = openSettings();
    EXPECT_TRUE(std::none_of(f->triggerOptions.begin(), f->triggerOptions.end(),
                             [](const QRadioButton* option) { return option->isChecked(); }));
    f->widthField->setText("99");
    f->saveAndClose();
    EXPECT_EQ(settings.value("ControlMode") + " " + settings.value("transwidth"), "7 100");
    f = openSettings();
    f->widthField->setText("800");
    QTest::keyClick(f, Qt::Key_Escape);
    settle();
    EXPECT_EQ(dialogs.settingsDialog(), nullptr);
    EXPECT_EQ(settings.value("transwidth"), "100");
    EXPECT_EQ(applies, 2);

    // Empty or absent number values show as 0 from the first open on.
    settings.clear();
    settings.set("transwidth", "");
    settings.set("Transparency", " ");
    f = openSettings();
    EXPECT_EQ(f->widthField->text() + f->transparencyField->text() + f->glideField->text(), "000");
}

TEST_F(DialogsTest, PresetsAndSwatchesChangeOnlyTheColoursAndBorderAndDefaultsComeBack)
{
    start(Shipped, {"transwidth=777"});
    SettingsDialog* f = openSettings();
    f->shadowBox->setChecked(false);
    f->presetList->setFocus();
    QTest::keyClick(f->presetList, Qt::Key_Down);
    QTest::keyClick(f->presetList, Qt::Key_Down);
    ASSERT_EQ(f->presetList->currentText(), "Classic");
    EXPECT_EQ(colourText(f->backgroundSwatch->colour()), "255,255,225");
    EXPECT_TRUE(f->borderBox->isChecked());
    EXPECT_FALSE(f->shadowBox->isChecked());
    EXPECT_EQ(f->widthField->text(), "777");
    EXPECT_EQ(settings.value("Color"), "255,255,255") << "nothing is stored before OK";
    QTest::mouseClick(f->graySwatch, Qt::LeftButton);
    EXPECT_EQ(colourDialogStarts, QList<QColor>{QColor(128, 128, 128)});
    EXPECT_EQ(colourText(f->graySwatch->colour()), "128,128,128") << "cancelled";
    colourChosen = QColor(10, 200, 30);
    QTest::mouseClick(f->textSwatch, Qt::LeftButton);
    f->saveAndClose();
    EXPECT_EQ(settings.value("Color") + " " + settings.value("TextColor"), "255,255,225 10,200,30");
    EXPECT_EQ(settings.value("Border") + settings.value("Shadow"), "10");

    // Default Settings asks unless Shift is down; the dialog then shows them.
    for (const bool shift : {false, true}) {
        start(Shipped, {"transwidth=777", "Color=1,2,3"});
        boxes.clear();
        desktop.fakeInput.shiftDown = shift;
        answerYes = false;
        f = openSettings();
        f->restoreDefaults();
        EXPECT_EQ(f->widthField->text(), shift ? "450" : "777");
        answerYes = true;
        f->restoreDefaults();
        EXPECT_EQ(boxes.size(), shift ? 0 : 2);
        EXPECT_FALSE(desktop.fakeFiles.files.contains(FakeDesktop::UserFile));
        EXPECT_EQ(f->widthField->text(), "450");
        EXPECT_EQ(colourText(f->backgroundSwatch->colour()), "255,255,255");
        f->cancel();
        settle();
        EXPECT_EQ(settings.value("transwidth"), "450") << "Cancel does not undo the reset";
    }
    EXPECT_EQ(boxes, QStringList()) << "with Shift held nothing is asked";
}

TEST_F(DialogsTest, TheLanguageDialogListsTheOfferedTargetsAndStoresTheChoice)
{
    start({"language="});
    languages = {{"auto", "Detect"}, {"separator", "----"}, {"ru", "Russian"}, {"de", "<b>German</b>"}};
    openSettings();
    QTest::mouseClick(dialogs.settingsDialog()->languageLink, Qt::LeftButton);
    EXPECT_EQ(boxes, QStringList{"Quillora|Not connected!"});
    EXPECT_EQ(dialogs.languageDialog(), nullptr);
    connected = true;
    QTest::mouseClick(dialogs.settingsDialog()->languageLink, Qt::LeftButton);
    LanguageDialog* f = dialogs.languageDialog();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(QRect(f->pos(), f->size()), QRect(348, 312, 328, 143)) << "centred, 312.5 rounded to even";
    EXPECT_TRUE(f->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(items(f->languageList), QStringList({"Russian", "<b>German</b>"}));
    expectLaidOut(f);
    EXPECT_FALSE(f->okButton->isEnabled() || f->emptyNote->isVisibleTo(f));
    f->languageList->setCurrentIndex(1);
    EXPECT_TRUE(f->okButton->isEnabled());
    QTest::mouseClick(f->okButton, Qt::LeftButton);
    settle();
    EXPECT_TRUE(userFile().contains("language=ende\r\n"));
    EXPECT_EQ(applies, 1);
    EXPECT_EQ(dialogs.languageDialog(), nullptr);
    languages = {{"auto", "Detect"}};
    dialogs.showLanguage();
    f = dialogs.languageDialog();
    EXPECT_TRUE(f->emptyNote->isVisibleTo(f));
    f->saveChoice();
    EXPECT_EQ(settings.value("language"), "ende") << "nothing chosen, nothing stored";
}

TEST_F(DialogsTest, TheAboutBoxShowsTheVersionsAndItsLinksOpen)
{
    versions.downloadUrl = "https://example.org/get";
    settings.set("serviceurl", "file:///usr/share/quillora/page/index.html");
    for (const auto& [own, published, beta, line] : {std::tuple{"2.0.40", "2.0.40", false, "Version 2.0.40"},
                                                     {"2.0.40", "2.0.33", true, "Version 2.0.40 beta"}}) {
        versions.own = own;
        versions.published = published;
        versions.beta = beta;
        dialogs.showAbout();
        AboutBox* f = dialogs.aboutDialog();
        EXPECT_EQ(f->versionLabel->text(), line);
        EXPECT_EQ(f->downloadLink->isVisibleTo(f), beta) << "any other published version is offered";
        EXPECT_EQ(f->downloadLink->text(), QString("Download latest version: ") + published);
        EXPECT_TRUE(f->windowFlags().testFlag(Qt::FramelessWindowHint) && f->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_EQ(f->size(), QSize(472, 164));
        expectLaidOut(f);
        QTest::mouseClick(f->siteLink, Qt::LeftButton);
        if (beta)
            QTest::mouseClick(f->downloadLink, Qt::LeftButton);
        QTest::keyClick(f, Qt::Key_Escape);
        settle();
        EXPECT_EQ(dialogs.aboutDialog(), nullptr) << "Esc closes it";
    }
    const QString about = "file:///usr/share/quillora/page/about.html";
    EXPECT_EQ(desktop.fakeShell.opened, QStringList({about, about, "https://example.org/get"}))
        << "the site link opens the program's own page beside the translation page";
    settings.set("serviceurl", "");
    dialogs.showAbout();
    EXPECT_FALSE(dialogs.aboutDialog()->siteLink->isVisibleTo(dialogs.aboutDialog())) << "no page, no link";
    dialogs.aboutDialog()->close();
    settle();

    using platform::OpenResult;
    for (const auto& [result, message] :
         {std::pair<OpenResult, QString>{OpenResult::NoProgram, "Windows не знает, что это за файл и чем его открывать. "
                                                                "Выберите программу из списка или нажмите Отмена."},
          {OpenResult::PathNotFound, "Ошибка: Путь не найден. Указанная папка не существует! \""},
          {OpenResult::Failed, ""}}) {
        boxes.clear();
        desktop.fakeShell.results.insert("/doc", result);
        EXPECT_EQ(dialogs.shellOpen("/doc"), message) << int(result);
        EXPECT_EQ(boxes, QStringList{"Ошибка|" + message}) << "the box shows even without text";
    }
    boxes.clear();
    EXPECT_EQ(dialogs.shellOpen("https://example.org/"), "");
    EXPECT_TRUE(boxes.isEmpty()) << "an opened target shows nothing";
    EXPECT_EQ(desktop.fakeShell.offeredChooser, QStringList{"/doc"}) << "only an unknown type offers the chooser";
}

} // namespace
