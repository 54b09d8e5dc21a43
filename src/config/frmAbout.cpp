#include "config/frmAbout.h"

#include "config/DialogEnvironment.h"
#include "popup/LinkLabel.h"
#include "config/Logo.h"
#include "core/AppState.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

const QString frmAbout::SiteAddress = QStringLiteral("https://quillora.example.org/");

namespace {
constexpr int LogoSide = 144;
}

frmAbout::frmAbout(DialogEnvironment& environment, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), env_(environment)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Quillora");
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(240, 240, 240));
    setPalette(background);
    setAutoFillBackground(true);

    Image1 = new QLabel(this);
    Image1->setPixmap(logoPixmap(LogoSide));
    Image1->setFixedSize(LogoSide, LogoSide);
    Label4 = new QLabel("Quillora", this);
    QFont title("Arial");
    title.setBold(true);
    title.setPointSizeF(15.75);
    Label4->setFont(title);
    Label2 = new QLabel("Written by the Quillora developers", this);
    Label3 = new QLabel("Translations by the Apertium engine", this);
    ver = new QLabel(this);
    lblDwn = new LinkLabel(this);
    lblDwn->setColour(QColor(255, 128, 0));
    Label1 = new LinkLabel(this, SiteAddress);
    Label1->setColour(QColor(0, 0, 192));
    Command1 = new QPushButton("Close", this);
    Command1->setDefault(true);

    auto* column = new QVBoxLayout;
    column->setSpacing(3);
    for (QWidget* line : {static_cast<QWidget*>(Label4), static_cast<QWidget*>(Label2), static_cast<QWidget*>(Label3),
                          static_cast<QWidget*>(ver), static_cast<QWidget*>(lblDwn), static_cast<QWidget*>(Label1)})
        column->addWidget(line);
    column->addStretch();
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(10, 10, 10, 10);
    grid->setHorizontalSpacing(14);
    grid->addWidget(Image1, 0, 0, 2, 1, Qt::AlignTop);
    grid->addLayout(column, 0, 1);
    grid->addWidget(Command1, 1, 1, Qt::AlignRight | Qt::AlignBottom);

    connect(lblDwn, &LinkLabel::clicked, this, &frmAbout::lblDwn_Click);
    connect(Label1, &LinkLabel::clicked, this, &frmAbout::Label1_Click);
    connect(Command1, &QPushButton::clicked, this, &frmAbout::Command1_Click);

    env_.placeCentred(*this, 7080, 2460);
    Form_Load();
}

void frmAbout::Form_Load()
{
    const AppState& s = env_.state;
    ver->setText("Version " + s.AppVersion + (s.IsBeta ? " beta" : ""));
    // Any difference is offered, also an older published version.
    lblDwn->setVisible(s.AppVersion != s.LatestVersion);
    lblDwn->setCaption("Download latest version: " + s.LatestVersion);
}

void frmAbout::lblDwn_Click()
{
    env_.shellOpen(env_.state.DownloadURL);
}

void frmAbout::Label1_Click()
{
    env_.shellOpen(SiteAddress);
}

void frmAbout::Command1_Click()
{
    accept();
}
