#include "popup/DrawnTrace.h"

#include "common/TraceFile.h"

#include <QEvent>
#include <QTextDocument>
#include <QTextEdit>

DrawnTrace::DrawnTrace(QTextEdit& text, TraceFile& trace) : QObject(&text), text_(text), trace_(trace)
{
    text.viewport()->installEventFilter(this);
}

bool DrawnTrace::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && armed_) {
        armed_ = false;
        // The paint is still to come and the window's pixels reach the display after
        // all its widgets have painted: the line is written on the next turn of the
        // event loop.
        const qsizetype length = text_.document()->characterCount() - 1;
        QMetaObject::invokeMethod(
            this, [this, length] { trace_.write("translation-drawn", length); }, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}
