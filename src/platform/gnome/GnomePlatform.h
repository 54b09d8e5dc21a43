#pragma once
#include "platform/Platform.h"

namespace platform::gnome {

// The session is a GNOME one (XDG_CURRENT_DESKTOP lists GNOME).
bool isGnomeSession();

// In a GNOME Wayland session whose Shell runs the program's extension: the selection,
// the pointer, the buttons and the application in front come from the extension,
// everything else from the X11 back end (XWayland). nullptr where the extension does
// not run; x11 is then left as it was, and once the program runs it says on stderr how
// to enable the extension and offers, once, to enable it (ExtensionOffer).
std::unique_ptr<Platform> createGnomePlatform(std::unique_ptr<Platform>& x11);

} // namespace platform::gnome
