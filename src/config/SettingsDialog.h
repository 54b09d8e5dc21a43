#pragma once
// The settings dialog: how a translation is triggered and how the popup looks. The
// controls are a working copy of the settings; only OK writes them back, and only
// "Default Settings" changes the stored settings while the dialog stays open.

#include <QDialog>
#include <array>

struct DialogEnvironment;
class ColourSwatch;
class LinkLabel;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Esc, Cancel and the close box reject the dialog; accepting or rejecting destroys it.
class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit SettingsDialog(DialogEnvironment& environment, QWidget* parent = nullptr);

    // Fills the controls from the settings and the applied colours.
    void loadFromSettings();
    void applyPreset(int index);
    void saveAndClose();
    void cancel();
    void restoreDefaults();
    void openLanguageDialog();

    // The ControlMode value each option button stands for.
    static QString controlModeOf(int index);

    QGroupBox* triggerGroup;
    std::array<QRadioButton*, 3> triggerOptions;
    QGroupBox* popupGroup;
    QLineEdit* widthField;
    QLineEdit* transparencyField;
    QLineEdit* glideField;
    QComboBox* presetList;
    ColourSwatch* backgroundSwatch;
    ColourSwatch* textSwatch;
    ColourSwatch* graySwatch;
    QCheckBox* borderBox;
    QCheckBox* shadowBox;
    QGroupBox* languageGroup;
    LinkLabel* languageLink;
    QPushButton* defaultsButton;
    QPushButton* okButton;
    QPushButton* cancelButton;

private:
    QWidget* buildControlModeFrame();
    QWidget* buildPopupFrame();
    QWidget* buildLanguageFrame();
    QLayout* buildButtonRow();
    void fillPresetList();
    void pickSwatchColour(ColourSwatch* swatch);

    DialogEnvironment& env_;
};
