#include "formatters.h"

#include <cmath>
#include <memory>
#include <QLocale>
#include <unicode/locid.h>
#include <unicode/reldatefmt.h>
#include <unicode/unistr.h>

namespace Formatters {
namespace {

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

// ICU's relative formatter for the user's locale, created once.
const icu::RelativeDateTimeFormatter* relativeFormatter() {
    static const std::unique_ptr<icu::RelativeDateTimeFormatter> formatter = [] {
        UErrorCode status = U_ZERO_ERROR;
        const auto name = QLocale().name().toStdString();
        auto made = std::make_unique<icu::RelativeDateTimeFormatter>(icu::Locale(name.c_str()), status);
        return U_SUCCESS(status) ? std::move(made) : nullptr;
    }();
    return formatter.get();
}

} // namespace

QString byteCount(qint64 bytes) {
    if (bytes <= 0) {
        return QStringLiteral("Zero KB");
    }
    const auto value = double(bytes);
    if (value >= 1e12) {
        return trimmedNumber(value / 1e12, 2) + QStringLiteral(" TB");
    }
    if (value >= 1e9) {
        return trimmedNumber(value / 1e9, 2) + QStringLiteral(" GB");
    }
    if (value >= 1e6) {
        return trimmedNumber(value / 1e6, 1) + QStringLiteral(" MB");
    }
    return trimmedNumber(std::max(value / 1e3, 1.0), 0) + QStringLiteral(" KB");
}

QString relativeTime(const QDateTime& date, const QDateTime& now) {
    const qint64 seconds = now.secsTo(date); // negative in the past
    const qint64 magnitude = std::llabs(seconds);
    struct Step {
        qint64 size;
        UDateRelativeUnit unit;
    };
    static constexpr Step steps[] = {{31536000, UDAT_RELATIVE_YEARS}, {2592000, UDAT_RELATIVE_MONTHS},
                                     {604800, UDAT_RELATIVE_WEEKS},   {86400, UDAT_RELATIVE_DAYS},
                                     {3600, UDAT_RELATIVE_HOURS},     {60, UDAT_RELATIVE_MINUTES}};
    double amount = double(magnitude);
    UDateRelativeUnit unit = UDAT_RELATIVE_SECONDS;
    for (const auto& step : steps) {
        if (magnitude >= step.size) {
            amount = double(magnitude / step.size);
            unit = step.unit;
            break;
        }
    }
    const auto direction = seconds < 0 ? UDAT_DIRECTION_LAST : UDAT_DIRECTION_NEXT;
    if (const auto* formatter = relativeFormatter()) {
        icu::UnicodeString text;
        UErrorCode status = U_ZERO_ERROR;
        formatter->format(amount, direction, unit, text, status);
        if (U_SUCCESS(status)) {
            return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
        }
    }
    return QString::number(qint64(amount));
}

QString compactTimeUntil(const QDateTime& date, const QDateTime& now) {
    const qint64 minutes = std::max<qint64>(0, now.secsTo(date) / 60);
    if (minutes <= 59) {
        return QStringLiteral("in %1 min").arg(minutes);
    }
    return QStringLiteral("in %1 h").arg(minutes / 60);
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
        return QStringLiteral("Today, ") + shortTime(date);
    }
    if (day == today.addDays(-1)) {
        return QStringLiteral("Yesterday, ") + shortTime(date);
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
        return QStringLiteral("yesterday");
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
