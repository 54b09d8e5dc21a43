#include "platform/x11/X11Selections.h"

#include "platform/x11/X11Connection.h"
#include "platform/x11/X11ErrorTrap.h"
#include "platform/x11/X11WindowInfo.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QtEndian>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <algorithm>
#include <climits>
#include <poll.h>

namespace platform::x11 {

namespace {

using SteadyClock = std::chrono::steady_clock;
constexpr auto StaleTransferAge = std::chrono::seconds(10);

SteadyClock::time_point after(int ms)
{
    return SteadyClock::now() + std::chrono::milliseconds(ms);
}

Bool matchEvent(Display*, XEvent* event, XPointer argument)
{
    const auto* match = reinterpret_cast<const std::function<bool(const XEvent&)>*>(argument);
    return (*match)(*event) ? True : False;
}

// Property data as bytes: 8-bit units as they are, 16- and 32-bit units as
// little-endian bytes of their width (Xlib hands 32-bit units over as longs).
QByteArray unitsToBytes(const unsigned char* data, unsigned long count, int format)
{
    if (format == 8)
        return QByteArray(reinterpret_cast<const char*>(data), qsizetype(count));
    QByteArray bytes;
    const int width = format / 8;
    bytes.resize(qsizetype(count) * width);
    for (unsigned long i = 0; i < count; ++i) {
        if (format == 16)
            qToLittleEndian<quint16>(reinterpret_cast<const unsigned short*>(data)[i], bytes.data() + i * 2);
        else
            qToLittleEndian<quint32>(quint32(reinterpret_cast<const unsigned long*>(data)[i]), bytes.data() + i * 4);
    }
    return bytes;
}

// The reverse, as XChangeProperty wants the units.
QByteArray bytesToUnits(const QByteArray& bytes, int format, int& count)
{
    if (format == 8) {
        count = int(bytes.size());
        return bytes;
    }
    if (format == 16) {
        count = int(bytes.size() / 2);
        QByteArray units(count * qsizetype(sizeof(unsigned short)), '\0');
        for (int i = 0; i < count; ++i)
            reinterpret_cast<unsigned short*>(units.data())[i] = qFromLittleEndian<quint16>(bytes.constData() + i * 2);
        return units;
    }
    count = int(bytes.size() / 4);
    QByteArray units(count * qsizetype(sizeof(long)), '\0');
    for (int i = 0; i < count; ++i)
        reinterpret_cast<long*>(units.data())[i] = long(qFromLittleEndian<quint32>(bytes.constData() + i * 4));
    return units;
}

} // namespace

struct X11Selections::Transfer {
    Window requestor = None;
    Atom property = None;
    Atom type = None;
    int format = 8;
    QByteArray bytes;
    qsizetype offset = 0;
    SteadyClock::time_point started;
};

X11Selections::X11Selections(X11Connection& connection) : display_(connection.display())
{
    if (!display_)
        return;
    XSetWindowAttributes attributes{};
    attributes.event_mask = PropertyChangeMask;
    window_ = XCreateWindow(display_, DefaultRootWindow(display_), -10, -10, 1, 1, 0, CopyFromParent, InputOnly,
                            CopyFromParent, CWEventMask, &attributes);
    transferProperty_ = atom("QLR_SELECTION");
    timeProperty_ = atom("QLR_TIMESTAMP");
    const long requestLimit = std::max(XExtendedMaxRequestSize(display_), XMaxRequestSize(display_));
    chunkBytes_ = std::size_t(std::min<long>(requestLimit * 4 - 1024, 256 * 1024));

    int errorBase = 0;
    int major = 5, minor = 0;
    if (XFixesQueryExtension(display_, &fixesEventBase_, &errorBase) && XFixesQueryVersion(display_, &major, &minor)) {
        for (const Selection selection : {Selection::Clipboard, Selection::Primary})
            XFixesSelectSelectionInput(display_, window_, selectionAtom(selection),
                                       XFixesSetSelectionOwnerNotifyMask | XFixesSelectionWindowDestroyNotifyMask
                                           | XFixesSelectionClientCloseNotifyMask);
    } else {
        fixesEventBase_ = -1;
    }
    XFlush(display_);

    // Requests for our data arrive while the program idles: serve them from the event loop.
    if (QCoreApplication::instance()) {
        notifier_ = new QSocketNotifier(ConnectionNumber(display_), QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &X11Selections::pump);
        if (auto* dispatcher = QAbstractEventDispatcher::instance())
            connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &X11Selections::pump);
    }
}

X11Selections::~X11Selections()
{
    qDeleteAll(transfers_);
    if (display_ && window_) {
        XDestroyWindow(display_, window_);
        XFlush(display_);
    }
}

unsigned long X11Selections::atom(const QString& name)
{
    if (const auto found = atoms_.constFind(name); found != atoms_.constEnd())
        return *found;
    const Atom value = XInternAtom(display_, name.toLatin1().constData(), False);
    atoms_.insert(name, value);
    return value;
}

QString X11Selections::atomName(unsigned long value)
{
    if (value == None)
        return {};
    for (auto it = atoms_.constBegin(); it != atoms_.constEnd(); ++it)
        if (it.value() == value)
            return it.key();
    X11ErrorTrap trap(display_);
    char* name = XGetAtomName(display_, value);
    QString text;
    if (name) {
        text = QString::fromLatin1(name);
        XFree(name);
        atoms_.insert(text, value);
    }
    return text;
}

unsigned long X11Selections::selectionAtom(Selection selection)
{
    return selection == Selection::Clipboard ? atom("CLIPBOARD") : XA_PRIMARY;
}

std::optional<X11Selections::Selection> X11Selections::selectionOf(unsigned long value)
{
    if (value == XA_PRIMARY)
        return Selection::Primary;
    if (value == atom("CLIPBOARD"))
        return Selection::Clipboard;
    return std::nullopt;
}

bool X11Selections::isProtocolTarget(const QString& target)
{
    static const QStringList protocol{"TARGETS", "MULTIPLE", "TIMESTAMP", "SAVE_TARGETS", "DELETE",
                                      "INSERT_SELECTION", "INSERT_PROPERTY", "LENGTH", "CLIENT_WINDOW"};
    return target.isEmpty() || protocol.contains(target);
}

std::uint64_t X11Selections::changeCount(Selection selection)
{
    if (!usable())
        return 0;
    XSync(display_, False);
    pump();
    return slot(selection).changes;
}

bool X11Selections::waitUntil(const std::function<bool()>& done, int waitMs)
{
    const Deadline deadline = after(waitMs);
    while (!done()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now()).count();
        if (left <= 0)
            return false;
        pollfd descriptor{ConnectionNumber(display_), POLLIN, 0};
        poll(&descriptor, 1, int(std::min<long long>(left, 10)));
    }
    return true;
}

unsigned long X11Selections::owner(Selection selection)
{
    return usable() ? XGetSelectionOwner(display_, selectionAtom(selection)) : 0;
}

std::int64_t X11Selections::ownerProcessId(Selection selection)
{
    return usable() ? processIdOfWindow(display_, owner(selection)) : 0;
}

bool X11Selections::ownedHere(Selection selection)
{
    return usable() && owner(selection) == window_;
}

unsigned long X11Selections::serverTime()
{
    // A zero-length append changes nothing but makes the server report its time.
    XChangeProperty(display_, window_, timeProperty_, XA_STRING, 8, PropModeAppend, nullptr, 0);
    XFlush(display_);
    XEvent event;
    const Window window = window_;
    const Atom property = timeProperty_;
    if (waitForEvent(event,
                     [&](const XEvent& e) {
                         return e.type == PropertyNotify && e.xproperty.window == window && e.xproperty.atom == property;
                     },
                     after(AnswerWaitMs)))
        return event.xproperty.time;
    return CurrentTime;
}

bool X11Selections::waitForEvent(XEvent& event, const std::function<bool(const XEvent&)>& match, Deadline deadline)
{
    for (;;) {
        XEventsQueued(display_, QueuedAfterReading);
        if (XCheckIfEvent(display_, &event, matchEvent, reinterpret_cast<XPointer>(const_cast<std::function<bool(const XEvent&)>*>(&match))))
            return true;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now()).count();
        if (left <= 0)
            return false;
        pollfd descriptor{ConnectionNumber(display_), POLLIN, 0};
        poll(&descriptor, 1, int(std::min<long long>(left, 50)));
    }
}

bool X11Selections::readProperty(unsigned long window, unsigned long property, bool remove, unsigned long& type,
                                 int& format, QByteArray& bytes)
{
    Atom actualType = None;
    int actualFormat = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    X11ErrorTrap trap(display_);
    const int status = XGetWindowProperty(display_, window, property, 0, LONG_MAX / 4, remove ? True : False,
                                          AnyPropertyType, &actualType, &actualFormat, &count, &after, &data);
    if (status != Success || trap.failed()) {
        if (data)
            XFree(data);
        return false;
    }
    type = actualType;
    format = actualFormat == 0 ? 8 : actualFormat;
    bytes = data ? unitsToBytes(data, count, format) : QByteArray();
    if (data)
        XFree(data);
    return true;
}

std::optional<X11Selections::Item> X11Selections::takeProperty(unsigned long& type, Deadline transferEnd)
{
    int format = 8;
    QByteArray bytes;
    if (!readProperty(window_, transferProperty_, true, type, format, bytes) || type == None)
        return std::nullopt;
    if (type != atom("INCR"))
        return Item{{}, atomName(type), format, bytes};

    // A large transfer: every deletion of the property asks for the next part; an empty
    // part ends it.
    QByteArray all;
    const Window window = window_;
    const Atom property = transferProperty_;
    for (;;) {
        XEvent event;
        const Deadline next = std::min(transferEnd, after(AnswerWaitMs));
        if (!waitForEvent(event,
                          [&](const XEvent& e) {
                              return e.type == PropertyNotify && e.xproperty.window == window
                                  && e.xproperty.atom == property && e.xproperty.state == PropertyNewValue;
                          },
                          next))
            return std::nullopt;
        QByteArray part;
        unsigned long partType = None;
        if (!readProperty(window_, transferProperty_, true, partType, format, part))
            return std::nullopt;
        // The notice of the INCR property itself may still be queued: no part yet.
        if (partType == None)
            continue;
        type = partType;
        if (part.isEmpty())
            return Item{{}, atomName(type), format, all};
        all += part;
    }
}

std::optional<QStringList> X11Selections::targets(Selection selection)
{
    if (ownedHere(selection)) {
        QStringList names;
        for (const Item& item : slot(selection).data)
            names.append(item.mimeType);
        return names;
    }
    const auto item = read(selection, "TARGETS");
    if (!item)
        return std::nullopt;
    QStringList names;
    for (qsizetype at = 0; at + 4 <= item->bytes.size(); at += 4) {
        const QString name = atomName(qFromLittleEndian<quint32>(item->bytes.constData() + at));
        if (!isProtocolTarget(name) && !names.contains(name))
            names.append(name);
    }
    return names;
}

std::optional<X11Selections::Item> X11Selections::read(Selection selection, const QString& target)
{
    bool answered = false;
    return read(selection, target, after(TransferLimitMs), answered);
}

std::optional<X11Selections::Item> X11Selections::read(Selection selection, const QString& target, Deadline end,
                                                        bool& answered)
{
    answered = false;
    if (!usable())
        return std::nullopt;
    const Window currentOwner = owner(selection);
    if (currentOwner == None || currentOwner == window_) {
        answered = true; // nothing there, or our own data: nobody to wait for
        if (currentOwner == window_)
            for (const Item& item : slot(selection).data)
                if (item.mimeType == target)
                    return item;
        return std::nullopt;
    }
    if (slot(selection).silentOwner == currentOwner)
        return std::nullopt;
    // Only an owner that used its whole answer time is silent; our own deadline
    // cutting a wait short says nothing about it.
    const auto giveUp = [&] {
        if (SteadyClock::now() < end)
            slot(selection).silentOwner = currentOwner;
        return std::nullopt;
    };

    const Atom selectionName = selectionAtom(selection);
    XDeleteProperty(display_, window_, transferProperty_);
    XConvertSelection(display_, selectionName, atom(target), transferProperty_, window_, CurrentTime);
    XFlush(display_);
    XEvent event;
    const Window window = window_;
    if (!waitForEvent(event,
                      [&](const XEvent& e) {
                          return e.type == SelectionNotify && e.xselection.requestor == window
                              && e.xselection.selection == selectionName;
                      },
                      std::min(end, after(AnswerWaitMs))))
        return giveUp();
    if (event.xselection.property == None) {
        answered = true;
        return std::nullopt;
    }
    unsigned long type = None;
    auto item = takeProperty(type, end);
    if (!item)
        return giveUp();
    answered = true;
    item->mimeType = target;
    return item;
}

bool X11Selections::own(Selection selection, QList<Item> items)
{
    if (!usable())
        return false;
    const unsigned long time = serverTime();
    slot(selection).data = std::move(items);
    slot(selection).ownTime = time;
    XSetSelectionOwner(display_, selectionAtom(selection), window_, time);
    if (owner(selection) != window_) {
        slot(selection).data.clear();
        return false;
    }
    return true;
}

bool X11Selections::disown(Selection selection)
{
    if (!usable())
        return false;
    slot(selection).data.clear();
    XSetSelectionOwner(display_, selectionAtom(selection), None, serverTime());
    return owner(selection) == None;
}

bool X11Selections::handClipboardToManager(int waitMs)
{
    const Atom manager = atom("CLIPBOARD_MANAGER");
    if (!ownedHere(Selection::Clipboard) || XGetSelectionOwner(display_, manager) == None)
        return false;
    // The property names the targets to keep; the manager then asks for each of them.
    QList<long> targets;
    for (const Item& item : slot(Selection::Clipboard).data)
        targets.append(long(atom(item.mimeType)));
    const Atom property = atom("QLR_SAVE_TARGETS");
    XChangeProperty(display_, window_, property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(targets.constData()), int(targets.size()));
    XConvertSelection(display_, manager, atom("SAVE_TARGETS"), property, window_, serverTime());
    XFlush(display_);
    const Deadline end = after(waitMs);
    for (;;) {
        while (XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            if (event.type == SelectionNotify && event.xselection.selection == manager
                && event.xselection.requestor == window_)
                return event.xselection.property != None;
            handle(event);
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - SteadyClock::now()).count();
        if (left <= 0)
            return false;
        pollfd descriptor{ConnectionNumber(display_), POLLIN, 0};
        poll(&descriptor, 1, int(std::min<long long>(left, 50)));
    }
}

void X11Selections::pump()
{
    if (!usable())
        return;
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        handle(event);
    }
    dropStaleTransfers();
}

void X11Selections::handle(XEvent& event)
{
    if (fixesEventBase_ >= 0 && event.type == fixesEventBase_ + XFixesSelectionNotify) {
        const auto& notify = reinterpret_cast<const XFixesSelectionNotifyEvent&>(event);
        if (const auto selection = selectionOf(notify.selection)) {
            ++slot(*selection).changes;
            slot(*selection).ownerChangeTime = notify.selection_timestamp;
            slot(*selection).silentOwner = 0;
        }
        return;
    }
    switch (event.type) {
    case SelectionRequest:
        serve(event);
        break;
    case SelectionClear:
        // A clear can be stale: the selection may have been taken again since.
        if (const auto selection = selectionOf(event.xselectionclear.selection); selection && !ownedHere(*selection))
            slot(*selection).data.clear();
        break;
    case PropertyNotify:
        if (event.xproperty.state == PropertyDelete && event.xproperty.window != window_)
            continueTransfer(event.xproperty.window, event.xproperty.atom);
        break;
    default:
        break;
    }
}

void X11Selections::serve(XEvent& event)
{
    const XSelectionRequestEvent& request = event.xselectionrequest;
    XSelectionEvent reply{};
    reply.type = SelectionNotify;
    reply.display = display_;
    reply.requestor = request.requestor;
    reply.selection = request.selection;
    reply.target = request.target;
    reply.property = None;
    reply.time = request.time;

    const Atom property = request.property != None ? request.property : request.target;
    const auto selection = selectionOf(request.selection);
    X11ErrorTrap trap(display_);
    if (selection && request.owner == window_ && !slot(*selection).data.isEmpty()) {
        const QList<Item>& items = slot(*selection).data;
        const QString target = atomName(request.target);
        if (target == "TARGETS") {
            QList<long> list{long(atom("TARGETS")), long(atom("TIMESTAMP"))};
            for (const Item& item : items)
                list.append(long(atom(item.mimeType)));
            XChangeProperty(display_, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(list.constData()), int(list.size()));
            reply.property = property;
        } else if (target == "TIMESTAMP") {
            const long time = long(slot(*selection).ownTime);
            XChangeProperty(display_, request.requestor, property, XA_INTEGER, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(&time), 1);
            reply.property = property;
        } else {
            const auto found = std::find_if(items.begin(), items.end(), [&](const Item& i) { return i.mimeType == target; });
            if (found != items.end() && putData(request.requestor, property, *found, request.target))
                reply.property = property;
        }
    }
    XSendEvent(display_, request.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
    XFlush(display_);
}

bool X11Selections::putData(unsigned long requestor, unsigned long property, const Item& item, unsigned long target)
{
    const Atom type = item.type.isEmpty() ? target : atom(item.type);
    const int format = (item.unitBits == 16 || item.unitBits == 32) ? item.unitBits : 8;
    if (std::size_t(item.bytes.size()) <= chunkBytes_) {
        int count = 0;
        const QByteArray units = bytesToUnits(item.bytes, format, count);
        XChangeProperty(display_, requestor, property, type, format, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(units.constData()), count);
        return true;
    }
    // Too large for one request: announce an incremental transfer; the requestor's
    // deletions of the property pull the parts (continueTransfer).
    auto* transfer = new Transfer{requestor, property, type, format, item.bytes, 0, SteadyClock::now()};
    transfers_.append(transfer);
    XSelectInput(display_, requestor, PropertyChangeMask);
    const long size = long(item.bytes.size());
    XChangeProperty(display_, requestor, property, atom("INCR"), 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&size), 1);
    return true;
}

void X11Selections::continueTransfer(unsigned long requestor, unsigned long property)
{
    const auto found = std::find_if(transfers_.begin(), transfers_.end(), [&](const Transfer* t) {
        return t->requestor == requestor && t->property == property;
    });
    if (found == transfers_.end())
        return;
    Transfer* transfer = *found;
    const int unit = transfer->format / 8;
    qsizetype size = std::min<qsizetype>(transfer->bytes.size() - transfer->offset, qsizetype(chunkBytes_));
    size -= size % unit;
    int count = 0;
    const QByteArray units = bytesToUnits(transfer->bytes.mid(transfer->offset, size), transfer->format, count);
    X11ErrorTrap trap(display_);
    XChangeProperty(display_, requestor, property, transfer->type, transfer->format, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(units.constData()), count);
    transfer->offset += size;
    if (size == 0 || trap.failed()) {
        // The empty part has gone out (or the requestor vanished): the transfer is over.
        XSelectInput(display_, requestor, NoEventMask);
        transfers_.erase(found);
        delete transfer;
    }
    XFlush(display_);
}

void X11Selections::dropStaleTransfers()
{
    const auto now = SteadyClock::now();
    for (qsizetype i = transfers_.size() - 1; i >= 0; --i)
        if (now - transfers_[i]->started > StaleTransferAge) {
            delete transfers_[i];
            transfers_.removeAt(i);
        }
}

} // namespace platform::x11
