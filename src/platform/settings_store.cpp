#include "settings_store.h"

namespace keldoran {

// An INI file keeps only text for plain values, so "true" and "42" come back as strings.
std::optional<bool> SettingsStore::boolValue(const QString& key) const {
    const auto stored = value(key);
    if (stored.typeId() == QMetaType::Bool) {
        return stored.toBool();
    }
    if (stored.typeId() == QMetaType::QString) {
        const auto text = stored.toString();
        if (text == QLatin1String("true")) {
            return true;
        }
        if (text == QLatin1String("false")) {
            return false;
        }
    }
    return std::nullopt;
}

std::optional<qint64> SettingsStore::integerValue(const QString& key) const {
    const auto stored = value(key);
    switch (stored.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
        return stored.toLongLong();
    case QMetaType::QString: {
        bool ok = false;
        const auto number = stored.toString().toLongLong(&ok);
        return ok ? std::optional<qint64>(number) : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

std::optional<QString> SettingsStore::stringValue(const QString& key) const {
    const auto stored = value(key);
    return stored.typeId() == QMetaType::QString ? std::optional<QString>(stored.toString()) : std::nullopt;
}

std::optional<QDateTime> SettingsStore::dateValue(const QString& key) const {
    const auto stored = value(key);
    if (stored.typeId() == QMetaType::QDateTime && stored.toDateTime().isValid()) {
        return stored.toDateTime();
    }
    return std::nullopt;
}

std::optional<QByteArray> SettingsStore::dataValue(const QString& key) const {
    const auto stored = value(key);
    return stored.typeId() == QMetaType::QByteArray ? std::optional<QByteArray>(stored.toByteArray())
                                                    : std::nullopt;
}

} // namespace keldoran
