#include "config/ModalPrompts.h"

#include <QColorDialog>
#include <QMessageBox>

namespace {

void showExclamation(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok);
    box.exec();
}

bool askQuestion(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

// The custom colours start black on every call: choices are not remembered.
QColor pickColour(QWidget* owner, const QColor& initial)
{
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, Qt::black);
    const QColor chosen = QColorDialog::getColor(initial, owner, QString(), QColorDialog::DontUseNativeDialog);
    return chosen.isValid() ? chosen : initial;
}

} // namespace

ModalPrompts ModalPrompts::system()
{
    return ModalPrompts{showExclamation, askQuestion, pickColour};
}
