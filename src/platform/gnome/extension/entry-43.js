// The entry of the extension for GNOME Shell 43 and 44, which load extension.js as a
// script whose init() gives the object they enable and disable; the build puts
// service.js where the marker stands.
'use strict';

const {Clutter, Gio, GLib, Meta} = imports.gi;

//@SERVICE@

function init() {
    return new QuilloraShellService();
}
