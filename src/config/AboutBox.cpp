#include "config/AboutBox.h"

#include "config/DialogEnvironment.h"
#include "common/LinkLabel.h"
#include "config/Logo.h"
#include "common/Settings.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {
constexpr int LogoSide = 144;
}

AboutBox::AboutBox(DialogEnvironment& environment, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), env_(environment)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Quillora");
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(240, 240, 240));
    setPalette(background);
    setAutoFillBackground(true);

    logo = new QLabel(this);
    logo->setPixmap(logoPixmap(LogoSide));
    logo->setFixedSize(LogoSide, LogoSide);
    titleLabel = new QLabel("Quillora", this);
    QFont title("Arial");
    title.setBold(true);
    title.setPointSizeF(15.75);
    titleLabel->setFont(title);
    authorLabel = new QLabel("Written by the Quillora developers", this);
    engineLabel = new QLabel("Translations by the Apertium engine", this);
    versionLabel = new QLabel(this);
    downloadLink = new LinkLabel(this);
    downloadLink->setColour(QColor(255, 128, 0));
    siteLink = new LinkLabel(this, QStringLiteral("About Quillora and its languages"), siteAddress());
    siteLink->setColour(QColor(0, 0, 192));
    siteLink->setVisible(!siteAddress().isEmpty());
    closeButton = new QPushButton("Close", this);
    closeButton->setDefault(true);

    auto* column = new QVBoxLayout;
    column->setSpacing(3);
    for (QWidget* line : {static_cast<QWidget*>(titleLabel), static_cast<QWidget*>(authorLabel), static_cast<QWidget*>(engineLabel),
                          static_cast<QWidget*>(versionLabel), static_cast<QWidget*>(downloadLink), static_cast<QWidget*>(siteLink)})
        column->addWidget(line);
    column->addStretch();
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(10, 10, 10, 10);
    grid->setHorizontalSpacing(14);
    grid->addWidget(logo, 0, 0, 2, 1, Qt::AlignTop);
    grid->addLayout(column, 0, 1);
    grid->addWidget(closeButton, 1, 1, Qt::AlignRight | Qt::AlignBottom);

    connect(downloadLink, &LinkLabel::clicked, this, &AboutBox::openDownload);
    connect(siteLink, &LinkLabel::clicked, this, &AboutBox::openSite);
    connect(closeButton, &QPushButton::clicked, this, &AboutBox::closeBox);

    env_.placeCentred(*this, QSize(472, 164));
    showVersions();
}

void AboutBox::showVersions()
{
    const VersionFacts v = env_.versions ? env_.versions() : VersionFacts{};
    versionLabel->setText("Version " + v.own + (v.beta ? " beta" : ""));
    // Any difference is offered, also an older published version.
    downloadLink->setVisible(v.own != v.published);
    downloadLink->setCaption("Download latest version: " + v.published);
}

void AboutBox::openDownload()
{
    env_.shellOpen(env_.versions ? env_.versions().downloadUrl : QString());
}

QString AboutBox::siteAddress() const
{
    // The program's own page ships with its translation page, beside it.
    const QUrl page(env_.settings.value("serviceurl").trimmed());
    if (!page.isValid() || page.scheme().isEmpty())
        return {};
    return page.resolved(QUrl(QStringLiteral("about.html"))).toString();
}

void AboutBox::openSite()
{
    const QString address = siteAddress();
    if (!address.isEmpty())
        env_.shellOpen(address);
}

void AboutBox::closeBox()
{
    accept();
}
