#pragma once
#include "platform/Keyboard.h"

#include <QStringList>
#include <functional>

namespace platform::fake {

// Records every shortcut pressed and released ("press ctrl+insert", "release ctrl+c");
// onKey lets a test's "application" react to it.
class FakeKeyboard : public Keyboard {
public:
    QStringList events;
    std::function<void(CopyKeys keys, bool down)> onKey;
    bool typing = true; // false plays a desktop that lets no program type into another

    static QString nameOf(CopyKeys keys) { return keys == CopyKeys::ControlC ? "ctrl+c" : "ctrl+insert"; }

    bool canType() override { return typing; }
    void press(CopyKeys keys) override { key(keys, true); }
    void release(CopyKeys keys) override { key(keys, false); }

private:
    void key(CopyKeys keys, bool down)
    {
        events.append((down ? "press " : "release ") + nameOf(keys));
        if (onKey)
            onKey(keys, down);
    }
};

} // namespace platform::fake
