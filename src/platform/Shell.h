#pragma once
#include <QString>

namespace platform {

// What opening a target with the desktop came to.
enum class OpenResult {
    Opened,
    OutOfResources,
    FileNotFound,
    PathNotFound,
    BadFormat,
    NoProgram, // no program is associated with the target's type
    Failed,    // the opener ran and reported an error
};

// Opening addresses and documents with the programs the desktop associates with them,
// and telling the user something where the program has no window to do it.
class Shell {
public:
    virtual ~Shell() = default;

    // Opens a web address, a local document or a folder (a path or a file: address)
    // with its default program, without waiting for that program to end.
    virtual OpenResult open(const QString& target) = 0;
    // Starts the desktop's chooser of a program for the target. False when the
    // desktop has no such chooser or it could not be started.
    virtual bool openWith(const QString& target) = 0;

    // The desktop shows icons of programs in a notification area (a tray).
    virtual bool hasNotificationArea() = 0;
    // Shows a desktop notification; false when the desktop has no notification service.
    virtual bool notify(const QString& summary, const QString& body) = 0;
};

} // namespace platform
