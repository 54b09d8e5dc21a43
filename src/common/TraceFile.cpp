#include "common/TraceFile.h"

#include <QByteArray>
#include <chrono>

std::unique_ptr<TraceFile> TraceFile::fromEnvironment()
{
    const QString path = qEnvironmentVariable(Variable);
    if (path.isEmpty())
        return nullptr;
    auto trace = std::make_unique<TraceFile>(path);
    if (!trace->isOpen())
        return nullptr;
    return trace;
}

TraceFile::TraceFile(const QString& path) : file_(path)
{
    (void)file_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
}

void TraceFile::write(const char* event, qint64 value)
{
    if (!file_.isOpen())
        return;
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const qint64 ns = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
    // One write per line and flushed at once: a reader may look while the program runs.
    file_.write(QByteArray::number(ns) + ' ' + event + ' ' + QByteArray::number(value) + '\n');
    file_.flush();
}
