// SPDX-License-Identifier: MIT

#include "module.h"

#include <atomic>

namespace vantrel::module {

namespace {
std::atomic<int>& objects() {
    static std::atomic<int> count{0};
    return count;
}
std::atomic<int>& locks() {
    static std::atomic<int> count{0};
    return count;
}
} // namespace

void objectCreated() {
    ++objects();
}

void objectDestroyed() {
    --objects();
}

void lock() {
    ++locks();
}

void unlock() {
    // An unbalanced unlock from a careless host must not make the count negative.
    int current = locks().load();
    while (current > 0 && !locks().compare_exchange_weak(current, current - 1)) {
    }
}

bool inUse() {
    return objects().load() > 0 || locks().load() > 0;
}

} // namespace vantrel::module
