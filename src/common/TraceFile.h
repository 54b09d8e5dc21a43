#pragma once
// An opt-in timing trace for measuring the program from outside: when the environment
// variable QLR_TRACE_FILE names a file, moments of interest are appended to it as
// "<monotonic nanoseconds> <event> <value>" lines. Unset, nothing is created and
// nothing is written.

#include <QFile>
#include <QString>
#include <memory>

class TraceFile {
public:
    static constexpr const char* Variable = "QLR_TRACE_FILE";

    // The trace the environment asks for; null when the variable is unset or empty,
    // or the file cannot be opened for appending.
    static std::unique_ptr<TraceFile> fromEnvironment();

    // Opens path for appending; isOpen() tells whether that worked.
    explicit TraceFile(const QString& path);
    bool isOpen() const { return file_.isOpen(); }

    // Appends one line stamped with the steady clock (CLOCK_MONOTONIC on Linux), so
    // that another process can compare it with its own clock readings.
    void write(const char* event, qint64 value);

private:
    QFile file_;
};
