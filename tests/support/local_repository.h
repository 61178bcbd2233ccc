#pragma once

#include "restic/restic.h"

#include <QTemporaryDir>

namespace keldoran {

/// A real restic repository in a temporary folder, run by the real restic that the build links beside
/// the test executables.
class LocalRepository {
public:
    static constexpr const char* password = "test-password-1";

    LocalRepository();

    QString path() const { return directory_.filePath(QStringLiteral("repository")); }
    /// A scratch folder that lives as long as the repository.
    QString scratch(const QString& name) const;

    ResticProcess process(const QString& repositoryPassword = QString::fromLatin1(password)) const;
    Restic restic(const QString& repositoryPassword = QString::fromLatin1(password)) const;
    /// Runs `restic init`; fails the calling test when it does not succeed.
    void initialise() const;

private:
    QTemporaryDir directory_;
};

/// The real restic beside the test executable.
ResticBinary realRestic();

/// Writes `content` to `path`, creating missing folders.
void writeFile(const QString& path, const QByteArray& content);
QByteArray readFile(const QString& path);

} // namespace keldoran
