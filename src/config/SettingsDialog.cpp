#include "config/SettingsDialog.h"

#include "config/ColourSwatch.h"
#include "config/DialogEnvironment.h"
#include "common/LinkLabel.h"
#include "config/PromptRoutines.h"
#include "config/StylePresets.h"
#include "config/SettingsFiles.h"
#include "common/Settings.h"
#include "common/NumberText.h"
#include "platform/Platform.h"

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

QString SettingsDialog::controlModeOf(int index)
{
    static const QString tags[] = {"2", "1", "3"};
    return tags[index];
}

SettingsDialog::SettingsDialog(DialogEnvironment& environment, QWidget* parent)
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

    env_.placeCentred(*this, QSize(327, 420));
    loadFromSettings();
}

QWidget* SettingsDialog::buildControlModeFrame()
{
    triggerGroup = new QGroupBox("Translate Action", this);
    auto* frameLayout = new QVBoxLayout(triggerGroup);
    auto* box = new QWidget(triggerGroup); // the borderless box that groups the options
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->setContentsMargins(0, 0, 0, 0);
    boxLayout->setSpacing(2);
    auto* group = new QButtonGroup(box);
    for (int i = 0; i < 3; ++i) {
        triggerOptions[i] = new QRadioButton(OptionCaptions[i], box);
        group->addButton(triggerOptions[i], i);
        boxLayout->addWidget(triggerOptions[i]);
    }
    frameLayout->addWidget(box);
    return triggerGroup;
}

QWidget* SettingsDialog::buildPopupFrame()
{
    popupGroup = new QGroupBox("PopUp Window", this);
    auto* grid = new QGridLayout(popupGroup);
    grid->setVerticalSpacing(5);
    widthField = numberField(popupGroup);
    transparencyField = numberField(popupGroup);
    glideField = numberField(popupGroup);
    presetList = new QComboBox(popupGroup);
    presetList->setEditable(false);
    presetList->setMinimumWidth(100);
    backgroundSwatch = new ColourSwatch(popupGroup);
    textSwatch = new ColourSwatch(popupGroup);
    graySwatch = new ColourSwatch(popupGroup);

    const std::pair<const char*, QWidget*> rows[] = {
        {"Width, px:", widthField},
        {"Transparency, %:", transparencyField},
        {"Glide Effect, (0-50):", glideField},
        {"Style Preset:", presetList},
        {"Background Color:", backgroundSwatch},
        {"Text Color:", textSwatch},
        {"Gray text and Border Color:", graySwatch},
    };
    int row = 0;
    for (const auto& [caption, control] : rows) {
        grid->addWidget(new QLabel(caption, popupGroup), row, 0);
        grid->addWidget(control, row++, 1, Qt::AlignLeft);
    }
    borderBox = new QCheckBox("Border", popupGroup);
    shadowBox = new QCheckBox("Shadow", popupGroup);
    grid->addWidget(borderBox, row, 0);
    grid->addWidget(shadowBox, row, 1);

    connect(presetList, &QComboBox::activated, this, &SettingsDialog::applyPreset);
    for (ColourSwatch* swatch : {backgroundSwatch, textSwatch, graySwatch})
        connect(swatch, &ColourSwatch::clicked, this, [this, swatch] { pickSwatchColour(swatch); });
    return popupGroup;
}

QWidget* SettingsDialog::buildLanguageFrame()
{
    languageGroup = new QGroupBox(this);
    auto* frameLayout = new QVBoxLayout(languageGroup);
    languageLink = new LinkLabel(languageGroup, "Set default \"translate to\" language");
    languageLink->setColour(QColor(0, 0, 255));
    frameLayout->addWidget(languageLink);
    connect(languageLink, &LinkLabel::clicked, this, &SettingsDialog::openLanguageDialog);
    return languageGroup;
}

QLayout* SettingsDialog::buildButtonRow()
{
    auto* row = new QHBoxLayout;
    defaultsButton = new QPushButton("Default Settings", this);
    okButton = new QPushButton("OK", this);
    cancelButton = new QPushButton("Cancel", this);
    okButton->setDefault(true);
    row->addWidget(defaultsButton);
    row->addStretch();
    row->addWidget(okButton);
    row->addWidget(cancelButton);
    connect(defaultsButton, &QPushButton::clicked, this, &SettingsDialog::restoreDefaults);
    connect(okButton, &QPushButton::clicked, this, &SettingsDialog::saveAndClose);
    connect(cancelButton, &QPushButton::clicked, this, &SettingsDialog::cancel);
    return row;
}

void SettingsDialog::loadFromSettings()
{
    Settings& settings = env_.settings;
    const QString mode = settings.value("ControlMode");
    // An exclusive group cannot be cleared; lift it while no option may be chosen.
    QButtonGroup* group = triggerOptions[0]->group();
    group->setExclusive(false);
    for (int i = 0; i < 3; ++i)
        triggerOptions[i]->setChecked(controlModeOf(i) == mode);
    group->setExclusive(true);

    // Normalised here too: an empty value set on an empty field is no change, so the
    // field's own normalisation would never run and it would stay blank.
    widthField->setText(normalisedNumberText(settings.value("transwidth")));
    transparencyField->setText(normalisedNumberText(settings.value("Transparency")));
    glideField->setText(normalisedNumberText(settings.value("SmoothGlide")));

    backgroundSwatch->setColour(parseColour(settings.value("Color")));
    textSwatch->setColour(parseColour(settings.value("TextColor")));
    graySwatch->setColour(parseColour(settings.value("Gray")));

    borderBox->setChecked(settings.flag("border"));
    shadowBox->setChecked(settings.flag("shadow"));

    fillPresetList();
}

void SettingsDialog::fillPresetList()
{
    presetList->clear();
    for (const StylePreset& preset : readStylePresets(env_.settings))
        presetList->addItem(preset.name, preset.number);
    presetList->setCurrentIndex(-1);
}

void SettingsDialog::applyPreset(int index)
{
    if (index < 0)
        return;
    const auto preset = readStylePreset(env_.settings, presetList->itemData(index).toInt());
    if (!preset)
        return;
    backgroundSwatch->setColour(preset->background);
    textSwatch->setColour(preset->text);
    graySwatch->setColour(preset->gray);
    borderBox->setChecked(preset->border);
}

void SettingsDialog::pickSwatchColour(ColourSwatch* swatch)
{
    swatch->setColour(pickColour(env_.prompts, this, swatch->colour()));
}

void SettingsDialog::saveAndClose()
{
    Settings& settings = env_.settings;
    for (int i = 0; i < 3; ++i)
        if (triggerOptions[i]->isChecked())
            settings.set("ControlMode", controlModeOf(i));

    settings.set("transwidth", widthField->text());
    settings.set("Transparency", transparencyField->text());
    settings.set("SmoothGlide", glideField->text());
    settings.set("border", borderBox->isChecked() ? "1" : "0");
    settings.set("shadow", shadowBox->isChecked() ? "1" : "0");
    settings.set("Color", colourText(backgroundSwatch->colour()));
    settings.set("TextColor", colourText(textSwatch->colour()));
    settings.set("Gray", colourText(graySwatch->colour()));

    env_.settingsFiles.clamp("transwidth", 100, 1000);
    env_.settingsFiles.clamp("transparency", 0, 100);
    env_.settingsFiles.clamp("SmoothGlide", 0, 50);
    env_.settingsFiles.save();
    if (env_.applySettings)
        env_.applySettings();
    accept();
}

void SettingsDialog::cancel()
{
    reject();
}

void SettingsDialog::restoreDefaults()
{
    if (!askYesNo(env_.prompts, env_.platform.input(), "Return to Default Settings?", QString(), true))
        return;
    env_.settingsFiles.reset();
    if (env_.applySettings)
        env_.applySettings();
    loadFromSettings();
}

void SettingsDialog::openLanguageDialog()
{
    if (env_.showLanguageDialog)
        env_.showLanguageDialog();
}
