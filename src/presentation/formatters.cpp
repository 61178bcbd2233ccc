#include "formatters.h"

#include <cmath>
#include <QCoreApplication>
#include <QLocale>

namespace keldoran {

namespace Formatters {
namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(Formatters)
};

QString trimmedNumber(double value, int decimals) {
    auto text = QLocale().toString(value, 'f', decimals);
    const QChar point = QLocale().decimalPoint().at(0);
    if (text.contains(point)) {
        while (text.endsWith(QLatin1Char('0'))) {
            text.chop(1);
        }
        if (text.endsWith(point)) {
            text.chop(1);
        }
    }
    return text;
}

} // namespace

QString byteCount(qint64 bytes) {
    if (bytes <= 0) {
        return Text::tr("Zero KB");
    }
    const auto value = double(bytes);
    if (value >= 1e12) {
        return Text::tr("%1 TB").arg(trimmedNumber(value / 1e12, 2));
    }
    if (value >= 1e9) {
        return Text::tr("%1 GB").arg(trimmedNumber(value / 1e9, 2));
    }
    if (value >= 1e6) {
        return Text::tr("%1 MB").arg(trimmedNumber(value / 1e6, 1));
    }
    return Text::tr("%1 KB").arg(trimmedNumber(std::max(value / 1e3, 1.0), 0));
}

QString relativeTime(const QDateTime& date, const QDateTime& now) {
    // Whole units with the plural form the count needs, in the interface's language: ICU's formatter
    // follows the process locale, which mixed languages into sentences and, in the C locale, said
    // "1 minutes ago".
    const qint64 seconds = now.secsTo(date); // negative in the past
    const qint64 magnitude = std::llabs(seconds);
    struct Step {
        qint64 size;
        const char* past;
        const char* future;
    };
    static constexpr Step steps[] = {{31536000, QT_TRANSLATE_N_NOOP("Formatters", "%Ln years ago"),
                                      QT_TRANSLATE_N_NOOP("Formatters", "in %Ln years")},
                                     {2592000, QT_TRANSLATE_N_NOOP("Formatters", "%Ln months ago"),
                                      QT_TRANSLATE_N_NOOP("Formatters", "in %Ln months")},
                                     {604800, QT_TRANSLATE_N_NOOP("Formatters", "%Ln weeks ago"),
                                      QT_TRANSLATE_N_NOOP("Formatters", "in %Ln weeks")},
                                     {86400, QT_TRANSLATE_N_NOOP("Formatters", "%Ln days ago"),
                                      QT_TRANSLATE_N_NOOP("Formatters", "in %Ln days")},
                                     {3600, QT_TRANSLATE_N_NOOP("Formatters", "%Ln hours ago"),
                                      QT_TRANSLATE_N_NOOP("Formatters", "in %Ln hours")},
                                     {60, QT_TRANSLATE_N_NOOP("Formatters", "%Ln minutes ago"),
                                      QT_TRANSLATE_N_NOOP("Formatters", "in %Ln minutes")},
                                     {1, QT_TRANSLATE_N_NOOP("Formatters", "%Ln seconds ago"),
                                      QT_TRANSLATE_N_NOOP("Formatters", "in %Ln seconds")}};
    for (const auto& step : steps) {
        if (magnitude >= step.size || step.size == 1) {
            return Text::tr(seconds < 0 ? step.past : step.future, nullptr, int(magnitude / step.size));
        }
    }
    return {};
}

QString compactTimeUntil(const QDateTime& date, const QDateTime& now) {
    const qint64 minutes = std::max<qint64>(0, now.secsTo(date) / 60);
    if (minutes <= 59) {
        return Text::tr("in %1 min").arg(minutes);
    }
    return Text::tr("in %1 h").arg(minutes / 60);
}

QString timeLeft(qint64 seconds) {
    if (seconds < 60) {
        return Text::tr("less than a minute left");
    }
    if (seconds < 90 * 60) {
        return Text::tr("about %Ln minutes left", nullptr, int((seconds + 30) / 60));
    }
    return Text::tr("about %Ln hours left", nullptr, int((seconds + 1800) / 3600));
}

QString shortTime(const QDateTime& date) {
    // The C locale's short format carries seconds.
    if (QLocale().language() == QLocale::C) {
        return date.toLocalTime().time().toString(QStringLiteral("HH:mm"));
    }
    return QLocale().toString(date.toLocalTime().time(), QLocale::ShortFormat);
}

QString recentBackupTimestamp(const QDateTime& date, const QDateTime& now) {
    const auto day = date.toLocalTime().date();
    const auto today = now.toLocalTime().date();
    if (day == today) {
        return Text::tr("Today, %1").arg(shortTime(date));
    }
    if (day == today.addDays(-1)) {
        return Text::tr("Yesterday, %1").arg(shortTime(date));
    }
    return QLocale().dayName(day.dayOfWeek(), QLocale::ShortFormat) + QStringLiteral(", ") + shortTime(date);
}

QString modified(const QDateTime& date, const QDateTime& now) {
    const auto day = date.toLocalTime().date();
    const auto today = now.toLocalTime().date();
    if (day == today) {
        return shortTime(date);
    }
    if (day == today.addDays(-1)) {
        return Text::tr("yesterday");
    }
    return relativeTime(date, now);
}

QString count(qint64 value) {
    return value < 0 ? QStringLiteral("—") : QLocale().toString(value);
}

QString euros(double amount) {
    if (!std::isfinite(amount) || amount < 0) {
        return QStringLiteral("—");
    }
    return QLocale().toCurrencyString(amount, QStringLiteral("€"), 2);
}

} // namespace Formatters

} // namespace keldoran
