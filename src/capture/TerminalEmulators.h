#pragma once
#include <QString>
#include <QStringList>

// Terminal emulators, recognised by window class or executable name. Copy shortcuts
// are never typed into them: Ctrl+C interrupts the running program and Ctrl+Insert
// types an escape sequence into it.
bool isTerminalEmulator(const QStringList& windowClass, const QString& executable);
