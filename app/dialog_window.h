#pragma once
// SPDX-License-Identifier: MIT
// The shape the small framed dialogs share: a borderless top-level window of a size given in
// twips, centred on the screen, painted in the frame's back colour so it looks right even when
// no frame could be attached.

#include "units.h"

#include <QString>

class QWidget;

namespace quellor {

// `caption` is the source text of the window's caption (see windowCaption).
void setUpDialogWindow(QWidget* window, const char* caption, double widthTwips, double heightTwips,
                       const Twips& t);

// A window's caption is both its title and its frame's stored caption, so the two translate in
// one context: mark the source text with QT_TRANSLATE_NOOP("quellor::Caption", ...).
QString windowCaption(const char* source);

// Centres the window on the screen it will appear on (the primary one).
void centreOnScreen(QWidget* window);

} // namespace quellor
