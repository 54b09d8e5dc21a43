#pragma once
#include "platform/Shell.h"

namespace platform::os {

// Opens targets through the freedesktop opener (xdg-open) and its association
// table (xdg-mime). Targets go to them as single UTF-8 arguments, never through a
// shell command line. Local targets are checked first, so that a missing file, a
// missing folder and a type without a program get their own results.
class DesktopShell : public Shell {
public:
    OpenResult open(const QString& target) override;
    // The desktop portal's chooser; false where no portal runs.
    bool openWith(const QString& target) override;
    bool hasNotificationArea() override;
    bool notify(const QString& summary, const QString& body) override;
};

} // namespace platform::os
