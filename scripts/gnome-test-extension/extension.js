// Test sessions only (scripts/gnomedesktop.sh): a headless Shell has no input devices,
// so this gives it a virtual pointer and keyboard that tests drive over D-Bus, tells
// where windows are, takes screenshots, and hides the overview the Shell opens with.
// The name org.quillora.ShellTest is owned once the Shell has started and the overview
// is hidden, which is when a test may begin.
'use strict';

const {Clutter, Gio, GLib, Shell} = imports.gi;
const Main = imports.ui.main;

const InterfaceXml = `
<node>
  <interface name="org.quillora.ShellTest">
    <method name="MovePointer"><arg type="d" name="x" direction="in"/><arg type="d" name="y" direction="in"/></method>
    <!-- Clutter's button numbers: 1 left, 2 middle, 3 right -->
    <method name="Button"><arg type="u" name="button" direction="in"/><arg type="b" name="pressed" direction="in"/></method>
    <method name="Key"><arg type="u" name="keyval" direction="in"/><arg type="b" name="pressed" direction="in"/></method>
    <!-- The frame rectangle of the first window of that application id; -1 width when none. -->
    <method name="WindowRect">
      <arg type="s" name="appId" direction="in"/>
      <arg type="i" name="x" direction="out"/><arg type="i" name="y" direction="out"/>
      <arg type="i" name="width" direction="out"/><arg type="i" name="height" direction="out"/>
    </method>
    <method name="Activate"><arg type="s" name="appId" direction="in"/><arg type="b" name="found" direction="out"/></method>
    <!-- Clicks the button of that label on the shown notification of that title. -->
    <method name="ClickNotificationButton">
      <arg type="s" name="title" direction="in"/><arg type="s" name="label" direction="in"/>
      <arg type="b" name="found" direction="out"/>
    </method>
    <method name="Screenshot"><arg type="s" name="path" direction="in"/><arg type="b" name="done" direction="out"/></method>
  </interface>
</node>`;

function now() {
    return GLib.get_monotonic_time();
}

function windowOf(appId) {
    return global.get_window_actors().map(actor => actor.meta_window)
        .find(window => window.get_wm_class() === appId || window.get_gtk_application_id() === appId);
}

class TestDesktop {
    enable() {
        const backend = global.stage.context?.get_backend?.() ?? Clutter.get_default_backend();
        const seat = backend.get_default_seat();
        this._pointer = seat.create_virtual_device(Clutter.InputDeviceType.POINTER_DEVICE);
        this._keyboard = seat.create_virtual_device(Clutter.InputDeviceType.KEYBOARD_DEVICE);
        this._dbus = Gio.DBusExportedObject.wrapJSObject(InterfaceXml, this);
        this._dbus.export(Gio.DBus.session, '/org/quillora/ShellTest');
        if (Main.layoutManager._startingUp)
            this._startupId = Main.layoutManager.connect('startup-complete', () => this._ready());
        else
            this._ready();
    }

    disable() {
        if (this._startupId)
            Main.layoutManager.disconnect(this._startupId);
        if (this._nameId)
            Gio.bus_unown_name(this._nameId);
        this._dbus.unexport();
        this._pointer = this._keyboard = this._dbus = this._nameId = this._startupId = null;
    }

    _ready() {
        Main.overview.hide();
        this._nameId = Gio.bus_own_name_on_connection(Gio.DBus.session, 'org.quillora.ShellTest',
            Gio.BusNameOwnerFlags.NONE, null, null);
    }

    MovePointer(x, y) {
        this._pointer.notify_absolute_motion(now(), x, y);
    }

    Button(button, pressed) {
        this._pointer.notify_button(now(), button,
            pressed ? Clutter.ButtonState.PRESSED : Clutter.ButtonState.RELEASED);
    }

    Key(keyval, pressed) {
        this._keyboard.notify_keyval(now(), keyval,
            pressed ? Clutter.KeyState.PRESSED : Clutter.KeyState.RELEASED);
    }

    WindowRect(appId) {
        const window = windowOf(appId);
        if (!window)
            return [0, 0, -1, -1];
        const rect = window.get_frame_rect();
        return [rect.x, rect.y, rect.width, rect.height];
    }

    Activate(appId) {
        const window = windowOf(appId);
        if (window)
            window.activate(global.get_current_time());
        return Boolean(window);
    }

    ClickNotificationButton(title, label) {
        const action = Main.messageTray.getSources().flatMap(source => source.notifications)
            .filter(notification => notification.title === title)
            .flatMap(notification => notification.actions).find(candidate => candidate.label === label);
        action?.callback();
        return Boolean(action);
    }

    ScreenshotAsync([path], invocation) {
        const stream = Gio.File.new_for_path(path).replace(null, false, Gio.FileCreateFlags.NONE, null);
        new Shell.Screenshot().screenshot(false, stream, (screenshot, result) => {
            let done = false;
            try {
                done = screenshot.screenshot_finish(result)[0];
            } catch (e) {
                logError(e, 'screenshot');
            }
            stream.close(null);
            invocation.return_value(new GLib.Variant('(b)', [done]));
        });
    }
}

function init() {
    return new TestDesktop();
}
