#pragma once

#include <optional>
#include <QByteArrayView>
#include <QJsonObject>

namespace keldoran {

/// One line a client sent on the control socket.
namespace ControlRequest {

/// The line's JSON object; none for anything else.
std::optional<QJsonObject> parse(QByteArrayView line);

} // namespace ControlRequest

} // namespace keldoran
