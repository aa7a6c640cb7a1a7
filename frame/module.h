#pragma once
// SPDX-License-Identifier: MIT
// The library's count of live objects and server locks, which decides whether it may be unloaded.

namespace vantrel::module {

void objectCreated();
void objectDestroyed();
void lock();
void unlock();
// True while any object or lock is alive.
bool inUse();

} // namespace vantrel::module
