#pragma once
// SPDX-License-Identifier: MIT
// The frame reaches its host form only by name at run time: Move while dragging, WindowState = 1
// from the minimise button, unloading from the close button. It holds no typed reference.

#include "units.h"

class QWidget;

namespace vantrel {

// Calls the host's Move(Left, Top) in twips when it has one, else moves the widget itself.
void moveHost(QWidget* host, double left, double top, const quellor::Twips& t);

// Sets the host's WindowState to 1 when it has that property, else minimises the window.
// A host that is not a top-level window is left alone.
void minimiseHost(QWidget* host);

// Asks the host to close as the program's own code would, so its close handling may refuse.
// The request is delivered once the caller's handler has returned: the frame, which dies with
// its host, is never destroyed under its own feet.
void unloadHost(QWidget* host);

} // namespace vantrel
