// Helpers for bench/backup.sh.
//   backup_bench make-tree DIR FILES BYTES   FILES random (incompressible) files totalling about BYTES
//   backup_bench excludes HOME               the --exclude arguments Keldoran passes for HOME, one per line
#include "model/preferences.h"
#include "platform/ini_settings_store.h"
#include "scope/backup_scope.h"

#include <cstdio>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

using namespace keldoran;

namespace {

int makeTree(const QString& root, int files, qint64 bytes) {
    const qint64 average = bytes / files;
    auto* random = QRandomGenerator::global();
    QByteArray buffer;
    for (int i = 0; i < files; ++i) {
        const auto folder = QStringLiteral("%1/folder-%2").arg(root).arg(i / 200, 3, 10, QLatin1Char('0'));
        if (i % 200 == 0) {
            QDir().mkpath(folder);
        }
        // Sizes spread between half and one and a half times the average.
        const qint64 size = average / 2 + qint64(random->bounded(quint64(average)));
        buffer.resize(size - size % 4);
        random->fillRange(reinterpret_cast<quint32*>(buffer.data()), buffer.size() / 4);
        QFile file(QStringLiteral("%1/file-%2.bin").arg(folder).arg(i, 5, 10, QLatin1Char('0')));
        if (!file.open(QIODevice::WriteOnly) || file.write(buffer) != buffer.size()) {
            return 1;
        }
    }
    return 0;
}

int printExcludes(const QString& home) {
    QTemporaryDir folder;
    IniSettingsStore settings(IniSettingsStore::standardPath(folder.path()));
    const auto preferences = Preferences::loadReconciled(settings);
    BackupScope scope(settings, home);
    for (const auto& exclude : scope.effectiveExcludes(preferences.excludes)) {
        std::printf("%s\n", exclude.toUtf8().constData());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const auto arguments = application.arguments();
    if (arguments.value(1) == QLatin1String("make-tree") && arguments.size() == 5) {
        return makeTree(arguments[2], arguments[3].toInt(), arguments[4].toLongLong());
    }
    if (arguments.value(1) == QLatin1String("excludes") && arguments.size() == 3) {
        return printExcludes(arguments[2]);
    }
    std::fprintf(stderr, "usage: see the comment at the top of backup_bench.cpp\n");
    return 2;
}
