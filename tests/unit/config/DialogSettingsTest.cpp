#include "DialogFixture.h"
#include "config/ColourSwatch.h"
#include "common/LinkLabel.h"
#include "config/SettingsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

const QStringList Shipped{
    "transwidth=450", "Transparency=20", "SmoothGlide=10", "Color=255,255,255", "TextColor=0,0,0",
    "Gray=128,128,128", "Border=0", "Shadow=1", "styles=2", "style1=Light|255,255,255|0,0,0|128,128,128|0",
    "style2=Classic|255,255,225|0,0,0|128,128,128|1"};

class SettingsDialogTest : public DialogFixture {
protected:
    SettingsDialog* open()
    {
        dialogs.showSettings();
        return dialogs.settingsDialog();
    }
    QStringList presetNames(SettingsDialog* f)
    {
        QStringList names;
        for (int i = 0; i < f->presetList->count(); ++i)
            names.append(f->presetList->itemText(i));
        return names;
    }
    int checkedOption(SettingsDialog* f)
    {
        for (int i = 0; i < 3; ++i)
            if (f->triggerOptions[i]->isChecked())
                return i;
        return -1;
    }
};

TEST_F(SettingsDialogTest, OpensCentredWithTheStoredValues)
{
    start(Shipped);
    SettingsDialog* f = open();
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(f->size(), QSize(327, 420));
    EXPECT_EQ(f->pos(), QPoint((1024 - 327) / 2, (768 - 420) / 2));
    EXPECT_TRUE(f->okButton->isDefault());

    EXPECT_EQ(checkedOption(f), 0) << "ControlMode absent from the files is the built-in icon mode";
    EXPECT_EQ(f->widthField->text(), "450");
    EXPECT_EQ(f->transparencyField->text(), "20");
    EXPECT_EQ(f->glideField->text(), "10");
    EXPECT_EQ(colourText(f->graySwatch->colour()), "128,128,128");
    EXPECT_FALSE(f->borderBox->isChecked());
    EXPECT_TRUE(f->shadowBox->isChecked());
    EXPECT_EQ(presetNames(f), QStringList({"Light", "Classic"}));
    EXPECT_EQ(f->presetList->currentIndex(), -1);

    dialogs.showSettings();
    EXPECT_EQ(dialogs.settingsDialog(), f) << "a second open brings the same dialog forward";
}

TEST_F(SettingsDialogTest, ControlModeSelectsTheOptionWithItsTagAndOkKeepsAnUnmatchedValue)
{
    start(Shipped);
    const std::pair<const char*, int> cases[] = {{"2", 0}, {"1", 1}, {"3", 2}, {"7", -1}, {"", -1}};
    for (const auto& [stored, option] : cases) {
        state.settings.set("ControlMode", stored);
        SettingsDialog* f = open();
        EXPECT_EQ(checkedOption(f), option) << stored;
        f->saveAndClose();
        settle();
        EXPECT_EQ(state.settings.value("ControlMode"), option < 0 ? stored : SettingsDialog::controlModeOf(option));
    }
}

TEST_F(SettingsDialogTest, NumberFieldsShowTheirValueAsA16BitInteger)
{
    start(Shipped);
    SettingsDialog* f = open();
    const std::pair<const char*, const char*> cases[] = {
        {"", "0"},         {"  12 ", "12"}, {"2.5", "2"},          {"3.5", "4"},   {"-3", "-3"},
        {"abc", "0"},      {"12px", "0"},   {"32767", "32767"},    {"32768", "0"}, {"-32768", "-32768"},
        {"1e3", "1000"},   {"1e9", "0"},    {"-32768.6", "0"},
    };
    for (QLineEdit* field : {f->widthField, f->transparencyField, f->glideField})
        for (const auto& [typed, shown] : cases) {
            field->setText(typed);
            EXPECT_EQ(field->text(), shown) << typed;
        }
}

TEST_F(SettingsDialogTest, TypingIsNormalisedAtOnceAndOkClampsToTheBounds)
{
    start(Shipped);
    SettingsDialog* f = open();
    f->widthField->selectAll();
    QTest::keyClick(f->widthField, Qt::Key_Backspace);
    EXPECT_EQ(f->widthField->text(), "0") << "deleting the whole width shows 0 at once";
    f->glideField->selectAll();
    QTest::keyClicks(f->glideField, "75");
    EXPECT_EQ(f->glideField->text(), "75");
    f->transparencyField->setText("100");
    QTest::keyClick(f->transparencyField, Qt::Key_Return);
    settle();

    EXPECT_EQ(dialogs.settingsDialog(), nullptr) << "Enter presses OK, which closes the dialog";
    EXPECT_EQ(state.settings.value("transwidth"), "100");
    EXPECT_EQ(state.settings.value("SmoothGlide"), "50");
    EXPECT_EQ(state.settings.value("Transparency"), "100");
    EXPECT_EQ(applies, 1);
    EXPECT_TRUE(userFile().contains("transwidth=100\r\n"));
    EXPECT_TRUE(userFile().contains("SmoothGlide=50\r\n"));

    f = open();
    f->widthField->setText("1500");
    f->transparencyField->setText("-3");
    f->saveAndClose();
    EXPECT_EQ(state.settings.value("transwidth"), "1000");
    EXPECT_EQ(state.settings.value("Transparency"), "0");
}

TEST_F(SettingsDialogTest, OkWithoutChangesStillSavesEverythingAndApplies)
{
    start(Shipped);
    ASSERT_FALSE(desktop.fakeFiles.files.contains(FakeDesktop::UserFile));
    open()->saveAndClose();
    EXPECT_EQ(applies, 1);
    const QString saved = userFile();
    for (const char* line : {"transwidth=450", "Color=255,255,255", "Gray=128,128,128", "Border=0", "Shadow=1",
                             "ControlMode=2", "style2=Classic|255,255,225|0,0,0|128,128,128|1"})
        EXPECT_TRUE(saved.contains(QString(line) + "\r\n")) << line;
}

TEST_F(SettingsDialogTest, APresetSetsTheColoursAndBorderOnly)
{
    start(Shipped);
    SettingsDialog* f = open();
    f->widthField->setText("600");
    f->shadowBox->setChecked(false);
    f->presetList->setFocus();
    QTest::keyClick(f->presetList, Qt::Key_Down);
    QTest::keyClick(f->presetList, Qt::Key_Down);
    ASSERT_EQ(f->presetList->currentText(), "Classic");

    EXPECT_EQ(colourText(f->backgroundSwatch->colour()), "255,255,225");
    EXPECT_EQ(colourText(f->textSwatch->colour()), "0,0,0");
    EXPECT_EQ(colourText(f->graySwatch->colour()), "128,128,128");
    EXPECT_TRUE(f->borderBox->isChecked());
    EXPECT_FALSE(f->shadowBox->isChecked());
    EXPECT_EQ(f->widthField->text(), "600");
    EXPECT_EQ(state.settings.value("Color"), "255,255,255") << "nothing is stored before OK";

    f->saveAndClose();
    EXPECT_EQ(state.settings.value("Color"), "255,255,225");
    EXPECT_EQ(state.settings.value("Border"), "1");
    EXPECT_EQ(state.settings.value("Shadow"), "0");
}

TEST_F(SettingsDialogTest, MalformedPresetsAreLeftOutAndNeverAdded)
{
    const std::pair<QStringList, QStringList> cases[] = {
        {{"styles=abc", "style1=Light|1,1,1|0,0,0|2,2,2|0"}, {}},
        {{"styles=0", "style1=Light|1,1,1|0,0,0|2,2,2|0"}, {}},
        {{"style1=Light|1,1,1|0,0,0|2,2,2|0"}, {}},
        {{"styles=-2"}, {}},
        {{"styles=4", "style1=only|two", "style2=Dark|45,45,48|230,230,230|150,150,150|0",
          "style4=Odd|300,-5,x|0,0,0|1,2,3|yes"},
         {"Dark", "Odd"}},
        {{"styles=1e9", "style1=A|1,1,1|0,0,0|2,2,2|0"}, {"A"}},
    };
    for (const auto& [lines, names] : cases) {
        start(lines);
        SettingsDialog* f = open();
        EXPECT_EQ(presetNames(f), names);
        EXPECT_FALSE(state.settings.contains("style3"));
        f->cancel();
        settle();
    }
    // The last well-formed but odd preset: an unreadable colour is black, an
    // unreadable border flag is off.
    start({"styles=1", "style1=Odd|300,-5,x|10,20,30|1,2,3|yes"});
    SettingsDialog* f = open();
    f->borderBox->setChecked(true);
    emit f->presetList->activated(0);
    EXPECT_EQ(f->backgroundSwatch->colour(), 0u);
    EXPECT_EQ(colourText(f->textSwatch->colour()), "10,20,30");
    EXPECT_FALSE(f->borderBox->isChecked());
}

TEST_F(SettingsDialogTest, BadStoredValuesShowAsNumbersAndAreClampedOnOk)
{
    start({"Color=300,-5,x", "transwidth=1e9", "Transparency=-3", "SmoothGlide=abc", "border=yes", "shadow=2"});
    SettingsDialog* f = open();
    EXPECT_EQ(f->widthField->text(), "0");
    EXPECT_EQ(f->transparencyField->text(), "-3");
    EXPECT_EQ(f->glideField->text(), "0");
    EXPECT_EQ(f->backgroundSwatch->colour(), 0u);
    EXPECT_FALSE(f->borderBox->isChecked());
    EXPECT_TRUE(f->shadowBox->isChecked());
    f->saveAndClose();
    EXPECT_EQ(state.settings.value("transwidth"), "100");
    EXPECT_EQ(state.settings.value("Transparency"), "0");
    EXPECT_EQ(state.settings.value("SmoothGlide"), "0");
    EXPECT_EQ(state.settings.value("Color"), "0,0,0");
    EXPECT_EQ(state.settings.value("border"), "0");
}

TEST_F(SettingsDialogTest, SwatchesOpenTheColourDialogOnTheirColourAndCancelKeepsIt)
{
    start(Shipped);
    SettingsDialog* f = open();
    QTest::mouseClick(f->graySwatch, Qt::LeftButton);
    ASSERT_EQ(colourDialogStarts.size(), 1);
    EXPECT_EQ(colourDialogStarts[0], QColor(128, 128, 128));
    EXPECT_EQ(colourText(f->graySwatch->colour()), "128,128,128") << "cancelled";

    colourChosen = QColor(10, 200, 30);
    QTest::mouseClick(f->textSwatch, Qt::LeftButton);
    EXPECT_EQ(colourDialogStarts.last(), QColor(0, 0, 0));
    EXPECT_EQ(colourText(f->textSwatch->colour()), "10,200,30");
    f->saveAndClose();
    EXPECT_EQ(state.settings.value("TextColor"), "10,200,30");
}

TEST_F(SettingsDialogTest, CancelStoresNothing)
{
    start(Shipped);
    SettingsDialog* f = open();
    f->widthField->setText("800");
    f->triggerOptions[2]->setChecked(true);
    QTest::keyClick(f, Qt::Key_Escape);
    settle();
    EXPECT_EQ(dialogs.settingsDialog(), nullptr);
    EXPECT_EQ(state.settings.value("transwidth"), "450");
    EXPECT_EQ(state.settings.value("ControlMode"), "2");
    EXPECT_EQ(applies, 0);
    EXPECT_FALSE(desktop.fakeFiles.files.contains(FakeDesktop::UserFile));
}

TEST_F(SettingsDialogTest, DefaultSettingsAsksUnlessShiftIsDownAndSurvivesCancel)
{
    for (const bool shift : {false, true}) {
        start(Shipped, {"transwidth=777", "Color=1,2,3"});
        questions.clear();
        desktop.fakeInput.shiftDown = shift;
        SettingsDialog* f = open();
        ASSERT_EQ(f->widthField->text(), "777");

        answerYes = false;
        f->restoreDefaults();
        if (!shift) {
            EXPECT_EQ(questions, QStringList{"Quillora|Return to Default Settings?"});
            EXPECT_EQ(f->widthField->text(), "777") << "No keeps everything";
            EXPECT_TRUE(desktop.fakeFiles.files.contains(FakeDesktop::UserFile));
            answerYes = true;
            f->restoreDefaults();
        }
        EXPECT_EQ(questions.size(), shift ? 0 : 2);
        EXPECT_FALSE(desktop.fakeFiles.files.contains(FakeDesktop::UserFile));
        EXPECT_EQ(applies, 1);
        EXPECT_EQ(f->widthField->text(), "450") << "the dialog shows the restored values";
        EXPECT_EQ(colourText(f->backgroundSwatch->colour()), "255,255,255");
        EXPECT_EQ(dialogs.settingsDialog(), f) << "the dialog stays open";

        f->cancel();
        settle();
        EXPECT_EQ(state.settings.value("transwidth"), "450") << "Cancel does not undo the reset";
        applies = 0;
    }
}

TEST_F(SettingsDialogTest, TheLanguageLinkOpensTheLanguageDialog)
{
    start(Shipped);
    SettingsDialog* f = open();
    QTest::mouseClick(f->languageLink, Qt::LeftButton);
    EXPECT_EQ(exclamations, QStringList{"Quillora|Not connected!"});
    state.connected = true;
    QTest::mouseClick(f->languageLink, Qt::LeftButton);
    EXPECT_NE(dialogs.languageDialog(), nullptr);
    EXPECT_EQ(dialogs.settingsDialog(), f) << "the settings dialog stays open";
}

} // namespace
