#pragma once
// The shape the small framed dialogs share: a borderless top-level window of a size given in
// twips, centred on the screen, painted in the frame's back colour so it looks right even when
// no frame could be attached.

#include "units.h"

#include <QString>

class QWidget;

namespace quellor {

void setUpDialogWindow(QWidget* window, const QString& title, double widthTwips, double heightTwips,
                       const Twips& t);

// Centres the window on the screen it will appear on (the primary one).
void centreOnScreen(QWidget* window);

} // namespace quellor
