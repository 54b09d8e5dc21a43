#pragma once
#include "platform/Input.h"

#include <QElapsedTimer>
#include <QObject>
#include <array>
#include <deque>

namespace platform::x11 {

class X11Connection;

// Pointer and button state on the back end's own connection. Where the server has
// the XInput 2 extension, the buttons are kept current from its raw button events
// (delivered to every client, without a grab), so reading them costs no round trip,
// and each press and release can be handed on as it happens; otherwise each read
// asks the server with XQueryPointer.
class X11Input : public Input {
public:
    explicit X11Input(X11Connection& connection);

    bool deliverButtonEvents(ButtonHandler handler) override;
    Qt::MouseButtons buttons() override;
    QPoint cursorPos() override;
    bool isShiftDown() override;

private:
    struct PointerState {
        bool valid = false;
        int rootX = 0;
        int rootY = 0;
        unsigned int mask = 0;
    };
    PointerState query();
    Qt::MouseButtons buttonsIn(unsigned int mask);
    bool listenForRawButtons();
    void setPhysical(int physicalButton, bool down);
    // Queues the event for the handler, which runs from the event loop: a raw event
    // may be read in the middle of any query on the connection.
    void deliver(int physicalButton, bool down, unsigned long serverTime);
    void deliverPending();
    // The logical button (1..5) that the physical button produces now.
    int logicalButtonOf(int physicalButton);

    // The pointer mapping changes only when the user swaps buttons; it is read again
    // at most once a second instead of on every query.
    static constexpr int MappingMaxAgeMs = 1000;

    X11Connection& connection_;
    std::array<unsigned char, 32> mapping_{};
    int mappingCount_ = 0;
    QElapsedTimer mappingAge_;
    int inputOpcode_ = -1; // the XInput extension's, when its raw events are listened to
    Qt::MouseButtons held_;
    ButtonHandler handler_;
    std::deque<ButtonEvent> pending_;
    // Calls queued for the event loop die with it.
    QObject deliveryContext_;
};

} // namespace platform::x11
