#include "settings_file.h"

#include "state_file.h"

#include <limits>

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
    const std::optional<qint64> stored = read();
    // A missing file, or one that holds no number, is a first run.
    if (!stored) {
        return TimerAction::ShutDown;
    }
    for (TimerAction action : {TimerAction::ShutDown, TimerAction::Restart, TimerAction::LogOff}) {
        if (*stored == static_cast<qint64>(action)) {
            return action;
        }
    }
    return TimerAction::Wait;
}

std::optional<qint64> SettingsFile::parseFirstLine(const QByteArray& content) {
    qsizetype end = 0;
    while (end < content.size() && content[end] != '\r' && content[end] != '\n') {
        ++end;
    }
    qsizetype i = 0;
    while (i < end && isBlank(content[i])) {
        ++i;
    }
    while (end > i && isBlank(content[end - 1])) {
        --end;
    }

    bool negative = false;
    if (i < end && (content[i] == '+' || content[i] == '-')) {
        negative = content[i] == '-';
        ++i;
    }
    if (i == end) {
        return std::nullopt;
    }
    // Saturate rather than overflow: any huge number is still "some other number".
    constexpr qint64 kMax = std::numeric_limits<qint64>::max();
    qint64 value = 0;
    for (; i < end; ++i) {
        const char c = content[i];
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        const int digit = c - '0';
        value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    return negative ? -value : value;
}

std::optional<qint64> SettingsFile::read() const {
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
