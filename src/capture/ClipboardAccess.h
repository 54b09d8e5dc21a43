#pragma once
// The program's one way to the clipboard's text: reading it as the program takes text
// (up to its first NUL) and making a text its only content.

#include <QString>

namespace platform {
class Clipboard;
}

class ClipboardAccess {
public:
    explicit ClipboardAccess(platform::Clipboard& clipboard) : clipboard_(clipboard) {}

    // The clipboard's text up to its first NUL; empty on any failure.
    QString text();
    // Makes text the clipboard's only content; does nothing for an empty text.
    void putText(const QString& text);

private:
    platform::Clipboard& clipboard_;
};
