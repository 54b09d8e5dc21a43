#pragma once
#include "platform/Keyboard.h"

#include <QList>
#include <functional>

namespace platform::fake {

// Records every synthetic key event; onKey lets a test's "application" react to it.
class FakeKeyboard : public Keyboard {
public:
    struct Event {
        std::uint8_t virtualKey;
        std::uint8_t scanCode;
        std::uint32_t flags;
        bool operator==(const Event&) const = default;
    };
    QList<Event> events;
    std::function<void(const Event&)> onKey;
    bool typing = true; // false plays a desktop that lets no program type into another
    bool canType() override { return typing; }

    void keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) override
    {
        events.append({virtualKey, scanCode, flags});
        if (onKey)
            onKey(events.last());
    }
};

} // namespace platform::fake
