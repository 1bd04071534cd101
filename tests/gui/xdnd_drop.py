#!/usr/bin/env python3
"""Drags files onto the window at a point of the X screen, as a file manager does:
the XDND protocol (version 5) from a window of our own, with the file list
offered as text/uri-list. Usage: xdnd_drop.py X Y FILE...
Exit status 0 when the target accepted and finished the drop."""
import sys
import time
import urllib.parse

from Xlib import X, Xatom, display, protocol


def main():
    x, y = int(sys.argv[1]), int(sys.argv[2])
    files = sys.argv[3:]
    d = display.Display()
    root = d.screen().root
    atom = lambda name: d.intern_atom(name)
    aware, selection = atom("XdndAware"), atom("XdndSelection")
    uri_list, copy = atom("text/uri-list"), atom("XdndActionCopy")
    uris = "".join("file://" + urllib.parse.quote(f) + "\r\n" for f in files).encode()

    source = root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
    source.set_selection_owner(selection, X.CurrentTime)

    def find_target():  # the deepest window under the point that takes drops
        target, window = None, root
        while window:
            if window.get_full_property(aware, Xatom.ATOM):
                target = window
            child = window.translate_coords(root, x, y).child
            window = child if child and child != X.NONE else None
        return target

    root.warp_pointer(x, y)

    def send(target, name, data):
        event = protocol.event.ClientMessage(window=target, client_type=atom(name),
                                             data=(32, ([source.id] + data + [0] * 4)[:5]))
        target.send_event(event)
        d.flush()

    def answer(request):  # hand the file list to whoever asks for it
        if request.target == uri_list:
            request.requestor.change_property(request.property, uri_list, 8, uris)
            prop = request.property
        else:
            prop = X.NONE
        notify = protocol.event.SelectionNotify(time=request.time, requestor=request.requestor,
                                                selection=request.selection,
                                                target=request.target, property=prop)
        request.requestor.send_event(notify)
        d.flush()

    def wait_for(name, seconds):
        end = time.time() + seconds
        while time.time() < end:
            while d.pending_events():
                e = d.next_event()
                if e.type == X.SelectionRequest:
                    answer(e)
                elif e.type == X.ClientMessage and e.client_type == atom(name):
                    return e
            time.sleep(0.02)
        return None

    # A window that is just closing may still stand under the point and never answer: leave it
    # and look again.
    for _ in range(5):
        try:
            target = find_target()
        except Exception:  # a window went away while we looked
            target = None
        if target is None:
            time.sleep(1)
            continue
        send(target, "XdndEnter", [5 << 24, uri_list, 0, 0])
        send(target, "XdndPosition", [0, (x << 16) | y, X.CurrentTime, copy])
        status = wait_for("XdndStatus", 4)
        if status is None:
            print("xdnd: no answer from window %#x, trying again" % target.id, file=sys.stderr)
            send(target, "XdndLeave", [0])
            time.sleep(1)
            continue
        if not status.data[1][1] & 1:
            sys.exit("xdnd: the target refused the drop")
        send(target, "XdndDrop", [0, X.CurrentTime, 0])
        if wait_for("XdndFinished", 10) is None:
            sys.exit("xdnd: no XdndFinished from the target")
        return
    sys.exit("xdnd: no window at %d,%d answered the drop" % (x, y))

if __name__ == "__main__":
    main()
