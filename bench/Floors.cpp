#include "Benches.h"

#include <QApplication>
#include <QTimer>
#include <QUrl>
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
// as the program sets it up, and nothing else.
int runPageFloor(const QString& url)
{
    QWebEngineView view;
    view.load(QUrl(url));
    return QApplication::exec();
}
