#include "backup_warning.h"

#include "base/raw_values.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace keldoran {

namespace {

constexpr RawValues kinds{std::array{std::pair{BackupWarning::Kind::privacyProtected, "privacyProtected"},
                                     std::pair{BackupWarning::Kind::permissionDenied, "permissionDenied"},
                                     std::pair{BackupWarning::Kind::vanished, "vanished"},
                                     std::pair{BackupWarning::Kind::other, "other"}}};

} // namespace

QString BackupWarning::rawValue(Kind kind) {
    return kinds.text(kind);
}

std::optional<BackupWarning::Kind> BackupWarning::kindFromRaw(const QString& raw) {
    return kinds.parse(raw);
}

QByteArray BackupWarning::encodeList(const QList<BackupWarning>& warnings) {
    QJsonArray array;
    for (const auto& warning : warnings) {
        QJsonObject object{{QStringLiteral("kind"), rawValue(warning.kind)}};
        if (warning.path) {
            object.insert(QStringLiteral("path"), *warning.path);
        }
        array.append(object);
    }
    return QJsonDocument(array).toJson(QJsonDocument::Compact);
}

QList<BackupWarning> BackupWarning::decodeList(const QByteArray& json) {
    const auto document = QJsonDocument::fromJson(json);
    if (!document.isArray()) {
        return {};
    }
    QList<BackupWarning> warnings;
    for (const auto& element : document.array()) {
        const auto object = element.toObject();
        const auto kind = kindFromRaw(object.value(QLatin1String("kind")).toString());
        const auto path = object.value(QLatin1String("path"));
        if (!element.isObject() || !kind || !(path.isUndefined() || path.isNull() || path.isString())) {
            return {};
        }
        warnings.append({*kind, path.isString() ? std::optional<QString>(path.toString()) : std::nullopt});
    }
    return warnings;
}

} // namespace keldoran
