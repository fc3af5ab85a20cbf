"""A scripted mouse and a screen reader on an X display, through Xlib and the XTEST extension (ctypes)."""

import ctypes
import ctypes.util


def _library(name, fallback):
    return ctypes.CDLL(ctypes.util.find_library(name) or fallback)


class XDisplay:
    """One connection to the display named (None: $DISPLAY). Raises OSError when it cannot be opened."""

    ALL_PLANES = 0xFFFFFFFF
    Z_PIXMAP = 2

    def __init__(self, name=None):
        self._x = _library("X11", "libX11.so.6")
        self._xtst = _library("Xtst", "libXtst.so.6")
        x = self._x
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x.XDefaultRootWindow.restype = ctypes.c_ulong
        x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x.XGetImage.restype = ctypes.c_void_p
        x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        x.XGetPixel.restype = ctypes.c_ulong
        x.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
        x.XDestroyImage.argtypes = [ctypes.c_void_p]
        x.XFlush.argtypes = [ctypes.c_void_p]
        x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self._xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int,
                                                    ctypes.c_ulong]
        self._xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        self._display = x.XOpenDisplay(name.encode() if name else None)
        if not self._display:
            raise OSError("cannot open display %r" % name)
        self._root = x.XDefaultRootWindow(self._display)

    def close(self):
        if self._display:
            self._x.XCloseDisplay(self._display)
            self._display = None

    def move(self, x, y):
        """Moves the pointer to the point of the screen, as a hand on the mouse would."""
        self._xtst.XTestFakeMotionEvent(self._display, -1, x, y, 0)
        self._x.XSync(self._display, 0)

    def button(self, pressed, button=1):
        self._xtst.XTestFakeButtonEvent(self._display, button, 1 if pressed else 0, 0)
        self._x.XSync(self._display, 0)

    def pixels(self, left, top, width, height):
        """The rows of (r, g, b) of the screen's rectangle, top to bottom."""
        image = self._x.XGetImage(self._display, self._root, left, top, width, height, self.ALL_PLANES,
                                  self.Z_PIXMAP)
        if not image:
            raise OSError("cannot read the screen")
        try:
            rows = []
            for y in range(height):
                row = []
                for x in range(width):
                    value = self._x.XGetPixel(image, x, y)
                    row.append(((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF))
                rows.append(row)
            return rows
        finally:
            self._x.XDestroyImage(image)

    def pixel(self, x, y):
        return self.pixels(x, y, 1, 1)[0][0]
