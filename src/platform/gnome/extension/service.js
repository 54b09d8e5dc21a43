// The Shell side of Quillora's GNOME back end: what only the Shell sees in a Wayland
// session, offered to the program on the session bus as org.quillora.Shell and nothing
// more. It reads; it never writes a selection, types or moves the pointer. Nothing of
// it runs while nothing happens: every report is an answer to a call or to an event.
// The entry wrappers (entry-43.js, entry-45.js) supply Clutter, Gio, GLib and Meta.

const BusName = 'org.quillora.Shell';
const ObjectPath = '/org/quillora/Shell';
// The longest selection text handed over, in bytes; longer ones end there.
const MaxTextBytes = 1024 * 1024;
const TextTypes = ['text/plain;charset=utf-8', 'UTF8_STRING', 'text/plain', 'STRING'];

// Clutter's button masks as get_pointer() reports them. Mutter 43's native seat
// reports the right button as its second button and the middle one as its third.
const ShiftMask = 1 << 0;
const LeftMask = 1 << 8;
const RightMask = 1 << 9;
const MiddleMask = 1 << 10;
// Buttons as the interface reports them.
const Left = 1, Right = 2, Middle = 4, Shift = 8;
// Clutter's button numbers in events.
const ClutterButtons = {1: Left, 2: Middle, 3: Right};

const ServiceXml = `
<node>
  <interface name="org.quillora.Shell">
    <!-- The pointer in global coordinates and what is held: 1 left, 2 right,
         4 middle button, 8 Shift. -->
    <method name="GetPointer">
      <arg type="i" name="x" direction="out"/><arg type="i" name="y" direction="out"/>
      <arg type="u" name="buttons" direction="out"/>
    </method>
    <!-- The primary selection's text, at most MaxTextBytes of it; empty when none. -->
    <method name="GetPrimaryText"><arg type="s" name="text" direction="out"/></method>
    <!-- The focused window: its id (0: none), process id (0: unknown), application id,
         and whether it is an X11 window (XWayland). -->
    <method name="GetFocusedWindow">
      <arg type="t" name="id" direction="out"/><arg type="u" name="pid" direction="out"/>
      <arg type="s" name="appId" direction="out"/><arg type="b" name="x11" direction="out"/>
    </method>
    <!-- From this call on, ButtonEvent reports each press and release of a button
         (1 left, 2 right, 4 middle) where it happened, until the caller leaves the bus
         or calls again with false. The buttons held at the call are reported as
         pressed there and then, so that no release comes without its press. -->
    <method name="WatchButtons"><arg type="b" name="watch" direction="in"/></method>
    <signal name="PrimaryChanged"><arg type="b" name="selected"/></signal>
    <signal name="FocusChanged"/>
    <signal name="ButtonEvent">
      <arg type="i" name="x"/><arg type="i" name="y"/><arg type="u" name="button"/>
      <arg type="b" name="pressed"/>
    </signal>
  </interface>
</node>`;

function pointerState() {
    const [x, y, mask] = global.get_pointer();
    const buttons = (mask & LeftMask ? Left : 0) | (mask & RightMask ? Right : 0) |
        (mask & MiddleMask ? Middle : 0) | (mask & ShiftMask ? Shift : 0);
    return [x, y, buttons];
}

// Cuts a partial UTF-8 character off the end of a read that stopped at the limit.
function decodeText(bytes, complete) {
    let end = bytes.length;
    if (!complete) {
        let start = end - 1;
        while (start > 0 && (bytes[start] & 0xC0) === 0x80)
            start--;
        const lead = bytes[start];
        const length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        if (start + length > end)
            end = start;
    }
    return new TextDecoder('utf-8').decode(bytes.subarray(0, end));
}

// Enabled and disabled by the Shell, possibly many times over.
class QuilloraShellService {
    enable() {
        this._selection = global.display.get_selection();
        this._dbus = Gio.DBusExportedObject.wrapJSObject(ServiceXml, this);
        this._dbus.export(Gio.DBus.session, ObjectPath);
        this._ownerChangedId = this._selection.connect('owner-changed', (selection, type, source) => {
            if (type === Meta.SelectionType.SELECTION_PRIMARY)
                this._dbus.emit_signal('PrimaryChanged', new GLib.Variant('(b)', [source !== null]));
        });
        this._focusId = global.display.connect('notify::focus-window',
            () => this._dbus.emit_signal('FocusChanged', null));
        this._nameId = Gio.bus_own_name_on_connection(Gio.DBus.session, BusName,
            Gio.BusNameOwnerFlags.NONE, null, null);
    }

    disable() {
        this._stopWatching();
        Gio.bus_unown_name(this._nameId);
        global.display.disconnect(this._focusId);
        this._selection.disconnect(this._ownerChangedId);
        this._dbus.unexport();
        this._dbus = this._selection = null;
    }

    GetPointer() {
        return pointerState();
    }

    GetPrimaryTextAsync(parameters, invocation) {
        const mimeTypes = this._selection.get_mimetypes(Meta.SelectionType.SELECTION_PRIMARY);
        const type = TextTypes.find(candidate => mimeTypes.includes(candidate));
        if (!type) {
            invocation.return_value(new GLib.Variant('(s)', ['']));
            return;
        }
        // One byte more than handed over tells whether the text went on.
        const stream = Gio.MemoryOutputStream.new_resizable();
        this._selection.transfer_async(Meta.SelectionType.SELECTION_PRIMARY, type, MaxTextBytes + 1,
            stream, null, (selection, result) => {
                let text = '';
                try {
                    selection.transfer_finish(result);
                    stream.close(null);
                    const bytes = stream.steal_as_bytes().get_data() ?? new Uint8Array();
                    const complete = bytes.length <= MaxTextBytes;
                    text = decodeText(complete ? bytes : bytes.subarray(0, MaxTextBytes), complete);
                } catch (e) {
                    // The owner went away or answered nothing: no text.
                }
                invocation.return_value(new GLib.Variant('(s)', [text]));
            });
    }

    GetFocusedWindow() {
        const window = global.display.focus_window;
        if (!window)
            return [0, 0, '', false];
        const x11 = window.get_client_type() === Meta.WindowClientType.X11;
        return [window.get_id(), Math.max(window.get_pid(), 0), window.get_wm_class() ?? '', x11];
    }

    WatchButtonsAsync([watch], invocation) {
        this._stopWatching();
        if (watch) {
            this._watchOwnerId = Gio.bus_watch_name_on_connection(Gio.DBus.session, invocation.get_sender(),
                Gio.BusNameWatcherFlags.NONE, null, () => this._stopWatching());
            this._armWatch();
        }
        invocation.return_value(null);
        if (watch) {
            const [x, y, held] = pointerState();
            this._held = held;
            for (const button of [Left, Right, Middle].filter(b => held & b))
                this._emitButton(x, y, button, true);
        }
    }

    // The idle monitor's user-active watch fires once, within the handling of the next
    // input event of any device: each press and release is seen with no timer.
    _armWatch() {
        const monitor = global.backend.get_core_idle_monitor();
        this._activeWatchId = monitor.add_user_active_watch(() => {
            this._activeWatchId = 0;
            this._armWatch();
            this._reportButtons();
        });
    }

    // The event being handled tells, since the pointer's state may already be a later
    // one; a Clutter that does not tell the event leaves the change of the buttons held.
    _reportButtons() {
        const [x, y, held] = pointerState();
        if (Clutter.get_current_event) {
            const event = Clutter.get_current_event();
            const type = event?.type();
            const pressed = type === Clutter.EventType.BUTTON_PRESS;
            const button = pressed || type === Clutter.EventType.BUTTON_RELEASE ? ClutterButtons[event.get_button()] : 0;
            const [eventX, eventY] = button ? event.get_coords() : [];
            if (button)
                this._emitButton(Math.round(eventX), Math.round(eventY), button, pressed);
        } else {
            for (const button of [Left, Right, Middle].filter(b => (held ^ this._held) & b))
                this._emitButton(x, y, button, Boolean(held & button));
        }
        this._held = held;
    }

    _emitButton(x, y, button, pressed) {
        this._dbus.emit_signal('ButtonEvent', new GLib.Variant('(iiub)', [x, y, button, pressed]));
    }

    _stopWatching() {
        if (this._activeWatchId)
            global.backend.get_core_idle_monitor().remove_watch(this._activeWatchId);
        if (this._watchOwnerId)
            Gio.bus_unwatch_name(this._watchOwnerId);
        this._activeWatchId = this._watchOwnerId = 0;
    }
}
