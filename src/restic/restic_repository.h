#pragma once

#include <QMap>
#include <QString>
#include <variant>

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

    /// The variables restic must see on top of the inherited environment.
    QMap<QString, QString> environment() const;

    /// The S3 repository "s3:https://<endpoint host>/<bucket>" opened with the three secrets.
    static ResticRepository s3(const QString& endpointHost, const QString& regionCode, const QString& bucket,
                               const QString& accessKey, const QString& secretKey, const QString& password);
};
