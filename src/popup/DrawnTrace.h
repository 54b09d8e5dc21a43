#pragma once
// Traces the moment a new translation first reaches the screen: after the popup's
// text control has painted a text that is the cached translation of the newest
// request (not the waiting marker or a message), one "translation-drawn <length>"
// line goes to the trace file. Every change of the text arms it again.

#include <QObject>
#include <QString>

struct AppState;
class QTextEdit;
class TraceFile;

class DrawnTrace : public QObject {
    Q_OBJECT
public:
    DrawnTrace(const AppState& state, QTextEdit& text, TraceFile& trace);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool showsTranslation() const;
    void writeDrawn(qsizetype length);

    const AppState& state_;
    QTextEdit& text_;
    TraceFile& trace_;
    bool armed_ = false;
};
