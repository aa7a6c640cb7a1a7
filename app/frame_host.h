#pragma once
// SPDX-License-Identifier: MIT
// The program's side of its window frames: each framed window gets its frame by the control's
// class identity "VantrelLib.Vantrel", set up from the window's stored layout. The program never
// calls the frame afterwards; the frame reaches its window by name.

#include <QString>

#include <optional>

class QWidget;

namespace quellor {

struct FrameServer {
    QString libraryPath;
    QString clsid;
};

// Where an installed program finds the frame library: the library folder of its prefix.
QString installedFrameLibraryFolder(const QString& programDir);

// The frame library this program ships with: the one beside it (a build tree), else the one in
// the library folder (an installed copy). A path that need not exist when neither holds one.
QString shippedFrameLibrary(const QString& programDir);

// Where the frame class is served from: the class store first, then the library the program
// ships with (its class identifier read from the library's metadata).
std::optional<FrameServer> findFrameServer(const QString& programDir);

// Creates the frame of `host` from the stored layout `layoutName` (e.g. "Form4"), covering the
// host's client area and following its size; the library is looked for as findFrameServer does.
// Returns null, leaving the window working without a frame, when the library or the layout
// cannot be had.
QWidget* attachFrame(QWidget* host, const QString& layoutName, const QString& programDir);

} // namespace quellor
