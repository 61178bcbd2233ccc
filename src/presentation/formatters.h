#pragma once

#include <QDateTime>
#include <QString>

namespace keldoran {

/// The formats every screen (and keldoranctl) shows numbers and times in. Each takes `now` rather than
/// reading the clock.
namespace Formatters {

/// A file-style byte count in KB, MB, GB or TB (powers of 1000): "Zero KB", "12 KB", "3.4 MB", "1.25 GB".
QString byteCount(qint64 bytes);
/// "2 hours ago", "in 3 days" (full units).
QString relativeTime(const QDateTime& date, const QDateTime& now);
/// Whole minutes until `date` (never negative): "in 59 min", then "in 1 h" from 60 minutes on.
QString compactTimeUntil(const QDateTime& date, const QDateTime& now);
/// restic's estimate of the time left: "less than a minute left", "about 3 minutes left",
/// "about 2 hours left".
QString timeLeft(qint64 seconds);
/// "Today, 10:15", "Yesterday, 10:15", otherwise "Mon, 10:15".
QString recentBackupTimestamp(const QDateTime& date, const QDateTime& now);
/// The short time of the user's locale.
QString shortTime(const QDateTime& date);
/// A modification time: the short time today, "yesterday", otherwise relative ("3 days ago").
QString modified(const QDateTime& date, const QDateTime& now);
/// A count with the locale's digit grouping: "183,204".
QString count(qint64 value);
/// Euros in the user's locale.
QString euros(double amount);

} // namespace Formatters

} // namespace keldoran
