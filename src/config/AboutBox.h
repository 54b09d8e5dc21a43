#pragma once
// The about box: name, version, whether a newer version is published, and links to
// download it and to the program's site.

#include <QDialog>

struct DialogEnvironment;
class LinkLabel;
class QLabel;
class QPushButton;

class AboutBox : public QDialog {
    Q_OBJECT
public:
    static const QString SiteAddress;

    explicit AboutBox(DialogEnvironment& environment, QWidget* parent = nullptr);

    // Computes the version line and the download link once, from the values of now.
    void showVersions();
    void openDownload();
    void openSite();
    void closeBox();

    QLabel* logo;
    QLabel* titleLabel;
    QLabel* authorLabel;
    QLabel* engineLabel;
    QLabel* versionLabel;
    LinkLabel* downloadLink;
    LinkLabel* siteLink;
    QPushButton* closeButton;

private:
    DialogEnvironment& env_;
};
