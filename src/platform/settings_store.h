#pragma once

#include <optional>
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVariant>

namespace keldoran {

/// A key whose readers share one default: the value that applies while it is absent or unreadable.
template <typename T> struct SettingWithDefault {
    QString key;
    T fallback;

    // Writing, removing and inspecting the stored value use the key itself.
    operator const QString&() const { return key; }
};

/// The application's persisted settings: one key per value. A stored value that cannot be read as the
/// requested type counts as absent, so its default applies.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual QVariant value(const QString& key) const = 0;
    virtual bool contains(const QString& key) const = 0;
    virtual void setValue(const QString& key, const QVariant& value) = 0;
    virtual void remove(const QString& key) = 0;
    /// Removes every key and the store itself (app removal).
    virtual void removeAll() = 0;

    std::optional<bool> boolValue(const QString& key) const;
    std::optional<qint64> integerValue(const QString& key) const;
    std::optional<QString> stringValue(const QString& key) const;
    std::optional<QDateTime> dateValue(const QString& key) const;
    std::optional<QByteArray> dataValue(const QString& key) const;

    bool read(const SettingWithDefault<bool>& setting) const {
        return boolValue(setting.key).value_or(setting.fallback);
    }
    qint64 read(const SettingWithDefault<qint64>& setting) const {
        return integerValue(setting.key).value_or(setting.fallback);
    }
};

} // namespace keldoran
