#include "restore_outcome.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {
const char* rawValue(RestoreOutcome::Kind kind) {
    switch (kind) {
    case RestoreOutcome::Kind::succeeded:
        return "succeeded";
    case RestoreOutcome::Kind::incomplete:
        return "incomplete";
    case RestoreOutcome::Kind::failed:
        break;
    }
    return "failed";
}
} // namespace

QString RestoreOutcome::title() const {
    switch (kind) {
    case Kind::succeeded:
        return QStringLiteral("Restore complete");
    case Kind::incomplete:
        return QStringLiteral("Restore incomplete");
    case Kind::failed:
        break;
    }
    return QStringLiteral("Restore failed");
}

QByteArray RestoreOutcome::encoded() const {
    const QJsonObject object{{QStringLiteral("kind"), QLatin1String(rawValue(kind))},
                             {QStringLiteral("finished"), finished.toUTC().toString(Qt::ISODateWithMs)},
                             {QStringLiteral("message"), message}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<RestoreOutcome> RestoreOutcome::decoded(const QByteArray& json) {
    const auto object = QJsonDocument::fromJson(json).object();
    const auto finished =
        QDateTime::fromString(object.value(QLatin1String("finished")).toString(), Qt::ISODateWithMs);
    const auto message = object.value(QLatin1String("message"));
    for (const auto kind : {Kind::succeeded, Kind::incomplete, Kind::failed}) {
        if (object.value(QLatin1String("kind")).toString() == QLatin1String(rawValue(kind)) &&
            finished.isValid() && message.isString()) {
            return RestoreOutcome{kind, finished, message.toString()};
        }
    }
    return std::nullopt;
}
