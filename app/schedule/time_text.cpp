// SPDX-License-Identifier: MIT

#include "time_text.h"

#include <QRegularExpression>

namespace quellor {

namespace {

constexpr int kLongestCountdown = 24 * 60;
constexpr qsizetype kQuotedLength = 64;

QString twoDigits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

QString clockText(int second) {
    return twoDigits(second / 3600) + QLatin1Char(':') + twoDigits(second / 60 % 60) + QLatin1Char(':') +
           twoDigits(second % 60);
}

} // namespace

std::optional<QString> timeOfDay(const QString& text) {
    // Anchored at the very end: '$' alone would let a final line break through.
    static const QRegularExpression form(
        QRegularExpression::anchoredPattern(QStringLiteral("([0-9]{1,2}):([0-9]{2})(?::([0-9]{2}))?")));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch()) {
        return std::nullopt;
    }
    const int h = m.captured(1).toInt();
    const int min = m.captured(2).toInt();
    const int s = m.captured(3).isEmpty() ? 0 : m.captured(3).toInt();
    if (h > 23 || min > 59 || s > 59) {
        return std::nullopt;
    }
    return clockText(h * 3600 + min * 60 + s);
}

std::optional<int> countdownMinutes(const QString& text) {
    static const QRegularExpression form(
        QRegularExpression::anchoredPattern(QStringLiteral("\\+([0-9]{1,4})")));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch()) {
        return std::nullopt;
    }
    const int minutes = m.captured(1).toInt();
    if (minutes < 1 || minutes > kLongestCountdown) {
        return std::nullopt;
    }
    return minutes;
}

std::optional<QString> requestedTime(const QString& text, const QDateTime& now) {
    if (const std::optional<int> minutes = countdownMinutes(text)) {
        return clockText(now.addSecs(qint64(*minutes) * 60).time().msecsSinceStartOfDay() / 1000);
    }
    return timeOfDay(text);
}

std::optional<int> secondOfDay(const QString& text) {
    if (text.size() != 8 || timeOfDay(text) != text) {
        return std::nullopt;
    }
    return text.left(2).toInt() * 3600 + text.mid(3, 2).toInt() * 60 + text.right(2).toInt();
}

bool isClockTime(const QString& text) {
    return secondOfDay(text).has_value();
}

QString shortened(const QString& text) {
    QString out;
    qsizetype i = 0;
    for (; i < text.size() && out.size() < kQuotedLength; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\n')) {
            out += QLatin1String("\\n");
        } else if (c.category() == QChar::Other_Control) {
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        } else {
            out += c;
        }
    }
    return i < text.size() ? out + QStringLiteral("…") : out;
}

QString quoted(const QString& text) {
    return QLatin1Char('"') + shortened(text) + QLatin1Char('"');
}

QString notATime(const QString& text) {
    return QStringLiteral("%1 is not a time of day (HH:MM or HH:MM:SS, 24-hour, or +MINUTES)")
        .arg(quoted(text));
}

} // namespace quellor
