#!/usr/bin/env python3
"""Two X11 requests the soak test needs that xdotool lacks, through libX11 (no packages).

  soak_x11.py ping WINDOW SECONDS   exit 0 when the program owning WINDOW answers a _NET_WM_PING
                                    within SECONDS (its event loop runs), 1 when it does not
  soak_x11.py close WINDOW          asks WINDOW to close as a window manager's close box does
                                    (WM_DELETE_WINDOW)
Either exits 3 when WINDOW does not exist (any more).
"""
import ctypes
import select
import sys
import time

CLIENT_MESSAGE = 33
STRUCTURE_NOTIFY = 1 << 17
SUBSTRUCTURE_NOTIFY = 1 << 19


class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class Event(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]


ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
x_errors = []


def note_error(_display, _event):
    # Xlib's own handler ends the process; a window that went away is an answer too.
    x_errors.append(True)
    return 0


on_error = ERROR_HANDLER(note_error)


def main():
    if len(sys.argv) < 3 or sys.argv[1] not in ("ping", "close"):
        sys.stderr.write(__doc__)
        return 2
    x = ctypes.cdll.LoadLibrary("libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XInternAtom.restype = ctypes.c_ulong
    x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x.XDefaultRootWindow.restype = ctypes.c_ulong
    x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
    x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
    x.XFlush.argtypes = [ctypes.c_void_p]
    x.XPending.argtypes = [ctypes.c_void_p]
    x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
    x.XConnectionNumber.argtypes = [ctypes.c_void_p]
    x.XCloseDisplay.argtypes = [ctypes.c_void_p]
    x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    x.XSetErrorHandler.argtypes = [ERROR_HANDLER]
    x.XSetErrorHandler(on_error)

    display = x.XOpenDisplay(None)
    if not display:
        sys.stderr.write("soak_x11: cannot open the display\n")
        return 2
    window = int(sys.argv[2], 0)
    protocols = x.XInternAtom(display, b"WM_PROTOCOLS", 0)
    root = x.XDefaultRootWindow(display)
    event = Event()
    event.xclient.type = CLIENT_MESSAGE
    event.xclient.window = window
    event.xclient.message_type = protocols
    event.xclient.format = 32
    if sys.argv[1] == "close":
        event.xclient.data[0] = x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
        x.XSendEvent(display, window, 0, 0, ctypes.byref(event))
        x.XSync(display, 0)
        x.XCloseDisplay(display)
        return 3 if x_errors else 0

    ping = x.XInternAtom(display, b"_NET_WM_PING", 0)
    # The answer is the same message sent back to the root window.
    x.XSelectInput(display, root, STRUCTURE_NOTIFY | SUBSTRUCTURE_NOTIFY)
    token = int(time.monotonic() * 1000) & 0x7FFFFFFF
    event.xclient.data[0] = ping
    event.xclient.data[1] = token
    event.xclient.data[2] = window
    x.XSendEvent(display, window, 0, 0, ctypes.byref(event))
    x.XSync(display, 0)
    if x_errors:
        x.XCloseDisplay(display)
        return 3
    deadline = time.monotonic() + float(sys.argv[3] if len(sys.argv) > 3 else 5)
    fd = x.XConnectionNumber(display)
    answer = Event()
    while True:
        while x.XPending(display):
            x.XNextEvent(display, ctypes.byref(answer))
            reply = answer.xclient
            if (answer.type == CLIENT_MESSAGE and reply.message_type == protocols and reply.data[0] == ping
                    and reply.data[1] == token):
                x.XCloseDisplay(display)
                return 0
        left = deadline - time.monotonic()
        if left <= 0:
            x.XCloseDisplay(display)
            return 1
        select.select([fd], [], [], left)


if __name__ == "__main__":
    sys.exit(main())
