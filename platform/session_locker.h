#pragma once
// Asks logind to lock the program's own session, so the desktop's own locker covers the screen.
// Asynchronous: the answer is awaited without holding up the window, and a refusal is logged.

namespace quellor {

class LogindClient;

void lockOwnSession(LogindClient& logind);

} // namespace quellor
