#!/usr/bin/env python3
"""A clipboard manager for the tests. It owns CLIPBOARD_MANAGER and, when the clipboard's
owner asks it to SAVE_TARGETS, fetches each target the request names from the CLIPBOARD
owner, large ones in increments, and writes the bytes of each to OUT/<target, with '/' as '%2F'>. It prints "ready" once
it owns CLIPBOARD_MANAGER and "saved N" after answering a request.

    clipboard_manager_standin.py OUT
"""
import os
import sys
import time

from Xlib import X, Xatom, display
from Xlib.protocol import event

PROTOCOL = {"TARGETS", "MULTIPLE", "TIMESTAMP", "SAVE_TARGETS"}

out = sys.argv[1]
screen = display.Display()
window = screen.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent,
                                            event_mask=X.PropertyChangeMask)
atom = screen.intern_atom
MANAGER, SAVE, CLIPBOARD, INCR = map(atom, ("CLIPBOARD_MANAGER", "SAVE_TARGETS", "CLIPBOARD", "INCR"))
DATA = atom("QLR_MANAGER_DATA")


def wait_for(match, seconds=5.0):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while screen.pending_events():
            happened = screen.next_event()
            if match(happened):
                return happened
        time.sleep(0.002)
    raise TimeoutError("the clipboard owner did not answer")


def take_data():
    found = window.get_full_property(DATA, X.AnyPropertyType, sizehint=1 << 20)
    window.delete_property(DATA)
    screen.flush()
    if found is None:
        return None, b""
    if found.format == 8:
        return found.property_type, bytes(found.value)
    width = found.format // 8
    return found.property_type, b"".join(int(unit).to_bytes(width, "little") for unit in found.value)


def fetch(target):
    window.delete_property(DATA)
    window.convert_selection(CLIPBOARD, target, DATA, X.CurrentTime)
    screen.flush()
    answer = wait_for(lambda e: e.type == X.SelectionNotify and e.selection == CLIPBOARD)
    if answer.property == X.NONE:
        return None
    kind, data = take_data()
    if kind != INCR:
        return data
    whole = b""
    while True:
        wait_for(lambda e: e.type == X.PropertyNotify and e.atom == DATA and e.state == X.PropertyNewValue)
        _, part = take_data()
        if not part:
            return whole
        whole += part


window.set_selection_owner(MANAGER, X.CurrentTime)
screen.sync()
print("ready", flush=True)
while True:
    request = screen.next_event()
    if request.type != X.SelectionRequest or request.target != SAVE:
        continue
    listed = None
    if request.property != X.NONE:
        listed = request.requestor.get_full_property(request.property, Xatom.ATOM)
    saved = 0
    for target in list(listed.value) if listed else []:
        name = screen.get_atom_name(target)
        data = None if name in PROTOCOL else fetch(target)
        if data is not None:
            with open(os.path.join(out, name.replace("/", "%2F")), "wb") as file:
                file.write(data)
            saved += 1
    request.requestor.send_event(event.SelectionNotify(time=request.time, requestor=request.requestor,
                                                       selection=request.selection, target=request.target,
                                                       property=request.property))
    screen.flush()
    print("saved", saved, flush=True)
