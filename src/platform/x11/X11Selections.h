#pragma once
// The X selections (CLIPBOARD and PRIMARY) on the back end's own connection: reading
// another application's data with our own short deadline, owning a selection and
// serving its data byte for byte (large data in increments), and counting owner changes.

#include "platform/Clipboard.h"

#include <QObject>
#include <QHash>
#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

typedef struct _XDisplay Display;
typedef union _XEvent XEvent;

class QSocketNotifier;

namespace platform::x11 {

class X11Connection;

class X11Selections : public QObject {
    Q_OBJECT
public:
    enum class Selection { Clipboard, Primary };
    using Item = ClipboardSnapshot::Item;
    using Deadline = std::chrono::steady_clock::time_point;

    // Longest wait for one answer of another application (the first reply, or each
    // increment of a large transfer), and for a whole transfer.
    static constexpr int AnswerWaitMs = 300;
    static constexpr int TransferLimitMs = 3000;

    explicit X11Selections(X11Connection& connection);
    ~X11Selections() override;

    bool usable() const { return window_ != 0; }

    // Owner changes seen so far (anybody's, ours included), up to this moment.
    std::uint64_t changeCount(Selection selection);
    // Waits at most waitMs, handling this connection's events, until done() holds;
    // whether it does.
    bool waitUntil(const std::function<bool()>& done, int waitMs);
    // The server time at which the last owner change seen took effect (the time the
    // owner gave, or the server's own when it gave none); 0 before the first change.
    unsigned long ownerChangeTime(Selection selection) const { return slot(selection).ownerChangeTime; }
    // The window owning the selection now; 0 for none.
    unsigned long owner(Selection selection);
    std::int64_t ownerProcessId(Selection selection);
    // True while this object owns the selection; its data then.
    bool ownedHere(Selection selection);
    QList<Item> ownData(Selection selection) const { return slot(selection).data; }

    // The data types the owner offers (without the protocol's own targets).
    std::optional<QStringList> targets(Selection selection);
    // One data type from the owner; nothing when it refuses, fails or does not answer.
    std::optional<Item> read(Selection selection, const QString& target);
    // The same, the whole transfer done by end; answered is false when the owner did
    // not hand the data over (no answer, a broken transfer), true when it did or
    // refused because it has no such data.
    std::optional<Item> read(Selection selection, const QString& target, Deadline end, bool& answered);

    // Takes the selection and serves exactly these items; false when that failed.
    bool own(Selection selection, QList<Item> items);
    // Leaves the selection without owner (empty).
    bool disown(Selection selection);
    // Asks the clipboard manager (the owner of CLIPBOARD_MANAGER) to keep a copy of the
    // clipboard this object owns, serving its requests meanwhile; true when it confirmed
    // within waitMs.
    bool handClipboardToManager(int waitMs);

    // Handles every queued event: requests for our data, lost ownership, owner changes.
    void pump();

    // Targets of the selection protocol itself, never data.
    static bool isProtocolTarget(const QString& target);

private:
    struct Transfer;

    unsigned long atom(const QString& name);
    QString atomName(unsigned long atom);
    unsigned long selectionAtom(Selection selection);
    std::optional<Selection> selectionOf(unsigned long atom);
    unsigned long serverTime();
    bool waitForEvent(XEvent& event, const std::function<bool(const XEvent&)>& match, Deadline deadline);
    std::optional<Item> takeProperty(unsigned long& type, Deadline transferEnd);
    bool readProperty(unsigned long window, unsigned long property, bool remove, unsigned long& type, int& format,
                      QByteArray& bytes);
    void handle(XEvent& event);
    void serve(XEvent& event);
    bool putData(unsigned long requestor, unsigned long property, const Item& item, unsigned long target);
    void continueTransfer(unsigned long requestor, unsigned long property);
    void dropStaleTransfers();

    Display* display_ = nullptr;
    unsigned long window_ = 0;
    unsigned long transferProperty_ = 0;
    unsigned long timeProperty_ = 0;
    int fixesEventBase_ = -1;
    std::size_t chunkBytes_ = 0;
    struct Slot {
        std::uint64_t changes = 0;
        unsigned long ownerChangeTime = 0;
        QList<Item> data;
        unsigned long ownTime = 0;
        // An owner that let a request go unanswered is not asked again until it changes.
        unsigned long silentOwner = 0;
    };
    Slot& slot(Selection selection) { return slots_[std::size_t(selection)]; }
    const Slot& slot(Selection selection) const { return slots_[std::size_t(selection)]; }
    std::array<Slot, 2> slots_;
    QList<Transfer*> transfers_;
    QHash<QString, unsigned long> atoms_;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace platform::x11
