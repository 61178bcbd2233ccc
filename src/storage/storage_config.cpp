#include "storage_config.h"

#include "bucket_name.h"
#include "custom_endpoint.h"
#include "model/settings_keys.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace keldoran {

QByteArray StorageConfig::encoded() const {
    QJsonObject object{
        {QStringLiteral("provider"), rawValue(region.provider)},
        {QStringLiteral("region"), region.code},
        {QStringLiteral("bucket"), bucket},
    };
    if (region.provider == StorageProviderId::custom) {
        object.insert(QStringLiteral("endpoint"), region.endpointUrl());
        if (region.pathStyle) {
            object.insert(QStringLiteral("pathStyle"), true);
        }
    }
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<StorageConfig> StorageConfig::decoded(const QByteArray& json, QString* error) {
    auto fail = [error](const QString& reason) -> std::optional<StorageConfig> {
        if (error) {
            *error = reason;
        }
        return std::nullopt;
    };
    const auto document = QJsonDocument::fromJson(json);
    if (!document.isObject()) {
        return fail(QStringLiteral("not a JSON object"));
    }
    const auto object = document.object();
    for (const char* key : {"provider", "region", "bucket"}) {
        if (!object.value(QLatin1String(key)).isString()) {
            return fail(QStringLiteral("no text for \"%1\"").arg(QLatin1String(key)));
        }
    }
    const auto providerText = object.value(QLatin1String("provider")).toString();
    const auto providerId = storageProviderIdFromRaw(providerText);
    if (!providerId) {
        return fail(QStringLiteral("unknown provider %1").arg(providerText));
    }
    const auto code = object.value(QLatin1String("region")).toString();
    const auto endpoint = object.value(QLatin1String("endpoint"));
    std::optional<StorageRegion> region;
    if (*providerId == StorageProviderId::custom) {
        if (!endpoint.isString()) {
            return fail(QStringLiteral("no text for \"endpoint\""));
        }
        auto custom = CustomEndpoint::region(endpoint.toString(), code,
                                             object.value(QLatin1String("pathStyle")).toBool(false));
        if (const auto* problem = std::get_if<QString>(&custom)) {
            return fail(QStringLiteral("endpoint %1: %2").arg(endpoint.toString(), *problem));
        }
        region = std::get<StorageRegion>(custom);
    } else {
        if (!endpoint.isUndefined()) {
            // Silently ignored, it would send the backup somewhere the user did not choose.
            return fail(QStringLiteral("%1 takes no endpoint").arg(providerText));
        }
        region = StorageProvider::withId(*providerId).region(code);
    }
    if (!region) {
        return fail(QStringLiteral("%1 has no region %2").arg(providerText, code));
    }
    const auto bucket = object.value(QLatin1String("bucket")).toString();
    if (!isValidBucketName(bucket)) {
        return fail(QStringLiteral("bucket name \"%1\" is not a valid S3 bucket name").arg(bucket));
    }
    return StorageConfig{*region, bucket};
}

std::optional<StorageConfig> StorageConfig::load(const SettingsStore& settings) {
    const auto blob = settings.dataValue(SettingsKeys::storageConfig);
    return blob ? decoded(*blob) : std::nullopt;
}

void StorageConfig::save(SettingsStore& settings) const {
    settings.setValue(SettingsKeys::storageConfig, encoded());
}

StorageProvider StorageConfig::provider() const {
    return region.provider == StorageProviderId::custom ? StorageProvider::custom(region)
                                                        : StorageProvider::withId(region.provider);
}

QString StorageConfig::endpointUrl(const std::optional<QString>& endpointOverride) const {
    return endpointOverride ? QStringLiteral("https://") + *endpointOverride : region.endpointUrl();
}

ResticRepository StorageConfig::repository(const QString& accessKey, const QString& secretKey,
                                           const QString& password,
                                           const std::optional<QString>& endpointOverride) const {
    auto repository = ResticRepository::s3(endpointUrl(endpointOverride), region.code, bucket, accessKey,
                                           secretKey, password);
    if (region.pathStyle) {
        repository.options = {QStringLiteral("-o"), QStringLiteral("s3.bucket-lookup=path")};
    }
    return repository;
}

} // namespace keldoran
