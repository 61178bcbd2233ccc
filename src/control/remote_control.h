#pragma once

#include <functional>
#include <optional>
#include <qcoro/qcorotask.h>
#include <QJsonObject>
#include <QString>

namespace keldoran {

class AppModel;

/// How keldoranctl reaches a running tray application: one JSON request and one JSON reply per line on
/// the application's local socket. A command that changes something goes to the running application,
/// so two processes never back up or hold different pauses at once.
///
/// Requests: {"command":"raise"}, {"command":"status"}, {"command":"backup"},
/// {"command":"pause","choice":"oneHour"|"untilTomorrow"|"indefinitely"}, {"command":"resume"}.
/// Replies: {"ok":true|false,"message":text} and, for status, "lines": [text].
namespace RemoteControl {

/// The reply to a line that is no request.
QJsonObject unreadableRequest();

/// The running application's side: carries out one request against its model.
QJsonObject handle(const QJsonObject& request, AppModel& model, const std::function<void()>& raise);

/// keldoranctl's side: sends one request; none when no application of this user answers on the socket.
QCoro::Task<std::optional<QJsonObject>> send(QString socketPath, QJsonObject request);

} // namespace RemoteControl

} // namespace keldoran
