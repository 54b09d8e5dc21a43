#include "capture/ClipboardAccess.h"

#include "platform/Clipboard.h"

QString ClipboardAccess::text()
{
    const QString text = clipboard_.text();
    return text.left(text.indexOf(QChar(0)));
}

void ClipboardAccess::putText(const QString& text)
{
    if (!text.isEmpty())
        clipboard_.setText(text);
}
