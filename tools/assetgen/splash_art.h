#pragma once
// SPDX-License-Identifier: MIT
// The splash picture (480 x 367) and the title strip (244 x 50) that bounces over it.

#include <QFont>
#include <QImage>
#include <QString>

namespace assetgen {

// The picture bears a line naming what the program does, in one language.
QImage splashPicture(const QString& subtitle, const QFont& font);
QImage titleStrip();

} // namespace assetgen
