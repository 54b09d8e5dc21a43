#pragma once
#include "platform/Clipboard.h"

#include <QStringList>
#include <optional>

namespace platform::x11 {

class X11Selections;

// The CLIPBOARD selection: its owner's data types as they are, the program's own
// text served under the usual text types.
class X11Clipboard : public Clipboard {
public:
    explicit X11Clipboard(X11Selections& selections) : selections_(selections) {}

    QString text() override;
    bool setText(const QString& text) override;
    bool clear() override;
    ClipboardSnapshot snapshot() override;
    bool restore(const ClipboardSnapshot& snapshot) override;
    std::uint64_t changeStamp() override;
    std::int64_t ownerProcessId() override;
    bool handOverBeforeExit() override;

private:
    // True when the toolkit of this very process owns the clipboard: it cannot answer
    // while we wait for it, so its own copy of the data is read instead.
    bool toolkitOwns();
    std::optional<QStringList> offeredTargets();
    std::optional<QString> ownerText();
    std::optional<QByteArray> ownerData(const QString& target);

    X11Selections& selections_;
};

} // namespace platform::x11
