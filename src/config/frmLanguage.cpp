#include "config/frmLanguage.h"

#include "config/DialogEnvironment.h"
#include "config/mdlINI.h"
#include "core/AppState.h"
#include "service/ServicePage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

frmLanguage::frmLanguage(DialogEnvironment& environment, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), env_(environment)
{
    setWindowTitle("Quillora");
    setAttribute(Qt::WA_DeleteOnClose);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(12, 10, 12, 10);
    Label2 = new QLabel("Please, select your favorite language.", this);
    Label1 = new QLabel("By default translate to:", this);
    cmbLang = new QComboBox(this);
    cmbLang->setEditable(false);
    cmdOk = new QPushButton("OK", this);
    cmdOk->setDefault(true);
    cmdOk->setEnabled(false);
    lblEmpty = new QLabel("The translation service offers no languages.", this);
    lblEmpty->setVisible(false);
    grid->addWidget(Label2, 0, 0, 1, 2);
    grid->addWidget(Label1, 1, 0, 1, 2);
    grid->addWidget(cmbLang, 2, 0);
    grid->addWidget(cmdOk, 2, 1);
    grid->addWidget(lblEmpty, 3, 0, 1, 2);
    grid->setColumnStretch(0, 1);

    connect(cmbLang, &QComboBox::currentIndexChanged, this, &frmLanguage::cmbLang_Click);
    connect(cmdOk, &QPushButton::clicked, this, &frmLanguage::cmdOk_Click);
    setFixedSize(env_.pixels(4920, 2145));
    Form_Load();
}

void frmLanguage::Form_Load()
{
    const auto options = env_.page ? env_.page->options(page::selto) : std::nullopt;
    for (const ServicePage::Option& option : options.value_or(QList<ServicePage::Option>())) {
        if (option.value == "auto" || option.value == "separator")
            continue;
        cmbLang->addItem(option.text);
        codes_.insert(cmbLang->count() - 1, option.value);
    }
    cmbLang->setCurrentIndex(-1);
    lblEmpty->setVisible(cmbLang->count() == 0);
    cmbLang_Click();
}

void frmLanguage::cmbLang_Click()
{
    cmdOk->setEnabled(cmbLang->currentIndex() >= 0);
}

void frmLanguage::cmdOk_Click()
{
    const int position = cmbLang->currentIndex();
    if (position < 0)
        return;
    env_.state.settings.set("language", "en" + codeAt(position));
    env_.ini.SaveSettings();
    if (env_.applySettings)
        env_.applySettings();
    accept();
}
