// SPDX-License-Identifier: MIT

#include "image_read.h"

#include <QBuffer>
#include <QImageReader>
#include <QPixmap>
#include <QResource>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#include <unistd.h>
#endif

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

void releaseResourcePages(const QString& resourcePath) {
#ifdef Q_OS_LINUX
    const QResource resource(resourcePath);
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression) {
        return; // a compressed resource is inflated into memory of its own, freed with its reader
    }
    // Only whole pages inside the data: the program's other constants may share its first and last.
    const auto page = static_cast<quintptr>(sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<quintptr>(resource.data());
    const quintptr first = (start + page - 1) / page * page;
    const quintptr end = (start + static_cast<quintptr>(resource.size())) / page * page;
    if (end > first) {
        madvise(reinterpret_cast<void*>(first), end - first, MADV_DONTNEED);
    }
#else
    Q_UNUSED(resourcePath);
#endif
}

} // namespace quellor
