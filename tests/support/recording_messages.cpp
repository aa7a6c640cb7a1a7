// SPDX-License-Identifier: MIT

#include "recording_messages.h"

namespace quellor {

void RecordingMessages::show(QWidget*, const MessageRequest& request) {
    shown.append(request);
    if (onShow) {
        onShow(request);
    }
}

} // namespace quellor
