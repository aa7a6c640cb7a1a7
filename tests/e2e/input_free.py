#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Exits 0 when this client can take the keyboard and the pointer, 1 when another holds either.
With --hold SECONDS it keeps both that long before letting go, as a client in the lock's way."""
import ctypes
import sys
import time

x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XGrabKeyboard.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_ulong]
x.XGrabPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_uint, ctypes.c_int,
                           ctypes.c_int, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_ulong]
x.XCloseDisplay.argtypes = [ctypes.c_void_p]
d = x.XOpenDisplay(None)
if not d:
    sys.exit(2)
root = x.XDefaultRootWindow(d)
keyboard = x.XGrabKeyboard(d, root, 0, 1, 1, 0)
pointer = x.XGrabPointer(d, root, 0, 0, 1, 1, 0, 0, 0)
if len(sys.argv) == 3 and sys.argv[1] == "--hold":
    x.XFlush.argtypes = [ctypes.c_void_p]
    x.XFlush(d)
    time.sleep(float(sys.argv[2]))
x.XCloseDisplay(d)  # lets go of whatever it got
sys.exit(0 if keyboard == 0 and pointer == 0 else 1)
