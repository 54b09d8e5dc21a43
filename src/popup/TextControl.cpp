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
    // The characters exactly as shown (no-break spaces and line separators included);
    // only the breaks between paragraphs become line feeds.
    const QTextCursor cursor = control->textCursor();
    QString result = selectionOnly && cursor.hasSelection() ? cursor.selectedText() : control->document()->toRawText();
    result.replace(QChar::ParagraphSeparator, u'\n');
    return result;
}
