#include "remote_control.h"

#include "backup/backup_controller.h"
#include "model/app_model.h"
#include "platform/peer_credentials.h"
#include "presentation/formatters.h"
#include "presentation/status_presentation.h"
#include "presentation/translations.h"

#include <memory>
#include <QCoreApplication>
#include <qcoro/qcorolocalsocket.h>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocalSocket>

namespace keldoran {

namespace RemoteControl {
namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(RemoteControl)
};

QJsonObject reply(bool ok, const QString& message) {
    return QJsonObject{{QStringLiteral("ok"), ok}, {QStringLiteral("message"), message}};
}

// Why the running application has no repository to back up to: never "not set up" for a set-up one.
QString unconfiguredReason(const AppStatus& status) {
    switch (status.kind) {
    case AppStatus::Kind::credentialsUnavailable:
        return Text::tr("Couldn't read your saved credentials. Unlock your keyring and try again.");
    case AppStatus::Kind::error:
        return status.message;
    default:
        break;
    }
    return Text::tr("Keldoran isn't set up yet. Run “keldoranctl setup” first.");
}

std::optional<AppModel::PauseChoice> pauseChoice(const QString& text) {
    if (text == QLatin1String("oneHour")) {
        return AppModel::PauseChoice::oneHour;
    }
    if (text == QLatin1String("untilTomorrow")) {
        return AppModel::PauseChoice::untilTomorrow;
    }
    if (text == QLatin1String("indefinitely")) {
        return AppModel::PauseChoice::indefinitely;
    }
    return std::nullopt;
}

} // namespace

QJsonObject unreadableRequest() {
    return reply(false, Text::tr("Unknown command."));
}

QJsonObject handle(const QJsonObject& request, AppModel& model, const std::function<void()>& raise) {
    const auto command = request.value(QLatin1String("command")).toString();
    const auto now = model.platform().clock->now();
    auto& controller = model.controller();
    // The answer is in keldoranctl's language, which may not be this application's; what the request
    // does is done first, so that nothing this application shows is built in that language.
    const auto answered = [&request](const std::function<QJsonObject()>& words) {
        const auto language = request.value(QLatin1String("language")).toString();
        if (language.isEmpty()) {
            return words(); // a keldoranctl that does not say
        }
        const SpokenLanguage spoken(language, QLocale(request.value(QLatin1String("locale")).toString()));
        return words();
    };
    if (command == QLatin1String("raise")) {
        raise();
        return reply(true, {});
    }
    if (command == QLatin1String("status")) {
        return answered([&] {
            const auto shown = StatusPresentation::current(model);
            auto answer = reply(true, {});
            answer.insert(QStringLiteral("lines"), QJsonArray::fromStringList(shown.lines(model)));
            // As keldoranctl on its own would: backups that cannot be read are a failure.
            if (const auto unreadable = model.controller().unopenableRepository()) {
                answer.insert(QStringLiteral("failure"), *unreadable);
            }
            return answer;
        });
    }
    if (command == QLatin1String("backup")) {
        if (!controller.isConfigured()) {
            return answered([&] { return reply(false, unconfiguredReason(model.baseStatus())); });
        }
        const bool pending = controller.hasBackupTask();
        model.backUpNow();
        const bool started = controller.hasBackupTask();
        return answered([&] {
            if (pending) {
                return reply(true, Text::tr("Keldoran is running and already backing up."));
            }
            return started ? reply(true, Text::tr("Keldoran is running; it has started a backup."))
                           : reply(false, StatusPresentation::titleOf(model.status()) + QStringLiteral("."));
        });
    }
    if (command == QLatin1String("pause")) {
        const auto choice = pauseChoice(request.value(QLatin1String("choice")).toString());
        if (choice) {
            model.pause(*choice, now);
        }
        return answered([&] {
            if (!choice) {
                return reply(false, Text::tr("Unknown pause."));
            }
            return reply(true,
                         model.pauseUntil()
                             ? Text::tr("Paused until %1.").arg(Formatters::shortTime(*model.pauseUntil()))
                             : Text::tr("Paused until you resume."));
        });
    }
    if (command == QLatin1String("resume")) {
        model.resume();
        return answered([] { return reply(true, Text::tr("Protection resumed.")); });
    }
    return answered([] { return reply(false, Text::tr("Unknown command.")); });
}

QCoro::Task<std::optional<QJsonObject>> send(QString socketPath, QJsonObject request) {
    auto socket = std::make_unique<QLocalSocket>();
    const bool connected = co_await qCoro(socket.get())
                               .connectToServer(socketPath, QIODevice::ReadWrite, std::chrono::seconds(2));
    // Whoever else made the socket first must not be told anything, nor believed.
    if (!connected || !PeerCredentials::isSameUser(socket->socketDescriptor())) {
        co_return std::nullopt;
    }
    // The running application answers in this side's language.
    request.insert(QStringLiteral("language"), InstalledTranslations::languageFor(QLocale()));
    request.insert(QStringLiteral("locale"), QLocale().name());
    socket->write(QJsonDocument(request).toJson(QJsonDocument::Compact) + '\n');
    while (!socket->canReadLine()) {
        const bool readable = co_await qCoro(socket.get()).waitForReadyRead(std::chrono::seconds(30));
        if (!readable) {
            co_return std::nullopt;
        }
    }
    const auto line = socket->readLine();
    const auto document = QJsonDocument::fromJson(line);
    if (!document.isObject()) {
        co_return std::nullopt;
    }
    co_return document.object();
}

} // namespace RemoteControl

} // namespace keldoran
