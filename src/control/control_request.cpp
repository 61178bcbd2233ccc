#include "control_request.h"

#include <QJsonDocument>
#include <QJsonParseError>

namespace keldoran {

namespace ControlRequest {

std::optional<QJsonObject> parse(QByteArrayView line) {
    QJsonParseError error{};
    const auto document = QJsonDocument::fromJson(line.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return std::nullopt;
    }
    return document.object();
}

} // namespace ControlRequest

} // namespace keldoran
