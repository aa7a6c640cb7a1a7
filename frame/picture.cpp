// SPDX-License-Identifier: MIT

#include "picture.h"

#include <QBuffer>
#include <QImage>

namespace vantrel {

PictureRef Picture::empty() {
    return std::make_shared<const Picture>();
}

PictureRef Picture::fromData(const QByteArray& data) {
    auto p = std::make_shared<Picture>();
    p->data = data;
    QImage image = QImage::fromData(data);
    if (image.isNull()) {
        image = QImage::fromData(data, "ICO");
    }
    if (!image.isNull()) {
        p->pixmap = QPixmap::fromImage(image);
    }
    return p;
}

PictureRef Picture::fromPixmap(const QPixmap& pixmap) {
    auto p = std::make_shared<Picture>();
    if (!pixmap.isNull()) {
        QBuffer buffer(&p->data);
        buffer.open(QIODevice::WriteOnly);
        pixmap.save(&buffer, "PNG");
        p->pixmap = pixmap;
    }
    return p;
}

} // namespace vantrel
