#pragma once
#include "platform/Input.h"

#include <QElapsedTimer>
#include <array>

namespace platform::x11 {

class X11Connection;

// Pointer and button state from XQueryPointer on the back end's own connection.
class X11Input : public Input {
public:
    explicit X11Input(X11Connection& connection) : connection_(connection) {}

    QPoint cursorPos() override;
    bool isButtonDown(int vk) override;
    bool isShiftDown() override;

private:
    struct PointerState {
        bool valid = false;
        int rootX = 0;
        int rootY = 0;
        unsigned int mask = 0;
    };
    PointerState query();
    // The logical button (1..5) that the physical button produces now.
    int logicalButtonOf(int physicalButton);

    // The pointer mapping changes only when the user swaps buttons; it is read again
    // at most once a second instead of on every button query of the watcher.
    static constexpr int MappingMaxAgeMs = 1000;

    X11Connection& connection_;
    std::array<unsigned char, 32> mapping_{};
    int mappingCount_ = 0;
    QElapsedTimer mappingAge_;
};

} // namespace platform::x11
