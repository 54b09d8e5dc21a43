#pragma once
// Traces the moment a new translation first reaches the screen: after the popup's
// text control has painted a translation (not the waiting marker or a message), one
// "translation-drawn <length>" line goes to the trace file.

#include <QObject>

class QTextEdit;
class TraceFile;

class DrawnTrace : public QObject {
    Q_OBJECT
public:
    DrawnTrace(QTextEdit& text, TraceFile& trace);

    // The control now shows a translation: its next paint is traced.
    void arm() { armed_ = true; }
    // It shows something else.
    void disarm() { armed_ = false; }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTextEdit& text_;
    TraceFile& trace_;
    bool armed_ = false;
};
