#pragma once
// SPDX-License-Identifier: MIT
// The alarm music a command names, as a path the running program can be handed. The session bus
// carries only UTF-8, so a file whose name is not (an old Latin-1 or GBK name) is handed over
// as a link to it under a name that is, in the user's runtime folder.

#include <QByteArray>
#include <QString>

namespace quellor {

struct MusicPath {
    QString path;    // absolute
    QString problem; // why it cannot be the alarm's music; empty when it can
};

// `argument` as given; relative to `workingDir` unless absolute.
MusicPath musicPathFor(const QByteArray& argument, const QByteArray& workingDir);

} // namespace quellor
