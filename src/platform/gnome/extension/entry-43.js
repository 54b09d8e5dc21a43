// The entry of the extension for GNOME Shell 43 and 44, which load extension.js as a
// script with init(); the build puts service.js where the marker stands.
'use strict';

const {Clutter, Gio, GLib, Meta} = imports.gi;

//@SERVICE@

class QuilloraExtension {
    enable() {
        this._service = new QuilloraShellService();
        this._service.enable();
    }

    disable() {
        this._service.disable();
        this._service = null;
    }
}

function init() {
    return new QuilloraExtension();
}
