#include "image_read.h"

#include <QBuffer>
#include <QImageReader>
#include <QPixmap>

namespace quellor {

namespace {
QImage readFrom(QImageReader& reader) {
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}
} // namespace

QImage readImage(const QString& path, const char* format) {
    QImageReader reader(path, format);
    return readFrom(reader);
}

QImage readImageData(const QByteArray& data, const char* format) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    return readFrom(reader);
}

QIcon readIcon(const QString& path, const char* format) {
    const QImage image = readImage(path, format);
    return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}

} // namespace quellor
