// SPDX-License-Identifier: MIT

#include "settings_file.h"

#include "state_file.h"

#include <cmath>

namespace quellor {

namespace {
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
} // namespace

QByteArray SettingsFile::encode(TimerAction action) {
    const int number = static_cast<int>(action);
    if (number < static_cast<int>(TimerAction::ShutDown) || number > static_cast<int>(TimerAction::Wait)) {
        return {};
    }
    QByteArray bytes(" 0 \r\n");
    bytes[1] = static_cast<char>('0' + number);
    return bytes;
}

TimerAction SettingsFile::readChoice() const {
    const std::optional<double> stored = read();
    // A missing file, or one that holds no number, is a first run.
    if (!stored) {
        return TimerAction::ShutDown;
    }
    for (TimerAction action : {TimerAction::ShutDown, TimerAction::Restart, TimerAction::LogOff}) {
        if (*stored == static_cast<double>(action)) {
            return action;
        }
    }
    return TimerAction::Wait;
}

std::optional<double> SettingsFile::parseFirstLine(const QByteArray& content) {
    qsizetype end = 0;
    while (end < content.size() && content[end] != '\r' && content[end] != '\n') {
        ++end;
    }
    qsizetype begin = 0;
    while (begin < end && isBlank(content[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(content[end - 1])) {
        --end;
    }

    // A plain decimal: a sign, digits and at most one point, with a digit somewhere.
    qsizetype i = begin;
    if (i < end && (content[i] == '+' || content[i] == '-')) {
        ++i;
    }
    bool digits = false;
    bool point = false;
    for (; i < end; ++i) {
        const char c = content[i];
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digits) {
        return std::nullopt;
    }
    bool ok = false;
    const double value = content.mid(begin, end - begin).toDouble(&ok);
    // Too many digits for a double still make "some other number".
    return ok ? value : (content[begin] == '-' ? -HUGE_VAL : HUGE_VAL);
}

std::optional<double> SettingsFile::read() const {
    const state_file::ReadResult file = state_file::read(m_path);
    if (file.status != state_file::ReadStatus::Ok) {
        return std::nullopt;
    }
    return parseFirstLine(file.bytes);
}

bool SettingsFile::write(TimerAction action) const {
    const QByteArray bytes = encode(action);
    if (bytes.isEmpty()) {
        return false;
    }
    return state_file::replace(m_path, bytes);
}

} // namespace quellor
