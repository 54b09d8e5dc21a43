#pragma once
#include "platform/Clipboard.h"
#include "platform/RegisteredFormats.h"

#include <QStringList>
#include <utility>

namespace platform::x11 {

class X11Selections;

// The CLIPBOARD selection seen through numbered formats: 1 and 13 are the text (ANSI
// and UTF-16LE blocks), 15 the file list (text/uri-list), registered formats their own
// data types. "Open" is this program's own discipline (X has no clipboard lock); what
// is written while open is offered to other applications at close.
class X11Clipboard : public Clipboard {
public:
    explicit X11Clipboard(X11Selections& selections) : selections_(selections) {}

    bool open(WindowHandle owner) override;
    bool close() override;
    bool empty() override;
    int formatCount() override;
    QList<ClipboardFormat> formats() override;
    bool isFormatAvailable(ClipboardFormat id) override;
    QString registeredFormatName(ClipboardFormat id) override;
    ClipboardFormat registerFormat(const QString& name) override;
    std::optional<QByteArray> data(ClipboardFormat id) override;
    bool setData(ClipboardFormat id, const QByteArray& block) override;
    QString text() override;
    ClipboardSnapshot snapshot() override;
    bool restore(const ClipboardSnapshot& snapshot) override;
    bool handOverBeforeExit() override;
    std::uint64_t changeStamp() override;
    std::int64_t ownerProcessId() override;

private:
    using Block = std::pair<ClipboardFormat, QByteArray>;

    // True when the toolkit of this very process owns the clipboard: it cannot answer
    // while we wait for it, so its own copy of the data is read instead.
    bool toolkitOwns();
    std::optional<QStringList> offeredTargets();
    QList<ClipboardFormat> formatsOnOffer();
    std::optional<QString> ownerText();
    std::optional<QByteArray> ownerData(const QString& target);
    QList<ClipboardSnapshot::Item> itemsFor(const QList<Block>& blocks);

    X11Selections& selections_;
    std::optional<WindowHandle> openedBy_;
    // What this program writes while the clipboard is open; set once it emptied or wrote.
    std::optional<QList<Block>> pending_;
    RegisteredFormats registered_;
};

} // namespace platform::x11
