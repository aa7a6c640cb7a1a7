// SPDX-License-Identifier: MIT

#include "guard_watch.h"

#include <algorithm>
#include <utility>

namespace quellor {

GuardWatch::Verdict GuardWatch::heard(std::string_view bytes, std::int64_t nowMs) {
    if (bytes.empty()) {
        return m_said == guard_protocol::kUnlock ? Verdict::Unlocked : Verdict::Ended;
    }
    m_lastMs = nowMs;
    for (char c : bytes) {
        if (c != guard_protocol::kBeat && m_said.size() <= sizeof guard_protocol::kUnlock) {
            m_said.push_back(c);
        }
    }
    return std::exchange(m_stalled, false) ? Verdict::Answering : Verdict::Watching;
}

GuardWatch::Verdict GuardWatch::silent(std::int64_t nowMs) {
    if (m_stalled || nowMs - m_lastMs < guard_protocol::kSilenceMs) {
        return Verdict::Watching;
    }
    m_stalled = true;
    return Verdict::Stalled;
}

int GuardWatch::waitMs(std::int64_t nowMs) const {
    if (m_stalled) {
        return -1;
    }
    return static_cast<int>(std::clamp<std::int64_t>(guard_protocol::kSilenceMs - (nowMs - m_lastMs), 0,
                                                     guard_protocol::kSilenceMs));
}

} // namespace quellor
