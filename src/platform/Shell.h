#pragma once
#include <QString>

namespace platform {

// Opening addresses and documents with the programs the desktop associates with them,
// and telling the user something where the program has no window to do it.
class Shell {
public:
    // Results of open(). Values above 32 mean success; the failures keep the numbers
    // that the program's messages are keyed by.
    static constexpr int OutOfResources = 0;
    static constexpr int FileNotFound = 2;
    static constexpr int PathNotFound = 3;
    static constexpr int OpenFailed = 5; // the opener ran and reported an error
    static constexpr int BadFormat = 11;
    static constexpr int NoAssociation = 31;
    static constexpr int Opened = 42;

    virtual ~Shell() = default;

    // Opens a web address, a local document or a folder (a path or a file: address)
    // with its default program, without waiting for that program to end.
    virtual int open(const QString& target) = 0;
    // Starts the desktop's chooser of a program for the target. False when the
    // desktop has no such chooser or it could not be started.
    virtual bool openWith(const QString& target) = 0;

    // The desktop shows icons of programs in a notification area (a tray).
    virtual bool hasNotificationArea() = 0;
    // Shows a desktop notification; false when the desktop has no notification service.
    virtual bool notify(const QString& summary, const QString& body) = 0;
};

} // namespace platform
