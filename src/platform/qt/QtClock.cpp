#include "platform/qt/QtClock.h"

#include <QCoreApplication>
#include <QThread>
#include <QTime>

namespace platform {

double QtClock::secondsSinceMidnight()
{
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

void QtClock::sleepMs(int ms)
{
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

void QtClock::processEvents()
{
    QCoreApplication::processEvents();
}

} // namespace platform
