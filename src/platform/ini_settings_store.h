#pragma once

#include "settings_store.h"

#include <QSettings>

namespace keldoran {

/// Settings in an INI file; the live one is $XDG_CONFIG_HOME/keldoran/keldoran.conf.
class IniSettingsStore : public SettingsStore {
public:
    explicit IniSettingsStore(const QString& path);

    /// The file of the user's own configuration folder.
    static QString standardPath(const QString& configurationFolder);

    QVariant value(const QString& key) const override;
    bool contains(const QString& key) const override;
    void setValue(const QString& key, const QVariant& value) override;
    void remove(const QString& key) override;
    void removeAll() override;

private:
    void makePrivate() const;

    QString path_;
    mutable QSettings settings_;
};

} // namespace keldoran
