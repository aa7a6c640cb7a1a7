#pragma once
// SPDX-License-Identifier: MIT
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

// Gives back the memory an embedded resource stored uncompressed holds in the mapped program
// (Linux): read once, a picture like the splash's needs no half-megabyte resident for the rest
// of the run. The pages come back from the file if the resource is read again.
void releaseResourcePages(const QString& resourcePath);

} // namespace quellor
