#pragma once
#include "platform/Input.h"

#include <QElapsedTimer>
#include <array>

namespace platform::x11 {

class X11Connection;

// Pointer and button state from one XQueryPointer on the back end's own connection.
class X11Input : public Input {
public:
    explicit X11Input(X11Connection& connection) : connection_(connection) {}

    Sample sample() override;

private:
    // Whether the physical button (1..3) is held, given the logical buttons in mask.
    bool physicalDown(int physicalButton, unsigned int mask);
    // The logical button (1..5) that the physical button produces now.
    int logicalButtonOf(int physicalButton);

    // The pointer mapping changes only when the user swaps buttons; it is read again
    // at most once a second instead of on every sample of the watcher.
    static constexpr int MappingMaxAgeMs = 1000;

    X11Connection& connection_;
    std::array<unsigned char, 32> mapping_{};
    int mappingCount_ = 0;
    QElapsedTimer mappingAge_;
};

} // namespace platform::x11
