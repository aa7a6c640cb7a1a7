#pragma once
// Reading pictures whose format the program knows. Asked for a format that no image plugin names
// (PNG and BMP are built in), Qt first loads every image plugin and the libraries behind them to
// ask each one; naming the format with detection off goes straight to the built-in reader, which
// keeps those libraries out of start-up time and out of memory.

#include <QByteArray>
#include <QIcon>
#include <QImage>
#include <QString>

namespace quellor {

// A null image when the file is missing or is not in that format.
QImage readImage(const QString& path, const char* format);
QImage readImageData(const QByteArray& data, const char* format);
QIcon readIcon(const QString& path, const char* format);

} // namespace quellor
