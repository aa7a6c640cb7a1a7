#pragma once
// The splash picture (480 x 367) and the title strip (244 x 50) that bounces over it.

#include <QImage>

namespace assetgen {

QImage splashPicture();
QImage titleStrip();

} // namespace assetgen
