#pragma once
// The default-language dialog: lists the target languages that the service page
// offers and stores the chosen one as "en" + its option value.

#include <QDialog>
#include <QHash>

struct DialogEnvironment;
class QComboBox;
class QLabel;
class QPushButton;

class LanguageDialog : public QDialog {
    Q_OBJECT
public:
    explicit LanguageDialog(DialogEnvironment& environment, QWidget* parent = nullptr);

    // Fills the list from the page's `selto` options, leaving out "auto" and
    // "separator". Runs once, when the dialog is created.
    void fillLanguages();
    // OK is enabled exactly while a language is selected.
    void updateOkButton();
    void saveChoice();

    QLabel* promptLabel;
    QLabel* targetLabel;
    QComboBox* languageList;
    QPushButton* okButton;
    // Says that the service offers no languages; shown only when the list is empty.
    QLabel* emptyNote;

    // The option value behind each list position.
    QString codeAt(int position) const { return codes_.value(position); }

private:
    DialogEnvironment& env_;
    QHash<int, QString> codes_;
};
