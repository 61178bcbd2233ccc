#include "restore_outcome.h"

#include "base/raw_values.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace keldoran {

namespace {

constexpr RawValues kinds{std::array{std::pair{RestoreOutcome::Kind::succeeded, "succeeded"},
                                     std::pair{RestoreOutcome::Kind::incomplete, "incomplete"},
                                     std::pair{RestoreOutcome::Kind::failed, "failed"}}};

} // namespace

QString RestoreOutcome::title() const {
    switch (kind) {
    case Kind::succeeded:
        return tr("Restore complete");
    case Kind::incomplete:
        return tr("Restore incomplete");
    case Kind::failed:
        break;
    }
    return tr("Restore failed");
}

QByteArray RestoreOutcome::encoded() const {
    const QJsonObject object{{QStringLiteral("kind"), kinds.text(kind)},
                             {QStringLiteral("finished"), finished.toUTC().toString(Qt::ISODateWithMs)},
                             {QStringLiteral("message"), message}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<RestoreOutcome> RestoreOutcome::decoded(const QByteArray& json) {
    const auto object = QJsonDocument::fromJson(json).object();
    const auto finished =
        QDateTime::fromString(object.value(QLatin1String("finished")).toString(), Qt::ISODateWithMs);
    const auto message = object.value(QLatin1String("message"));
    const auto kind = kinds.parse(object.value(QLatin1String("kind")).toString());
    if (!kind || !finished.isValid() || !message.isString()) {
        return std::nullopt;
    }
    return RestoreOutcome{*kind, finished, message.toString()};
}

} // namespace keldoran
