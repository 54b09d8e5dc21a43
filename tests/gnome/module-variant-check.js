// The Shell 45+ variant of the extension, loaded as those Shells load it (an ES module
// whose default export extends their Extension class), outside a Shell: a stand-in
// for the Shell's `global` and the real session bus. It must offer org.quillora.Shell
// on enable() with the interface's answers, and give the name up on disable().
//   gjs -m module-variant-check.js METADATA.JSON   (check-module-variant.sh sets it up)
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';
import System from 'system';
import {Extension} from './shell-extension-stub.js';
import QuilloraExtension from './extension.js';

let failures = 0;
function check(what, ok) {
    print(`${ok ? 'ok' : 'FAILED'}: ${what}`);
    failures += ok ? 0 : 1;
}

// The primary selection: none, or a long text that its owner hands over up to the size
// it is asked for.
let selected = null;
const source = {
    connect: () => 1,
    disconnect() {},
    get_mimetypes: () => selected ? ['text/plain;charset=utf-8'] : [],
    transfer_async(type, mimeType, size, stream, cancellable, callback) {
        stream.write_bytes(new GLib.Bytes(selected.subarray(0, size)), null);
        callback(this, null);
    },
    transfer_finish: () => true,
};
globalThis.global = {
    display: {get_selection: () => source, connect: () => 2, disconnect() {}, focus_window: null},
    // Left and middle held, and Shift, as Mutter 43 reports them.
    get_pointer: () => [12, 34, (1 << 8) | (1 << 10) | 1],
    backend: {get_core_idle_monitor: () => ({add_user_active_watch: () => 7, remove_watch() {}})},
};

const bus = Gio.DBus.session;
function owned() {
    const reply = bus.call_sync('org.freedesktop.DBus', '/org/freedesktop/DBus', 'org.freedesktop.DBus',
        'NameHasOwner', new GLib.Variant('(s)', ['org.quillora.Shell']), null, Gio.DBusCallFlags.NONE, 1000, null);
    return reply.deepUnpack()[0];
}
function waitFor(condition) {
    const end = GLib.get_monotonic_time() + 5000000;
    while (!condition() && GLib.get_monotonic_time() < end)
        GLib.MainContext.default().iteration(false);
    return condition();
}
function ask(method) {
    let answer = null;
    bus.call('org.quillora.Shell', '/org/quillora/Shell', 'org.quillora.Shell', method, null, null,
        Gio.DBusCallFlags.NONE, 2000, null, (connection, result) => {
            answer = connection.call_finish(result).deepUnpack();
        });
    waitFor(() => answer !== null);
    return answer;
}

const [metadataPath] = System.programArgs;
const metadata = JSON.parse(new TextDecoder().decode(GLib.file_get_contents(metadataPath)[1]));
check('the metadata names Shells from 45 on only', metadata['shell-version'].every(v => Number(v) >= 45));
check('the default export extends the Shell\'s Extension', Object.getPrototypeOf(QuilloraExtension) === Extension);
const extension = new QuilloraExtension(metadata);
extension.enable();
check('enable() owns org.quillora.Shell', waitFor(owned));
check('GetPointer gives the place, left and middle held, Shift', JSON.stringify(ask('GetPointer')) ===
    JSON.stringify([12, 34, 1 | 4 | 8]));
check('GetPrimaryText with no selection', ask('GetPrimaryText')[0] === '');
// Three bytes a pair, so 1 MiB ends one byte into an 'é': the text handed over ends
// with the last whole character.
const pairs = 400 * 1024, limit = 1024 * 1024;
selected = new TextEncoder().encode('éa'.repeat(pairs));
const text = ask('GetPrimaryText')[0];
check('a long selection is cut at its last whole character within 1 MiB',
    text === 'éa'.repeat(pairs).slice(0, Math.floor(limit / 3) * 2));
extension.disable();
check('disable() gives the name up', waitFor(() => !owned()));
System.exit(failures ? 1 : 0);
