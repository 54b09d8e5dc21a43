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
class frmSetting : public QDialog {
    Q_OBJECT
public:
    explicit frmSetting(DialogEnvironment& environment, QWidget* parent = nullptr);

    // Fills the controls from the settings and the applied colours.
    void Form_Load();
    void cmbStyle_Click(int index);
    void cmdOk_Click();
    void cmdCancel_Click();
    void Command1_Click();
    void Label3_Click();

    // The ControlMode value each option button stands for.
    static QString optionTag(int index);

    QGroupBox* Frame1;
    std::array<QRadioButton*, 3> optControlMode;
    QGroupBox* Frame2;
    QLineEdit* txtTransWidth;
    QLineEdit* txtTransparency;
    QLineEdit* txtSmoothGlide;
    QComboBox* cmbStyle;
    ColourSwatch* pctColor;
    ColourSwatch* pctTextColor;
    ColourSwatch* pctGray;
    QCheckBox* chkBorder;
    QCheckBox* chkShadow;
    QGroupBox* Frame3;
    LinkLabel* Label3;
    QPushButton* Command1;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

private:
    QWidget* buildControlModeFrame();
    QWidget* buildPopupFrame();
    QWidget* buildLanguageFrame();
    QLayout* buildButtonRow();
    void fillPresetList();
    void pickSwatchColour(ColourSwatch* swatch);

    DialogEnvironment& env_;
};
