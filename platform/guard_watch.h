#pragma once
// SPDX-License-Identifier: MIT
// What the lock's guard makes of the program's socket. While locked the program sends a beat
// every second from its GUI thread; "unlock" followed by the end of the socket is a normal unlock,
// the end without it the program's death. A program that stops beating for a few seconds (stopped,
// or its GUI thread hung) can no longer put its lock back when another client takes it away, so it
// counts as dead until it beats again. Plain C++: the guard's loop feeds it bytes and times.

#include <cstdint>
#include <string>
#include <string_view>

namespace quellor {

namespace guard_protocol {
inline constexpr char kUnlock[] = "unlock";
inline constexpr char kBeat = '.';
inline constexpr int kBeatMs = 1000;
inline constexpr int kSilenceMs = 4000; // beats missed before the program counts as stalled
} // namespace guard_protocol

class GuardWatch {
public:
    enum class Verdict {
        Watching,  // nothing to do
        Unlocked,  // a normal unlock: the guard ends quietly
        Ended,     // the program went while locked
        Stalled,   // the program stopped beating; told once per stall
        Answering, // a stalled program beats again
    };

    explicit GuardWatch(std::int64_t nowMs) : m_lastMs(nowMs) {}

    // Bytes from the program at `nowMs`; none is the end of its socket.
    Verdict heard(std::string_view bytes, std::int64_t nowMs);
    // No bytes came by `nowMs`.
    Verdict silent(std::int64_t nowMs);
    // How long to wait for bytes before silent() is due; -1: for as long as it takes.
    int waitMs(std::int64_t nowMs) const;

private:
    std::string m_said; // what the program said besides its beats, no longer than "unlock" and one
    std::int64_t m_lastMs;
    bool m_stalled = false;
};

} // namespace quellor
