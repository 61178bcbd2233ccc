#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <variant>

namespace keldoran {

/// Where a repository lives and how restic opens it. restic learns both only from its environment,
/// so no secret ever appears on a command line.
struct ResticRepository {
    struct PasswordValue {
        QString value;
    };
    struct PasswordFile {
        QString path;
    };
    struct PasswordCommand {
        QString command;
    };
    using Password = std::variant<PasswordValue, PasswordFile, PasswordCommand>;

    QString location;
    Password password = PasswordValue{};
    QMap<QString, QString> additionalEnvironment;
    /// restic's options that only a command line can carry ("-o", "s3.bucket-lookup=path"); every
    /// command gets them.
    QStringList options;

    /// The variables restic must see on top of the inherited environment.
    QMap<QString, QString> environment() const;

    /// The S3 repository "s3:<endpoint URL>/<bucket>" opened with the three secrets.
    static ResticRepository s3(const QString& endpointUrl, const QString& regionCode, const QString& bucket,
                               const QString& accessKey, const QString& secretKey, const QString& password);
};

} // namespace keldoran
