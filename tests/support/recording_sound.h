// SPDX-License-Identifier: MIT

#pragma once
#include "media_player.h"

#include <QStringList>

namespace quellor {

// Records what every media player was told, as "Player2 open /dir/4.wav", "Player1 play", "Player halt".
class RecordingSound : public SoundOutput {
public:
    std::unique_ptr<SoundChannel> createChannel(const QString& name) override;

    QStringList log;
    // Entries for files whose name ends in `file` (e.g. "4.wav") opened by any player.
    int opened(const QString& file) const;
    void clear() { log.clear(); }
};

} // namespace quellor
