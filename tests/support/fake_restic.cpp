#include "fake_restic.h"

#include <QDir>
#include <QFile>

namespace keldoran {

FakeRestic::FakeRestic() {
    QDir(directory_.path()).mkpath(QStringLiteral("bin"));
    QFile::link(QStringLiteral(KELDORAN_FAKE_RESTIC), directory_.filePath(QStringLiteral("bin/restic")));
}

QString FakeRestic::binaryDirectory() const {
    return directory_.filePath(QStringLiteral("bin"));
}

void FakeRestic::step(int call, const QString& bash) {
    QFile file(directory_.filePath(QStringLiteral("step-%1").arg(call)));
    file.open(QIODevice::WriteOnly);
    file.write(bash.toUtf8());
}

void FakeRestic::defaultStep(const QString& bash) {
    QFile file(directory_.filePath(QStringLiteral("default")));
    file.open(QIODevice::WriteOnly);
    file.write(bash.toUtf8());
}

void FakeRestic::respond(const QMap<QString, QString>& byCommand) {
    QString script = QStringLiteral("case \"$1\" in\n");
    for (auto it = byCommand.cbegin(); it != byCommand.cend(); ++it) {
        script += QStringLiteral("  %1)\n%2\n  ;;\n").arg(it.key(), it.value());
    }
    defaultStep(script + QStringLiteral("esac\n"));
}

QByteArray FakeRestic::read(const QString& name) const {
    QFile file(directory_.filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int FakeRestic::callCount() const {
    return read(QStringLiteral("count")).trimmed().toInt();
}

QStringList FakeRestic::arguments(int call) const {
    QStringList arguments;
    for (const auto& argument : read(QStringLiteral("call-%1.argv").arg(call)).split('\0')) {
        arguments.append(QString::fromUtf8(argument));
    }
    arguments.removeLast(); // after the final NUL
    return arguments;
}

QStringList FakeRestic::latestArguments(const QString& command) const {
    for (int call = callCount(); call > 0; --call) {
        auto candidate = arguments(call);
        if (!candidate.isEmpty() && candidate.first() == command) {
            return candidate;
        }
    }
    return {};
}

QMap<QString, QString> FakeRestic::environment(int call) const {
    QMap<QString, QString> environment;
    for (const auto& entry : read(QStringLiteral("call-%1.env").arg(call)).split('\0')) {
        const auto equals = entry.indexOf('=');
        if (equals > 0) {
            environment.insert(QString::fromUtf8(entry.left(equals)),
                               QString::fromUtf8(entry.mid(equals + 1)));
        }
    }
    return environment;
}

int FakeRestic::interruptsReceived(int call) const {
    return int(read(QStringLiteral("call-%1.signals").arg(call)).count('\n'));
}

bool FakeRestic::isWaiting(int call) const {
    return QFile::exists(directory_.filePath(QStringLiteral("call-%1.waiting").arg(call)));
}

ResticProcess FakeRestic::process(const ResticRepository& repository, QProcessEnvironment inherited,
                                  bool withCachesFolder) const {
    inherited.insert(QStringLiteral("FAKE_RESTIC_DIR"), directory_.path());
    std::optional<QString> caches;
    if (withCachesFolder) {
        caches = directory_.filePath(QStringLiteral("cache"));
    }
    return ResticProcess(ResticBinary{QDir(binaryDirectory()).filePath(QStringLiteral("restic"))}, repository,
                         ResticProcess::Context{inherited, caches});
}

ResticRepository FakeRestic::testRepository() {
    return ResticRepository::s3(QStringLiteral("https://s3.fr-par.scw.cloud"), QStringLiteral("fr-par"),
                                QStringLiteral("backups"), QStringLiteral("AKIATEST"),
                                QStringLiteral("secret-key"), QStringLiteral("repository password"));
}

} // namespace keldoran
