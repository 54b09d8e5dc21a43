#pragma once
// The object the program's script in the page talks to over the web channel.

#include <QObject>
#include <QString>

class PageReportReceiver : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // A report of the contract elements, pushed by the page after a change.
    Q_INVOKABLE void push(const QString& report);

signals:
    void received(const QString& report);
};
