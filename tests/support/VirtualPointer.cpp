// qlr_virtual_pointer: a pointer for tests on a wlroots compositor, driven line by line
// from stdin. It creates one virtual pointer and keeps it until stdin ends, because a
// headless seat has a pointer only while such a device exists.
//
// It prints "ready" once the device exists, then reads one command a line:
//   move X Y     put the pointer at X,Y of the layout, in logical pixels
//   press        press the left button
//   release      release the left button
//   sleep MS     wait MS milliseconds
// and after each one prints "ok", when the compositor has processed it. Errors go to
// stderr and end the program with a non-zero status.
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <linux/input-event-codes.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>

namespace {

struct Globals {
    zwlr_virtual_pointer_manager_v1 *manager = nullptr;
};

void onGlobal(void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t)
{
    auto *globals = static_cast<Globals *>(data);
    if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0 && !globals->manager)
        globals->manager = static_cast<zwlr_virtual_pointer_manager_v1 *>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
}

void onGlobalRemove(void *, wl_registry *, uint32_t) {}

const wl_registry_listener registryListener = {onGlobal, onGlobalRemove};

[[noreturn]] void fail(const std::string &message)
{
    std::cerr << "qlr_virtual_pointer: " << message << '\n';
    std::exit(1);
}

uint32_t nowMs()
{
    using namespace std::chrono;
    return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// A whole non-negative number, the only kind the commands take.
bool parseCount(const std::string &text, uint32_t &value)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = uint32_t(std::stoul(text));
    return true;
}

} // namespace

int main()
{
    // The test desktop's output layout, in logical pixels.
    const uint32_t width = 1280;
    const uint32_t height = 800;
    wl_display *display = wl_display_connect(nullptr);
    if (!display)
        fail("cannot connect to the Wayland display (WAYLAND_DISPLAY)");
    Globals globals;
    wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, &globals);
    if (wl_display_roundtrip(display) < 0)
        fail("the Wayland connection broke");
    if (!globals.manager)
        fail("the compositor offers no zwlr_virtual_pointer_manager_v1");

    // No seat given: the compositor attaches the device to its default seat.
    zwlr_virtual_pointer_v1 *pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(globals.manager, nullptr);
    if (wl_display_roundtrip(display) < 0)
        fail("the compositor refused the virtual pointer");
    std::cout << "ready" << std::endl;

    const auto button = [&](uint32_t state) { zwlr_virtual_pointer_v1_button(pointer, nowMs(), BTN_LEFT, state); };
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream words(line);
        std::string command, a, b, rest;
        words >> command >> a >> b >> rest;
        uint32_t x = 0;
        uint32_t y = 0;
        if (command.empty()) {
            continue;
        } else if (command == "move" && parseCount(a, x) && parseCount(b, y) && rest.empty()) {
            if (x >= width || y >= height)
                fail("position outside the " + std::to_string(width) + "x" + std::to_string(height) + " layout: " + line);
            zwlr_virtual_pointer_v1_motion_absolute(pointer, nowMs(), x, y, width, height);
        } else if (command == "press" && a.empty()) {
            button(WL_POINTER_BUTTON_STATE_PRESSED);
        } else if (command == "release" && a.empty()) {
            button(WL_POINTER_BUTTON_STATE_RELEASED);
        } else if (command == "sleep" && parseCount(a, x) && b.empty()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(x));
        } else {
            fail("unknown command: " + line);
        }
        zwlr_virtual_pointer_v1_frame(pointer);
        if (wl_display_roundtrip(display) < 0)
            fail("the Wayland connection broke");
        std::cout << "ok" << std::endl;
    }

    zwlr_virtual_pointer_v1_destroy(pointer);
    zwlr_virtual_pointer_manager_v1_destroy(globals.manager);
    wl_registry_destroy(registry);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
