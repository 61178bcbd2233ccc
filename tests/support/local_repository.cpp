#include "local_repository.h"

#include "support/coroutines.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace keldoran {

LocalRepository::LocalRepository() = default;

QString LocalRepository::scratch(const QString& name) const {
    const auto folder = directory_.filePath(name);
    QDir().mkpath(folder);
    return folder;
}

ResticProcess LocalRepository::process(const QString& repositoryPassword) const {
    ResticRepository repository;
    repository.location = path();
    repository.password = ResticRepository::PasswordValue{repositoryPassword};
    return ResticProcess(
        realRestic(), repository,
        ResticProcess::Context{QProcessEnvironment::systemEnvironment(), scratch(QStringLiteral("cache"))});
}

Restic LocalRepository::restic(const QString& repositoryPassword) const {
    return Restic(process(repositoryPassword));
}

void LocalRepository::initialise() const {
    const auto result = await(restic().initRepository());
    ASSERT_EQ(result.messageType, QStringLiteral("initialized"));
}

ResticBinary realRestic() {
    const auto binary = ResticBinary::locate(QCoreApplication::applicationDirPath());
    if (!binary) {
        ADD_FAILURE() << "no restic beside the test executable; run scripts/setup and rebuild";
        return {};
    }
    return *binary;
}

void writeFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(content);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace keldoran
