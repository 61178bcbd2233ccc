#include "restic_repository.h"

namespace keldoran {

QMap<QString, QString> ResticRepository::environment() const {
    auto variables = additionalEnvironment;
    variables.insert(QStringLiteral("RESTIC_REPOSITORY"), location);
    if (const auto* value = std::get_if<PasswordValue>(&password)) {
        variables.insert(QStringLiteral("RESTIC_PASSWORD"), value->value);
    } else if (const auto* file = std::get_if<PasswordFile>(&password)) {
        variables.insert(QStringLiteral("RESTIC_PASSWORD_FILE"), file->path);
    } else if (const auto* command = std::get_if<PasswordCommand>(&password)) {
        variables.insert(QStringLiteral("RESTIC_PASSWORD_COMMAND"), command->command);
    }
    return variables;
}

ResticRepository ResticRepository::s3(const QString& endpointUrl, const QString& regionCode,
                                      const QString& bucket, const QString& accessKey,
                                      const QString& secretKey, const QString& password) {
    ResticRepository repository;
    repository.location = QStringLiteral("s3:") + endpointUrl + QLatin1Char('/') + bucket;
    repository.password = PasswordValue{password};
    repository.additionalEnvironment = {
        {QStringLiteral("AWS_ACCESS_KEY_ID"), accessKey},
        {QStringLiteral("AWS_SECRET_ACCESS_KEY"), secretKey},
        {QStringLiteral("AWS_DEFAULT_REGION"), regionCode},
    };
    return repository;
}

} // namespace keldoran
