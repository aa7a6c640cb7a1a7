// SPDX-License-Identifier: MIT

#include "fresh_source_channel.h"

namespace quellor {

FreshSourceChannel::FreshSourceChannel(Factory make, EffectCheck fitsEffect)
    : m_make(std::move(make)), m_fitsEffect(std::move(fitsEffect)) {}

FreshSourceChannel::~FreshSourceChannel() = default;

void FreshSourceChannel::load(const QString& path, bool asEffect) {
    halt();
    m_path = path;
    m_kind = asEffect ? Kind::Effect : Kind::Player;
}

void FreshSourceChannel::play() {
    if (m_path.isEmpty()) {
        return;
    }
    m_playing = true;
    if (m_kind == Kind::Effect && !m_fitsEffect(m_path)) {
        m_kind = Kind::Player;
    }
    start(m_kind);
}

void FreshSourceChannel::halt() {
    m_playing = false;
    for (SoundTarget* t : {m_effect.get(), m_player.get()}) {
        if (t) {
            t->stop();
            t->setSource(QString());
        }
    }
}

void FreshSourceChannel::effectFailed() {
    if (m_kind != Kind::Effect) {
        return;
    }
    m_kind = Kind::Player;
    if (m_playing) {
        start(Kind::Player);
    }
}

void FreshSourceChannel::start(Kind kind) {
    SoundTarget& t = target(kind);
    // Cleared first: an object handed the source it already has would keep what it prepared.
    t.setSource(QString());
    t.setSource(m_path);
    t.play();
}

SoundTarget& FreshSourceChannel::target(Kind kind) {
    std::unique_ptr<SoundTarget>& t = kind == Kind::Effect ? m_effect : m_player;
    if (!t) {
        t = m_make(kind, [this] { effectFailed(); });
    }
    return *t;
}

} // namespace quellor
