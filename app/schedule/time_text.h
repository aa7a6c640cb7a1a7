#pragma once
// SPDX-License-Identifier: MIT
// Times of day as the time fields hold them ("hh:mm:ss"), the forms a script may ask for, and
// how a bad argument is quoted back.

#include <QDateTime>
#include <QString>

#include <optional>

namespace quellor {

// "hh:mm:ss" from H:MM, HH:MM or HH:MM:SS; nothing for any other form, a value out of range or a
// control character anywhere (a time that would never fire, or a line break smuggled in).
std::optional<QString> timeOfDay(const QString& text);

// Whether `text` is "+N" with N from 1 to 1440: a countdown in minutes.
std::optional<int> countdownMinutes(const QString& text);

// A time a script asks for: a time of day as above, or a countdown, which comes to the time of
// day `now` plus that many minutes. Nothing for anything else.
std::optional<QString> requestedTime(const QString& text, const QDateTime& now);

// Whether the clock ever shows `text`: "hh:mm:ss" within a day.
bool isClockTime(const QString& text);
// Seconds since midnight of a clock time; nothing for a text the clock never shows.
std::optional<int> secondOfDay(const QString& text);

// `text` for a one-line message: control characters escaped and at most a short prefix, so a
// huge or hostile argument is never echoed back whole; quoted() puts it in quotes.
QString shortened(const QString& text);
QString quoted(const QString& text);

// The message refusing `text` as a time.
QString notATime(const QString& text);

} // namespace quellor
