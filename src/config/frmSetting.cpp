#include "config/frmSetting.h"

#include "config/ColourSwatch.h"
#include "config/DialogEnvironment.h"
#include "popup/LinkLabel.h"
#include "config/PromptRoutines.h"
#include "config/PresetList.h"
#include "config/mdlINI.h"
#include "core/AppState.h"
#include "core/NumberText.h"
#include "platform/api.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The text of a number field: its value as a 16-bit integer, "0" for anything else.
QString normalisedNumberText(const QString& text)
{
    const auto value = numbertext::parse(text);
    const auto whole = value ? numbertext::toInt16(*value) : std::nullopt;
    return QString::number(whole.value_or(0));
}

// Keeps a number field normalised after every change, typed or assigned.
QLineEdit* numberField(QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setFixedWidth(60);
    QObject::connect(field, &QLineEdit::textChanged, field, [field](const QString& text) {
        const QString normal = normalisedNumberText(text);
        if (normal != text)
            field->setText(normal);
    });
    return field;
}

const char* const OptionCaptions[] = {"Select text and click the G icon", "Select text and left click (recommended)",
                                      "Just select text"};

} // namespace

QString frmSetting::optionTag(int index)
{
    static const QString tags[] = {"2", "1", "3"};
    return tags[index];
}

frmSetting::frmSetting(DialogEnvironment& environment, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), env_(environment)
{
    setWindowTitle("Settings");
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);
    layout->addWidget(buildControlModeFrame());
    layout->addWidget(buildPopupFrame());
    layout->addWidget(buildLanguageFrame());
    layout->addStretch();
    layout->addLayout(buildButtonRow());

    env_.placeCentred(*this, 4905, 6300);
    Form_Load();
}

QWidget* frmSetting::buildControlModeFrame()
{
    Frame1 = new QGroupBox("Translate Action", this);
    auto* frameLayout = new QVBoxLayout(Frame1);
    auto* box = new QWidget(Frame1); // the borderless box that groups the options
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->setContentsMargins(0, 0, 0, 0);
    boxLayout->setSpacing(2);
    auto* group = new QButtonGroup(box);
    for (int i = 0; i < 3; ++i) {
        optControlMode[i] = new QRadioButton(OptionCaptions[i], box);
        group->addButton(optControlMode[i], i);
        boxLayout->addWidget(optControlMode[i]);
    }
    frameLayout->addWidget(box);
    return Frame1;
}

QWidget* frmSetting::buildPopupFrame()
{
    Frame2 = new QGroupBox("PopUp Window", this);
    auto* grid = new QGridLayout(Frame2);
    grid->setVerticalSpacing(5);
    txtTransWidth = numberField(Frame2);
    txtTransparency = numberField(Frame2);
    txtSmoothGlide = numberField(Frame2);
    cmbStyle = new QComboBox(Frame2);
    cmbStyle->setEditable(false);
    cmbStyle->setMinimumWidth(100);
    pctColor = new ColourSwatch(Frame2);
    pctTextColor = new ColourSwatch(Frame2);
    pctGray = new ColourSwatch(Frame2);

    const std::pair<const char*, QWidget*> rows[] = {
        {"Width, px:", txtTransWidth},
        {"Transparency, %:", txtTransparency},
        {"Glide Effect, (0-50):", txtSmoothGlide},
        {"Style Preset:", cmbStyle},
        {"Background Color:", pctColor},
        {"Text Color:", pctTextColor},
        {"Gray text and Border Color:", pctGray},
    };
    int row = 0;
    for (const auto& [caption, control] : rows) {
        grid->addWidget(new QLabel(caption, Frame2), row, 0);
        grid->addWidget(control, row++, 1, Qt::AlignLeft);
    }
    chkBorder = new QCheckBox("Border", Frame2);
    chkShadow = new QCheckBox("Shadow", Frame2);
    grid->addWidget(chkBorder, row, 0);
    grid->addWidget(chkShadow, row, 1);

    connect(cmbStyle, &QComboBox::activated, this, &frmSetting::cmbStyle_Click);
    for (ColourSwatch* swatch : {pctColor, pctTextColor, pctGray})
        connect(swatch, &ColourSwatch::clicked, this, [this, swatch] { pickSwatchColour(swatch); });
    return Frame2;
}

QWidget* frmSetting::buildLanguageFrame()
{
    Frame3 = new QGroupBox(this);
    auto* frameLayout = new QVBoxLayout(Frame3);
    Label3 = new LinkLabel(Frame3, "Set default \"translate to\" language");
    Label3->setColour(QColor(0, 0, 255));
    frameLayout->addWidget(Label3);
    connect(Label3, &LinkLabel::clicked, this, &frmSetting::Label3_Click);
    return Frame3;
}

QLayout* frmSetting::buildButtonRow()
{
    auto* row = new QHBoxLayout;
    Command1 = new QPushButton("Default Settings", this);
    cmdOk = new QPushButton("OK", this);
    cmdCancel = new QPushButton("Cancel", this);
    cmdOk->setDefault(true);
    row->addWidget(Command1);
    row->addStretch();
    row->addWidget(cmdOk);
    row->addWidget(cmdCancel);
    connect(Command1, &QPushButton::clicked, this, &frmSetting::Command1_Click);
    connect(cmdOk, &QPushButton::clicked, this, &frmSetting::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmSetting::cmdCancel_Click);
    return row;
}

void frmSetting::Form_Load()
{
    Settings& settings = env_.state.settings;
    const QString mode = settings.value("ControlMode");
    // An exclusive group cannot be cleared; lift it while no option may be chosen.
    QButtonGroup* group = optControlMode[0]->group();
    group->setExclusive(false);
    for (int i = 0; i < 3; ++i)
        optControlMode[i]->setChecked(optionTag(i) == mode);
    group->setExclusive(true);

    txtTransWidth->setText(settings.value("transwidth"));
    txtTransparency->setText(settings.value("Transparency"));
    txtSmoothGlide->setText(settings.value("SmoothGlide"));

    pctColor->setColour(env_.state.clrBack);
    pctTextColor->setColour(env_.state.clrText);
    pctGray->setColour(env_.state.clrGray);

    chkBorder->setChecked(settings.flag("border"));
    chkShadow->setChecked(settings.flag("shadow"));

    fillPresetList();
}

void frmSetting::fillPresetList()
{
    cmbStyle->clear();
    for (const StylePreset& preset : ReadStylePresets(env_.state.settings))
        cmbStyle->addItem(preset.name, preset.number);
    cmbStyle->setCurrentIndex(-1);
}

void frmSetting::cmbStyle_Click(int index)
{
    if (index < 0)
        return;
    const auto preset = ReadStylePreset(env_.state.settings, cmbStyle->itemData(index).toInt());
    if (!preset)
        return;
    pctColor->setColour(preset->background);
    pctTextColor->setColour(preset->text);
    pctGray->setColour(preset->gray);
    chkBorder->setChecked(preset->border);
}

void frmSetting::pickSwatchColour(ColourSwatch* swatch)
{
    swatch->setColour(PickColor(env_.prompts, this, swatch->colour()));
}

void frmSetting::cmdOk_Click()
{
    Settings& settings = env_.state.settings;
    for (int i = 0; i < 3; ++i)
        if (optControlMode[i]->isChecked())
            settings.set("ControlMode", optionTag(i));

    settings.set("transwidth", txtTransWidth->text());
    settings.set("Transparency", txtTransparency->text());
    settings.set("SmoothGlide", txtSmoothGlide->text());
    settings.set("border", chkBorder->isChecked() ? "1" : "0");
    settings.set("shadow", chkShadow->isChecked() ? "1" : "0");
    settings.set("Color", ColorText(pctColor->colour()));
    settings.set("TextColor", ColorText(pctTextColor->colour()));
    settings.set("Gray", ColorText(pctGray->colour()));

    env_.ini.ClampSetting("transwidth", 100, 1000);
    env_.ini.ClampSetting("transparency", 0, 100);
    env_.ini.ClampSetting("SmoothGlide", 0, 50);
    env_.ini.SaveSettings();
    if (env_.applySettings)
        env_.applySettings();
    accept();
}

void frmSetting::cmdCancel_Click()
{
    reject();
}

void frmSetting::Command1_Click()
{
    if (!AskYesNo(env_.prompts, env_.platform.input(), "Return to Default Settings?", QString(), true))
        return;
    env_.ini.ResetSettings();
    if (env_.applySettings)
        env_.applySettings();
    Form_Load();
}

void frmSetting::Label3_Click()
{
    if (env_.showLanguageDialog)
        env_.showLanguageDialog();
}
