#pragma once
// The modal boxes that the dialogs and shellOpen show. Each is a replaceable
// function so that tests can answer them without a desktop; system() gives the
// real boxes.

#include <QColor>
#include <QString>
#include <functional>

class QWidget;

struct ModalPrompts {
    // A box with the exclamation icon and an OK button.
    std::function<void(const QString& title, const QString& text)> exclamation;
    // A box with the question icon and the Yes and No buttons; true for Yes.
    std::function<bool(const QString& title, const QString& text)> question;
    // The colour dialog opened on the initial colour; the initial colour when cancelled.
    std::function<QColor(QWidget* owner, const QColor& initial)> chooseColor;

    static ModalPrompts system();
};
