// SPDX-License-Identifier: MIT

#pragma once
#include "message_box.h"

#include <QList>
#include <functional>

namespace quellor {

// Records every message box instead of showing it; an optional hook runs "while it is open".
class RecordingMessages : public MessageBoxes {
public:
    void show(QWidget* parent, const MessageRequest& request) override;

    QList<MessageRequest> shown;
    std::function<void(const MessageRequest&)> onShow;
};

} // namespace quellor
