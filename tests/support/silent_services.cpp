// SPDX-License-Identifier: MIT

#include "silent_services.h"

#include <cstdio>

namespace quellor {

namespace {
class SilentChannel : public SoundChannel {
public:
    void load(const QString&) override {}
    void play() override {}
    void halt() override {}
};
} // namespace

std::unique_ptr<SoundChannel> SilentSound::createChannel(const QString&) {
    return std::make_unique<SilentChannel>();
}

void NoMessages::show(QWidget*, const MessageRequest& request) {
    if (m_program) {
        std::fprintf(stderr, "%s: message box \"%s\"\n", m_program, qPrintable(request.text));
    }
}

} // namespace quellor
