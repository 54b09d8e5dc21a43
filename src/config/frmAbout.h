#pragma once
// The about box: name, version, whether a newer version is published, and links to
// download it and to the program's site.

#include <QDialog>

struct DialogEnvironment;
class LinkLabel;
class QLabel;
class QPushButton;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    static const QString SiteAddress;

    explicit frmAbout(DialogEnvironment& environment, QWidget* parent = nullptr);

    // Computes the version line and the download link once, from the values of now.
    void Form_Load();
    void lblDwn_Click();
    void Label1_Click();
    void Command1_Click();

    QLabel* Image1;
    QLabel* Label4;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* ver;
    LinkLabel* lblDwn;
    LinkLabel* Label1;
    QPushButton* Command1;

private:
    DialogEnvironment& env_;
};
