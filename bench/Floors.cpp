#include "Benches.h"

#include <QApplication>
#include <QTimer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QWidget>

// What any Qt program with a 50 ms timer costs when idle: a hidden window and one
// timer doing nothing, the least a program polling like the watcher can do.
int runTimerFloor()
{
    QWidget window;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [] {});
    timer.start(50);
    return QApplication::exec();
}

// What the browser engine itself costs: a hidden view with the page loaded, set up
// as the program sets it up, and nothing else. With discardAfterSeconds > 0 the page
// is discarded that long after the start, as a resting program could do.
int runPageFloor(const QString& url, int discardAfterSeconds)
{
    QWebEngineView view;
    view.load(QUrl(url));
    if (discardAfterSeconds > 0)
        QTimer::singleShot(discardAfterSeconds * 1000, &view, [&view] {
            view.page()->setLifecycleState(QWebEnginePage::LifecycleState::Discarded);
        });
    return QApplication::exec();
}
