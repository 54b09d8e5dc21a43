#include "popup/TextControl.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>

void setControlText(QTextEdit* control, const QString& text, bool append)
{
    if (!control)
        return;
    QTextCursor cursor = control->textCursor();
    if (!append) {
        control->setPlainText(QString());
        cursor = control->textCursor();
    }
    cursor.insertText(text);
    const int end = control->document()->characterCount() - 1;
    cursor.setPosition(std::clamp(static_cast<int>(text.size()), 0, end));
    control->setTextCursor(cursor);
}

QString controlText(const QTextEdit* control, bool selectionOnly)
{
    if (!control)
        return {};
    // One position per UTF-16 unit, paragraph breaks as one line feed each.
    QString result = control->toPlainText();
    const QTextCursor cursor = control->textCursor();
    if (selectionOnly && cursor.hasSelection())
        result = result.mid(cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart());
    return result;
}
