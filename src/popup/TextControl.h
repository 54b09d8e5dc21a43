#pragma once
// Moving Unicode text into and out of the popup's text control. Text is always taken
// as plain text: markup in a translation is shown, never interpreted.

#include <QString>

class QTextEdit;

// append false: replaces the whole text; true: replaces the current selection.
// Afterwards the caret stands at position text.size() (UTF-16 units), or at the end.
void setControlText(QTextEdit* control, const QString& text, bool append);

// The whole text, or with selectionOnly and a non-empty selection just the selection.
QString controlText(const QTextEdit* control, bool selectionOnly);
