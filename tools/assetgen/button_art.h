#pragma once
// SPDX-License-Identifier: MIT
// Pictures of the main window's five picture buttons, 24 x 24 with alpha.

#include <QImage>
#include <QString>
#include <vector>

namespace assetgen {

struct NamedImage {
    QString fileName;
    QImage image;
};

std::vector<NamedImage> buttonPictures();

} // namespace assetgen
