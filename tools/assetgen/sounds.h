#pragma once
// SPDX-License-Identifier: MIT
// The program's wave cues, named by the file each is played from.

#include <QString>
#include <cstdint>
#include <vector>

namespace assetgen {

struct Cue {
    QString fileName;
    int sampleRate;
    std::vector<std::int16_t> samples;
};

std::vector<Cue> makeCues();

} // namespace assetgen
