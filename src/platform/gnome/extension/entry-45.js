// The entry of the extension for GNOME Shell 45 and later, which load extension.js as
// an ES module whose default export extends Extension; the build puts service.js where
// the marker stands.
import Clutter from 'gi://Clutter';
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';
import Meta from 'gi://Meta';
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';

//@SERVICE@

export default class QuilloraExtension extends Extension {
    enable() {
        this._service = new QuilloraShellService();
        this._service.enable();
    }

    disable() {
        this._service.disable();
        this._service = null;
    }
}
