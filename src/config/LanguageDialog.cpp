#include "config/LanguageDialog.h"

#include "config/DialogEnvironment.h"
#include "config/SettingsFiles.h"
#include "common/Settings.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

LanguageDialog::LanguageDialog(DialogEnvironment& environment, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), env_(environment)
{
    setWindowTitle("Quillora");
    setAttribute(Qt::WA_DeleteOnClose);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(12, 10, 12, 10);
    promptLabel = new QLabel("Please, select your favorite language.", this);
    targetLabel = new QLabel("By default translate to:", this);
    languageList = new QComboBox(this);
    languageList->setEditable(false);
    okButton = new QPushButton("OK", this);
    okButton->setDefault(true);
    okButton->setEnabled(false);
    emptyNote = new QLabel("The translation service offers no languages.", this);
    grid->addWidget(promptLabel, 0, 0, 1, 2);
    grid->addWidget(targetLabel, 1, 0, 1, 2);
    grid->addWidget(languageList, 2, 0);
    grid->addWidget(okButton, 2, 1);
    grid->addWidget(emptyNote, 3, 0, 1, 2);
    grid->setColumnStretch(0, 1);

    connect(languageList, &QComboBox::currentIndexChanged, this, &LanguageDialog::updateOkButton);
    connect(okButton, &QPushButton::clicked, this, &LanguageDialog::saveChoice);
    setFixedSize(328, 143);
    fillLanguages();
}

void LanguageDialog::fillLanguages()
{
    const QList<LanguageOption> options = env_.offeredLanguages ? env_.offeredLanguages() : QList<LanguageOption>();
    for (const LanguageOption& option : options) {
        if (option.code == "auto" || option.code == "separator")
            continue;
        languageList->addItem(option.name);
        codes_.insert(languageList->count() - 1, option.code);
    }
    languageList->setCurrentIndex(-1);
    emptyNote->setVisible(languageList->count() == 0);
    updateOkButton();
}

void LanguageDialog::updateOkButton()
{
    okButton->setEnabled(languageList->currentIndex() >= 0);
}

void LanguageDialog::saveChoice()
{
    const int position = languageList->currentIndex();
    if (position < 0)
        return;
    env_.settings.set("language", "en" + codeAt(position));
    env_.settingsFiles.save();
    if (env_.applySettings)
        env_.applySettings();
    accept();
}
