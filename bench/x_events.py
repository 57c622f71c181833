"""The time from an action to a window of a given name appearing, taken from the X server's own
notice of the map rather than by asking again and again: polling adds its own interval and the
cost of each question to every figure."""
import ctypes
import ctypes.util
import os
import select
import time

_x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
_x11.XOpenDisplay.restype = ctypes.c_void_p
_x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
_x11.XDefaultRootWindow.restype = ctypes.c_ulong
_x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
_x11.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
_x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
_x11.XPending.argtypes = [ctypes.c_void_p]
_x11.XConnectionNumber.argtypes = [ctypes.c_void_p]
_x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
_x11.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_char_p)]
_x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
_x11.XFree.argtypes = [ctypes.c_void_p]

# A window may be gone by the time its name is asked; Xlib's own handler would end the process.
_ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(lambda display, error: 0)
_x11.XSetErrorHandler(_ERROR_HANDLER)

SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
MAP_NOTIFY = 19


class _MapEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("event", ctypes.c_ulong), ("window", ctypes.c_ulong)]


class _Event(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("map", _MapEvent), ("pad", ctypes.c_long * 24)]


class MapWatch:
    """Hears every top-level window mapped on the display of the environment."""

    def __init__(self):
        self._display = _x11.XOpenDisplay(os.environ["DISPLAY"].encode())
        if not self._display:
            raise RuntimeError("cannot open the X display " + os.environ["DISPLAY"])
        _x11.XSelectInput(self._display, _x11.XDefaultRootWindow(self._display), SUBSTRUCTURE_NOTIFY_MASK)
        _x11.XSync(self._display, 0)

    def close(self):
        _x11.XCloseDisplay(self._display)

    def seconds_until_mapped(self, action, name, timeout):
        """Runs `action`, then returns the seconds until a window named `name` is mapped."""
        _x11.XSync(self._display, 1)  # forgets what came before
        started = time.monotonic()
        action()
        while time.monotonic() < started + timeout:
            if not _x11.XPending(self._display):
                select.select([_x11.XConnectionNumber(self._display)], [], [], 0.05)
                continue
            event = _Event()
            _x11.XNextEvent(self._display, ctypes.byref(event))
            if event.type == MAP_NOTIFY and self._name_of(event.map.window) == name:
                return time.monotonic() - started
        raise AssertionError(f"no window named {name!r} within {timeout} s")

    def _name_of(self, window):
        name = ctypes.c_char_p()
        if not _x11.XFetchName(self._display, window, ctypes.byref(name)) or name.value is None:
            return None
        text = name.value.decode(errors="replace")
        _x11.XFree(ctypes.cast(name, ctypes.c_void_p))
        return text
