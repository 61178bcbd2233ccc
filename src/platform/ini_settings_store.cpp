#include "ini_settings_store.h"

#include "private_files.h"

#include <QFile>
#include <QFileInfo>

namespace keldoran {

IniSettingsStore::IniSettingsStore(const QString& path)
    : path_(path)
    , settings_(path, QSettings::IniFormat) {
    makePrivate();
}

// The file names folders, a bucket and an endpoint. Qt's writes keep the mode of the file they replace,
// so a file made 0600 before the first write stays 0600.
void IniSettingsStore::makePrivate() const {
    PrivateFiles::makeFolder(QFileInfo(path_).path());
    PrivateFiles::makeFile(path_);
}

QString IniSettingsStore::standardPath(const QString& configurationFolder) {
    return configurationFolder + QStringLiteral("/keldoran/keldoran.conf");
}

// The agent, keldoranctl and the tray application share the file: a read first picks up what another
// process wrote (sync reloads only when the file changed).
QVariant IniSettingsStore::value(const QString& key) const {
    settings_.sync();
    return settings_.value(key);
}

bool IniSettingsStore::contains(const QString& key) const {
    settings_.sync();
    return settings_.contains(key);
}

void IniSettingsStore::setValue(const QString& key, const QVariant& value) {
    if (!QFile::exists(path_)) {
        makePrivate();
    }
    settings_.setValue(key, value);
    settings_.sync();
}

void IniSettingsStore::remove(const QString& key) {
    settings_.remove(key);
    settings_.sync();
}

void IniSettingsStore::removeAll() {
    settings_.clear();
    settings_.sync();
    QFile::remove(path_);
}

} // namespace keldoran
