#pragma once
// The desktop portal (org.freedesktop.portal.Desktop on the session bus): the
// desktop's own dialog that lets the user choose the program that opens something.

#include <QString>

namespace platform::freedesktop {

// Asks the portal to let the user choose a program for a local file (a path or a
// file: address) or an address, over the given window (an X11 window id; 0 for
// none). False when no portal answered in time or the file cannot be read.
bool askWhichProgramOpens(const QString& target, unsigned long parentX11Window);

} // namespace platform::freedesktop
