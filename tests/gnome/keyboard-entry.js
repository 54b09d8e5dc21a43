// A native Wayland window (GTK through gjs) with one text field holding the text
// given, for a selection made with the keyboard: gjs keyboard-entry.js APP-ID TEXT
imports.gi.versions.Gtk = '3.0';
const { GLib, Gtk } = imports.gi;

GLib.set_prgname(ARGV[0]);
Gtk.init(null);
const window = new Gtk.Window({ title: ARGV[0], default_width: 520 });
window.add(new Gtk.Entry({ text: ARGV[1] }));
window.connect('destroy', () => Gtk.main_quit());
window.show_all();
Gtk.main();
