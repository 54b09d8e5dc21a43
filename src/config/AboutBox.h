#pragma once
// The about box: name, version, whether a newer version is published, and links to
// download it and to the program's own page (shipped beside the translation page).

#include <QDialog>

struct DialogEnvironment;
class LinkLabel;
class QLabel;
class QPushButton;

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(DialogEnvironment& environment, QWidget* parent = nullptr);

    // Computes the version line and the download link once, from the values of now.
    void showVersions();
    void openDownload();
    // about.html beside the service page; empty when the page has no usable address.
    QString siteAddress() const;
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
