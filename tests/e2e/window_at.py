#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""window_at.py X Y: prints the id of the top-level window that shows at that point of the screen,
the highest viewable child of the root that can be seen (input-only windows, such as a window
manager's screen-edge triggers, are looked through). Exits 1 when none does."""
import ctypes
import sys


class Attributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
                ("border_width", ctypes.c_int), ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
                ("root", ctypes.c_ulong), ("c_class", ctypes.c_int), ("bit_gravity", ctypes.c_int),
                ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int),
                ("backing_planes", ctypes.c_ulong), ("backing_pixel", ctypes.c_ulong),
                ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong), ("map_installed", ctypes.c_int),
                ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
                ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p)]


INPUT_OUTPUT = 1
IS_VIEWABLE = 2

x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                           ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                           ctypes.POINTER(ctypes.c_uint)]
x11.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(Attributes)]
x11.XFree.argtypes = [ctypes.c_void_p]

px, py = int(sys.argv[1]), int(sys.argv[2])
display = x11.XOpenDisplay(None)
if not display:
    sys.exit(2)
root = x11.XDefaultRootWindow(display)
root_out, parent = ctypes.c_ulong(), ctypes.c_ulong()
children, count = ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
x11.XQueryTree(display, root, ctypes.byref(root_out), ctypes.byref(parent), ctypes.byref(children),
               ctypes.byref(count))
ids = [children[i] for i in range(count.value)]  # bottom to top
if children:
    x11.XFree(children)
for window in reversed(ids):
    a = Attributes()
    if not x11.XGetWindowAttributes(display, window, ctypes.byref(a)):
        continue
    if a.map_state != IS_VIEWABLE or a.c_class != INPUT_OUTPUT:
        continue
    edge = 2 * a.border_width
    if a.x <= px < a.x + a.width + edge and a.y <= py < a.y + a.height + edge:
        print(window)
        sys.exit(0)
sys.exit(1)
