#pragma once
// SPDX-License-Identifier: MIT
// The forms name their faces as Windows knows them ("宋体", "幼圆", "Tahoma"). Where those faces
// are not installed, each name stands for the closest face that is: a Song (Ming) serif for the
// Song faces, a CJK sans for the round one, a Latin sans for the Windows sans faces; then any CJK
// face, so Chinese text never lands in a face without its glyphs or with taller lines.

#include <QStringList>

namespace quellor {

// The installed faces tried, in order, for a face the forms name; empty for a name not known here.
QStringList faceSubstitutes(const QString& windowsName);

// Registers those substitutions for the whole program; once, at start, before any window.
void installFaceSubstitutions();

} // namespace quellor
