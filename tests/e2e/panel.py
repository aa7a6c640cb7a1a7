#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""panel.py EDGE SIZE: stands in for a desktop's panel, as a dock window along the top or bottom edge
of the screen, SIZE pixels high, reserving that strip (_NET_WM_STRUT_PARTIAL) so window managers keep
maximised windows off it. Runs until killed."""
import ctypes
import signal
import sys
import time

x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XDefaultScreen.argtypes = [ctypes.c_void_p]
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDisplayWidth.argtypes = [ctypes.c_void_p, ctypes.c_int]
x11.XDisplayHeight.argtypes = [ctypes.c_void_p, ctypes.c_int]
x11.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                    ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_ulong]
x11.XCreateSimpleWindow.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XInternAtom.restype = ctypes.c_ulong
x11.XChangeProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_int,
                                ctypes.c_int, ctypes.c_void_p, ctypes.c_int]
x11.XStoreName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_char_p]
x11.XMapWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XFlush.argtypes = [ctypes.c_void_p]

edge, size = sys.argv[1], int(sys.argv[2])
d = x11.XOpenDisplay(None)
if not d:
    sys.exit(2)
screen = x11.XDefaultScreen(d)
width, height = x11.XDisplayWidth(d, screen), x11.XDisplayHeight(d, screen)
top = edge == "top"
y = 0 if top else height - size
w = x11.XCreateSimpleWindow(d, x11.XDefaultRootWindow(d), 0, y, width, size, 0, 0, 0x3060c0)
atom = lambda name: x11.XInternAtom(d, name.encode(), 0)
XA_ATOM, XA_CARDINAL = 4, 6
dock = (ctypes.c_ulong * 1)(atom("_NET_WM_WINDOW_TYPE_DOCK"))
x11.XChangeProperty(d, w, atom("_NET_WM_WINDOW_TYPE"), XA_ATOM, 32, 0, dock, 1)
# left, right, top, bottom, then the start and end of each along its edge
strut = [0, 0, size if top else 0, 0 if top else size, 0, 0, 0, 0, 0, width - 1 if top else 0, 0, 0 if top else width - 1]
values = (ctypes.c_ulong * 12)(*strut)
x11.XChangeProperty(d, w, atom("_NET_WM_STRUT_PARTIAL"), XA_CARDINAL, 32, 0, values, 12)
x11.XChangeProperty(d, w, atom("_NET_WM_STRUT"), XA_CARDINAL, 32, 0, values, 4)
x11.XStoreName(d, w, b"panel")
x11.XMapWindow(d, w)
x11.XFlush(d)
signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
while True:
    time.sleep(3600)
