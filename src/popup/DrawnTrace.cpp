#include "popup/DrawnTrace.h"

#include "common/AppState.h"
#include "common/TraceFile.h"

#include <QEvent>
#include <QTextDocument>
#include <QTextEdit>

DrawnTrace::DrawnTrace(const AppState& state, QTextEdit& text, TraceFile& trace)
    : QObject(&text), state_(state), text_(text), trace_(trace)
{
    connect(text.document(), &QTextDocument::contentsChanged, this, [this] { armed_ = true; });
    text.viewport()->installEventFilter(this);
}

bool DrawnTrace::showsTranslation() const
{
    const QString shown = text_.toPlainText();
    return !shown.isEmpty() && shown == state_.translationCache.find(state_.lastRequestText);
}

bool DrawnTrace::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && armed_ && showsTranslation()) {
        armed_ = false;
        // The paint is still to come and the window's pixels reach the display after
        // all its widgets have painted: the line is written on the next turn of the
        // event loop.
        const qsizetype length = text_.toPlainText().size();
        QMetaObject::invokeMethod(this, [this, length] { writeDrawn(length); }, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void DrawnTrace::writeDrawn(qsizetype length)
{
    trace_.write("translation-drawn", length);
}
