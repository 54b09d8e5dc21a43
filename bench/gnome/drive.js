// Drives a headless GNOME Shell for bench/gnome/run.sh through the test extension's
// virtual pointer (scripts/gnome-test-extension), timing on CLOCK_MONOTONIC as the
// program's trace does.
//   gjs -m drive.js releases APP_ID TRACE_FILE COUNT   release-to-noticed delays (ms), one a line
//   gjs -m drive.js dismiss APP_ID                     a click below the terminal's text
//   gjs -m drive.js moves COUNT                        COUNT pointer motions, then "done"
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';
import System from 'system';

const bus = Gio.DBus.session;
function call(method, signature, args) {
    return bus.call_sync('org.quillora.ShellTest', '/org/quillora/ShellTest', 'org.quillora.ShellTest', method,
        signature ? new GLib.Variant(signature, args) : null, null, Gio.DBusCallFlags.NONE, 5000, null).deepUnpack();
}
const move = (x, y) => call('MovePointer', '(dd)', [x, y]);
const button = pressed => call('Button', '(ub)', [1, pressed]);

// A click in the terminal's far corner, away from the popup: the popup closes, the
// terminal's selection goes; long enough apart that the terminal takes the next press
// as a new one.
function dismiss(appId) {
    const [x, y, width, height] = call('WindowRect', '(s)', [appId]);
    move(x + width - 30, y + height - 30);
    button(true);
    button(false);
    sleepMs(700);
}

// The newest "selection-noticed" moment in the trace, in microseconds; 0 when none.
function lastNoticed(trace) {
    const [ok, bytes] = GLib.file_get_contents(trace);
    const lines = ok ? new TextDecoder().decode(bytes).split('\n').filter(l => l.includes(' selection-noticed ')) : [];
    return lines.length ? Number(lines[lines.length - 1].split(' ')[0]) / 1000 : 0;
}

function sleepMs(ms) {
    const end = GLib.get_monotonic_time() + ms * 1000;
    while (GLib.get_monotonic_time() < end)
        GLib.usleep(1000);
}

// When the primary selection last changed, as the extension tells the program.
let changed = 0;
bus.signal_subscribe('org.quillora.Shell', 'org.quillora.Shell', 'PrimaryChanged', '/org/quillora/Shell', null,
    Gio.DBusSignalFlags.NONE, () => {
        changed = GLib.get_monotonic_time();
    });

const [mode, ...args] = System.programArgs;
if (mode === 'releases') {
    const [appId, trace, count] = args;
    for (let i = 0; i < Number(count); i++) {
        const [x, y] = call('WindowRect', '(s)', [appId]);
        // The last popup closed first, so that the press of the drag has nothing to hide
        // (which the program does before it handles the release).
        dismiss(appId);
        // foot without a title bar: the sentence's first 30 cells (7 pixels) on the first row.
        move(x + 3, y + 10);
        button(true);
        for (let dx = 20; dx < 210; dx += 20)
            move(x + 3 + dx, y + 10);
        const before = lastNoticed(trace);
        changed = 0;
        const released = GLib.get_monotonic_time();
        button(false);
        let noticed = 0;
        while (GLib.get_monotonic_time() - released < 3000000 && (noticed = lastNoticed(trace)) === before) {
            GLib.MainContext.default().iteration(false);
            GLib.usleep(500);
        }
        const ms = at => ((at - released) / 1000).toFixed(1);
        print(noticed !== before ? `${ms(noticed)} ${changed ? ms(changed) : '-'}` : '-');
    }
} else if (mode === 'dismiss') {
    dismiss(args[0]);
} else if (mode === 'moves') {
    for (let i = 0; i < Number(args[0]); i++)
        move(100 + i % 500, 770); // below the terminal, clear of every window
    print('done');
}
