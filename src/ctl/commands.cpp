#include "commands.h"

#include "backup/backup_controller.h"
#include "backup/backup_scheduler.h"
#include "backup/registration.h"
#include "base/task_outcome.h"
#include "build_info.h"
#include "command_interruption.h"
#include "control/remote_control.h"
#include "ctl_messages.h"
#include "index/snapshot_indexer.h"
#include "model/app_model.h"
#include "model/settings_keys.h"
#include "platform/instance_lock.h"
#include "platform/instance_paths.h"
#include "presentation/formatters.h"
#include "presentation/status_presentation.h"
#include "presentation/wording.h"
#include "restic/restic_error.h"
#include "restic/restore_selection.h"
#include "restore/restore_browser.h"
#include "setup/onboarding_model.h"
#include "storage/bucket_name.h"
#include "storage/custom_endpoint.h"
#include "terminal.h"

#include <QCommandLineParser>
#include <qcoro/qcorosignal.h>
#include <QDir>
#include <QJsonArray>
#include <variant>

namespace keldoran {

namespace Commands {
namespace {

using Terminal::error;
using Terminal::out;

struct Text {
    Q_DECLARE_TR_FUNCTIONS(Commands)
};

struct Usage {
    QString synopsis;
    QString description;
};

int usageError(const Usage& usage, const QString& problem = {}) {
    if (!problem.isEmpty()) {
        error(problem);
    }
    error(Text::tr("Usage: keldoranctl %1").arg(usage.synopsis));
    return 2;
}

int failure(const QString& sentence) {
    error(sentence);
    return 1;
}

// The first argument that reads as an option where a snapshot or a path is expected: passed on, it could
// become one of restic's.
std::optional<QString> optionLike(const QStringList& arguments) {
    for (const auto& argument : arguments) {
        if (argument.startsWith(QLatin1Char('-'))) {
            return argument;
        }
    }
    return std::nullopt;
}

// Parses a command's options; answers none to go on, or the status after printing help (0) or a usage
// error (2).
std::optional<int> parse(QCommandLineParser& parser, const QStringList& arguments, const Usage& usage,
                         const QList<QCommandLineOption>& options = {}) {
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  Text::tr("Shows this help."));
    parser.addOptions(options);
    parser.addOption(help);
    if (!parser.parse(QStringList{QStringLiteral("keldoranctl")} + arguments)) {
        return usageError(usage, parser.errorText());
    }
    if (parser.isSet(help)) {
        out(Text::tr("Usage: keldoranctl %1").arg(usage.synopsis) + QStringLiteral("\n\n") +
            usage.description + QStringLiteral("\n\n") + Text::tr("Options:"));
        for (const auto& option : options + QList<QCommandLineOption>{help}) {
            auto names = option.names();
            for (auto& name : names) {
                name.prepend(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"));
            }
            const auto value =
                option.valueName().isEmpty() ? QString() : QLatin1Char(' ') + option.valueName();
            out(QStringLiteral("  %1  %2")
                    .arg(names.join(QStringLiteral(", ")) + value, -24)
                    .arg(option.description()));
        }
        return 0;
    }
    return std::nullopt;
}

// What a command works with. The model is made on first use and kept until its queued operations have
// finished, since an operation's frame refers to it.
class Session {
public:
    explicit Session(Platform& platform)
        : platform(platform)
        , interruption(*platform.clock) {
        platform.interruption = interruption.token();
    }

    AppModel& model() {
        if (!model_) {
            model_ = std::make_unique<AppModel>(platform);
        }
        return *model_;
    }

    QCoro::Task<void> close() {
        if (model_) {
            co_await model_->controller().whenIdle();
            if (auto* indexer = model_->existingSnapshotIndexer()) {
                indexer->close();
                co_await indexer->whenIdle();
            }
        }
    }

    Platform& platform;
    CommandInterruption interruption;

private:
    std::unique_ptr<AppModel> model_;
};

// How long a person waits on a command that shows no progress.
constexpr int listingTimeLimitSeconds = 30;

QString providerName(AppModel& model) {
    const auto& provider = model.controller().configuredProvider();
    //: Stands for the storage's name in “Couldn't reach %1.” when none is configured.
    return provider ? provider->shownName() : Text::tr("your storage");
}

// The sentence for a command that could not read the repository: a time limit reached reads as a
// network that could not be crossed; restic's own failures keep their classification.
bool isUnreachable(const std::exception_ptr& failure) {
    if (!failure) {
        return false;
    }
    try {
        std::rethrow_exception(failure);
    } catch (const ResticError& error) {
        const auto& status = error.exitStatus();
        return status && status->kind() == ResticError::Kind::generic &&
               SetupMessages::isNetworkFailure(SetupMessages::withoutLocations(status->stderrText).toLower());
    } catch (...) {
    }
    return false;
}

QString readFailure(const std::exception_ptr& failure, Session& session) {
    if (session.interruption.timedOut() || isUnreachable(failure)) {
        return CtlMessages::unreachable(providerName(session.model()));
    }
    return readFailureMessage(failure);
}

// The repository's snapshots, newest first; the failure's sentence when they could not be read.
QCoro::Task<std::variant<QList<Snapshot>, QString>> listSnapshots(Session* session) {
    auto outcome = co_await outcomeOf(session->model().controller().snapshots());
    if (!outcome.succeeded()) {
        co_return readFailure(outcome.failure(), *session);
    }
    auto listed = std::move(outcome.value());
    std::stable_sort(listed.begin(), listed.end(),
                     [](const Snapshot& a, const Snapshot& b) { return a.time > b.time; });
    co_return listed;
}

constexpr int statusTimeLimitSeconds = 20;

// Refreshes the repository state within `seconds`: the listing's failure, or none when it was stopped for
// taking longer.
QCoro::Task<std::optional<TaskFailure>> refreshWithin(BackupController* controller, Clock* clock,
                                                      int seconds) {
    std::stop_source stop;
    const auto limit = clock->callAt(clock->now().addSecs(seconds), [&stop] { stop.request_stop(); });
    auto failure = co_await controller->refreshRepositoryState(stop.get_token());
    co_return stop.stop_requested() ? std::nullopt : std::optional(failure);
}

// Without the tray application the agent starts scheduled backups, at its quarter-hour ticks.
std::optional<QDateTime> nextAgentTick(const RunDecision& decision, const QDateTime& now) {
    if (decision.kind == RunDecision::Kind::skip) {
        return std::nullopt;
    }
    const auto from = std::max(decision.until.value_or(now), now);
    const auto quarter = qint64(15 * 60);
    const auto seconds = from.toSecsSinceEpoch();
    return QDateTime::fromSecsSinceEpoch((seconds + quarter - 1) / quarter * quarter);
}

// The application's lock for this command's run, saying who holds it to whoever finds it taken.
std::unique_ptr<InstanceLock> takeAppLock(const Platform& platform) {
    auto lock = InstanceLock::acquire(InstancePaths::appLock(platform.folders));
    if (lock) {
        lock->setHolder(QStringLiteral("keldoranctl"));
    }
    return lock;
}

bool trayRunning(const Platform& platform) {
    return InstanceLock::isHeldElsewhere(InstancePaths::appLock(platform.folders));
}

// A changing command forwarded to the running application; its reply is printed.
QCoro::Task<int> forward(const Platform* platform, QJsonObject request) {
    const auto socket = InstancePaths::appSocket(platform->folders);
    const auto answer = co_await RemoteControl::send(socket, request);
    if (!answer) {
        co_return failure(CtlMessages::runningButSilent());
    }
    const auto message = answer->value(QLatin1String("message")).toString();
    if (!answer->value(QLatin1String("ok")).toBool()) {
        co_return failure(message);
    }
    if (!message.isEmpty()) {
        out(message);
    }
    co_return 0;
}

// A model whose controller holds the configured restic; a failure sentence otherwise.
QCoro::Task<std::optional<QString>> configured(AppModel* model) {
    const auto outcome = co_await model->controller().configureAtLaunch();
    switch (outcome) {
    case ConfigurationOutcome::configured:
        co_return std::nullopt;
    case ConfigurationOutcome::needsSetup:
        co_return CtlMessages::notSetUp();
    case ConfigurationOutcome::settingsUnreadable:
        co_return SetupMessages::unreadableConfiguration();
    case ConfigurationOutcome::credentialsUnavailable:
        break;
    }
    co_return CtlMessages::credentialsUnreadable();
}

// A backup that went well says nothing of a damaged repository: a failed integrity check is said too.
void printCheckFailure(const StatusPresentation& shown, const AppModel& model) {
    if (model.checkHealth() == AppModel::CheckHealth::failed) {
        out(shown.check);
        if (shown.checkDetail) {
            out(*shown.checkDetail);
        }
    }
}

// Follows the pending backup with a progress bar until it has wound down; Ctrl-C cancels it.
QCoro::Task<int> followBackup(Session* session) {
    AppModel* model = &session->model();
    auto& controller = model->controller();
    const auto task = controller.backupTask();
    if (!task) {
        co_return failure(!controller.isConfigured()
                              ? CtlMessages::notSetUp()
                              : controller.refusal().value_or(CtlMessages::homeUnreadable()));
    }
    session->interruption.onSignal = [&controller] {
        Terminal::error(CtlMessages::stopping());
        controller.cancelBackup();
    };
    Terminal::Progress progress;
    QString notice;
    const auto connection = QObject::connect(model, &AppModel::baseStatusChanged, [&] {
        const auto status = model->baseStatus();
        if (status.kind != AppStatus::Kind::backingUp) {
            return;
        }
        // "Can't reach … — retrying…" is said once, on its own line, when it begins.
        if (status.message != std::exchange(notice, status.message) && !notice.isEmpty() &&
            notice != CtlMessages::stopping()) {
            progress.finish();
            error(notice);
        }
        progress.show(status.progress.fraction, status.progress.filesDone, status.progress.totalFiles,
                      //: What keldoranctl backup's progress counts: “1,204 of 5,310 files”.
                      Text::tr("files"));
    });
    co_await OperationHandle::wait(task);
    QObject::disconnect(connection);
    progress.finish();
    if (session->interruption.interrupted()) {
        co_return failure(CtlMessages::backupCancelled());
    }
    if (model->baseStatus().kind == AppStatus::Kind::error) {
        co_return failure(model->baseStatus().message);
    }
    const auto shown = StatusPresentation::of(*model, false, controller.fullDiskAccessProbe(),
                                              model->platform().folders.home, model->platform().clock->now());
    out(shown.title);
    for (const auto& line : shown.warnings + shown.guidance) {
        out(line);
    }
    printCheckFailure(shown, *model);
    co_return 0;
}

QCoro::Task<int> backup(Session* session, QStringList arguments) {
    Platform* platform = &session->platform;
    const Usage usage{QStringLiteral("backup"),
                      Text::tr("Backs the home folder up now, with a progress bar. Ctrl-C cancels.")};
    QCommandLineParser parser;
    if (const auto early = parse(parser, arguments, usage)) {
        co_return *early;
    }
    if (!parser.positionalArguments().isEmpty()) {
        co_return usageError(usage, Text::tr("backup takes no arguments."));
    }
    const auto lock = takeAppLock(*platform);
    if (!lock) {
        const QJsonObject request{{QStringLiteral("command"), QStringLiteral("backup")}};
        const int forwarded = co_await forward(platform, request);
        co_return forwarded;
    }
    AppModel& model = session->model();
    model.controller().runLockHolder = RunLock::Holder::ctl;
    const auto problem = co_await configured(&model);
    if (problem) {
        co_return failure(*problem);
    }
    co_await model.controller().refreshRepositoryState();
    model.controller().startBackup();
    const int result = co_await followBackup(session);
    co_return result;
}

QCoro::Task<int> status(Session* session, QStringList arguments) {
    Platform* platform = &session->platform;
    const Usage usage{QStringLiteral("status"), Text::tr("Prints what Keldoran's status window would show.")};
    QCommandLineParser parser;
    if (const auto early = parse(parser, arguments, usage)) {
        co_return *early;
    }
    co_await repairRegistrations(platform->services);
    if (trayRunning(*platform)) {
        const QJsonObject request{{QStringLiteral("command"), QStringLiteral("status")}};
        const auto socket = InstancePaths::appSocket(platform->folders);
        const auto answer = co_await RemoteControl::send(socket, request);
        if (answer) {
            for (const auto& line : answer->value(QLatin1String("lines")).toArray()) {
                out(line.toString());
            }
            if (const auto unreadable = answer->value(QLatin1String("failure")).toString();
                !unreadable.isEmpty()) {
                co_return failure(unreadable);
            }
            co_return 0;
        }
    }
    AppModel& model = session->model();
    auto& controller = model.controller();
    const auto outcome = co_await controller.configureAtLaunch();
    model.expirePauseIfDue(platform->clock->now());
    std::optional<QString> unreachable;
    std::optional<QString> unreadable;
    std::optional<RunDecision> decision;
    if (outcome == ConfigurationOutcome::configured) {
        controller.showLastKnownState();
        const auto refreshed = co_await refreshWithin(&controller, platform->clock, statusTimeLimitSeconds);
        if (!refreshed || isUnreachable(refreshed->exception)) {
            unreachable = CtlMessages::unreachableJustNow(controller.configuredProvider()->shownName());
        } else if (*refreshed) {
            // What was last known is shown, but the backups can no longer be read: that is a failure.
            unreadable = readFailureMessage(refreshed->exception);
        }
        controller.checkFullDiskAccess();
        const auto now = platform->clock->now();
        decision = model.scheduler().decide(now);
        model.setNextBackup(nextAgentTick(*decision, now));
    }
    const auto shown = StatusPresentation::of(model, false, controller.fullDiskAccessProbe(),
                                              platform->folders.home, platform->clock->now());
    for (const auto& line : shown.lines(model)) {
        out(line);
    }
    if (const auto waiting = decision ? CtlMessages::waitingFor(*decision) : std::nullopt) {
        out(*waiting);
    }
    if (unreachable) {
        out(*unreachable);
    }
    if (unreadable) {
        co_return failure(*unreadable);
    }
    co_return 0;
}

QCoro::Task<int> snapshots(Session* session, QStringList arguments) {
    const Usage usage{QStringLiteral("snapshots"),
                      Text::tr("Lists the backups in the repository, newest first.")};
    QCommandLineParser parser;
    if (const auto early = parse(parser, arguments, usage)) {
        co_return *early;
    }
    AppModel& model = session->model();
    const auto problem = co_await configured(&model);
    if (problem) {
        co_return failure(*problem);
    }
    session->interruption.limitTo(listingTimeLimitSeconds);
    const auto listed = co_await listSnapshots(session);
    if (const auto* sentence = std::get_if<QString>(&listed)) {
        co_return failure(*sentence);
    }
    for (const auto& snapshot : std::get<QList<Snapshot>>(listed)) {
        out(QStringLiteral("%1  %2").arg(
            snapshot.id.left(8), QLocale().toString(snapshot.time.toLocalTime(), QLocale::ShortFormat)));
    }
    co_return 0;
}

// The snapshot whose id or short id is `id`, loaded into the browser: its id, or the sentence that says
// why there is none.
QCoro::Task<std::variant<QString, QString>> openSnapshot(Session* session, RestoreBrowser* browser,
                                                         QString id) {
    const auto listed = co_await listSnapshots(session);
    if (const auto* sentence = std::get_if<QString>(&listed)) {
        co_return std::variant<QString, QString>(std::in_place_index<1>, *sentence);
    }
    for (const auto& snapshot : std::get<QList<Snapshot>>(listed)) {
        if (snapshot.id == id || snapshot.id.startsWith(id)) {
            co_await browser->selectSnapshot(snapshot.id);
            co_return std::variant<QString, QString>(std::in_place_index<0>, snapshot.id);
        }
    }
    co_return std::variant<QString, QString>(std::in_place_index<1>, CtlMessages::noSuchSnapshot(id));
}

QCoro::Task<void> openLevel(RestoreBrowser* browser, QString path) {
    if (path != browser->levelPath()) {
        LsEntry folder;
        folder.path = path;
        co_await browser->openFolder(folder);
    }
}

QCoro::Task<int> list(Session* session, QStringList arguments) {
    Platform* platform = &session->platform;
    const Usage usage{
        //: Usage line: keep “ls”; SNAPSHOT and PATH may be translated.
        Text::tr("ls SNAPSHOT [PATH]"),
        Text::tr("Lists one folder of a backup (the home folder unless PATH is given), folders first.")};
    QCommandLineParser parser;
    if (const auto early = parse(parser, arguments, usage)) {
        co_return *early;
    }
    const auto positional = parser.positionalArguments();
    if (positional.isEmpty() || positional.size() > 2) {
        co_return usageError(usage);
    }
    if (const auto option = optionLike(positional)) {
        co_return usageError(usage, CtlMessages::optionWhereValueExpected(*option));
    }
    AppModel& model = session->model();
    const auto problem = co_await configured(&model);
    if (problem) {
        co_return failure(*problem);
    }
    session->interruption.limitTo(listingTimeLimitSeconds);
    RestoreBrowser browser(model.controller(), *platform->clock, platform->folders.home);
    const auto opened = co_await openSnapshot(session, &browser, positional[0]);
    if (opened.index() == 1) {
        co_return failure(std::get<1>(opened));
    }
    const auto level = positional.size() == 2 ? QDir::cleanPath(positional[1]) : browser.levelPath();
    co_await openLevel(&browser, level);
    if (session->interruption.timedOut()) {
        co_return failure(CtlMessages::unreachable(providerName(model)));
    }
    if (browser.levelFailure()) {
        co_return failure(readFailure(browser.levelFailure(), *session));
    }
    const auto now = platform->clock->now();
    for (const auto& entry : browser.currentLevelEntries()) {
        const auto size = entry.isDirectory() || !entry.size ? QStringLiteral("-")
                                                             : Formatters::byteCount(qint64(*entry.size));
        const auto modified = entry.mtime ? Formatters::modified(*entry.mtime, now) : QString();
        out(QStringLiteral("%1  %2  %3  %4")
                .arg(entry.isDirectory() ? QLatin1Char('d') : QLatin1Char('-'))
                .arg(size, 10)
                .arg(modified, -16)
                .arg(Terminal::printable(entry.name) +
                     (entry.isDirectory() ? QStringLiteral("/") : QString())));
    }
    co_return 0;
}

RestoreBrowser::Destination destinationOf(const QCommandLineParser& parser, const QCommandLineOption& to,
                                          const QCommandLineOption& replace) {
    RestoreBrowser::Destination destination;
    if (parser.isSet(to)) {
        destination.location = RestoreBrowser::Destination::Location::another;
        destination.folder = QDir(parser.value(to)).absolutePath();
    }
    destination.conflict = parser.isSet(replace) ? RestoreConflict::replace : RestoreConflict::keepBoth;
    return destination;
}

// Runs the browser's request with a progress line; Ctrl-C stops it.
QCoro::Task<int> restoreWithProgress(Session* session, RestoreBrowser* browser,
                                     RestoreBrowser::Destination destination) {
    session->interruption.onSignal = [] {
        Terminal::error(CtlMessages::stopping());
    };
    Terminal::Progress progress;
    const auto connection = QObject::connect(browser, &RestoreBrowser::restorePhaseChanged, [&] {
        const auto& phase = browser->restorePhase();
        if (phase.kind == RestoreBrowser::RestorePhase::Kind::restoring) {
            progress.show(phase.progress, std::nullopt, std::nullopt, {});
        }
    });
    co_await browser->runRestore(*browser->restoreRequest(), destination);
    QObject::disconnect(connection);
    progress.finish();
    const auto& phase = browser->restorePhase();
    if (phase.kind != RestoreBrowser::RestorePhase::Kind::succeeded) {
        co_return failure(phase.message);
    }
    out(CtlMessages::restoreComplete(phase.destination));
    co_return 0;
}

QCoro::Task<int> restore(Session* session, QStringList arguments) {
    Platform* platform = &session->platform;
    const Usage usage{
        //: Usage line: keep “restore” and the options; SNAPSHOT, PATH and DIR may be translated.
        Text::tr("restore SNAPSHOT PATH... [--to DIR] [--replace]"),
        Text::tr("Restores files and folders of one folder of a backup to where they were backed up "
                 "from, or into DIR. Existing files are kept and restored ones named \"name (restored)\", "
                 "unless --replace.")};
    QCommandLineParser parser;
    const QCommandLineOption to(QStringLiteral("to"), Text::tr("Restore into DIR instead."),
                                //: The value of --to in keldoranctl restore's help: a folder.
                                Text::tr("DIR"));
    const QCommandLineOption replace(QStringLiteral("replace"), Text::tr("Overwrite existing files."));
    if (const auto early = parse(parser, arguments, usage, {to, replace})) {
        co_return *early;
    }
    const auto positional = parser.positionalArguments();
    if (positional.size() < 2) {
        co_return usageError(usage);
    }
    if (const auto option = optionLike(positional)) {
        co_return usageError(usage, CtlMessages::optionWhereValueExpected(*option));
    }
    QStringList paths;
    for (const auto& path : positional.mid(1)) {
        paths.append(QDir::cleanPath(path));
    }
    const auto folder = parentPath(paths.first());
    if (folder.isEmpty() ||
        std::any_of(paths.begin(), paths.end(), [&](const QString& p) { return parentPath(p) != folder; })) {
        co_return usageError(usage, CtlMessages::oneFolderOnly());
    }
    const auto lock = takeAppLock(*platform);
    if (!lock) {
        co_return failure(CtlMessages::runningElsewhereRestore());
    }
    AppModel& model = session->model();
    const auto problem = co_await configured(&model);
    if (problem) {
        co_return failure(*problem);
    }
    RestoreBrowser browser(model.controller(), *platform->clock, platform->folders.home);
    const auto opened = co_await openSnapshot(session, &browser, positional[0]);
    if (opened.index() == 1) {
        co_return failure(std::get<1>(opened));
    }
    co_await openLevel(&browser, folder);
    if (browser.levelFailure()) {
        co_return failure(readFailure(browser.levelFailure(), *session));
    }
    browser.setSelection(QSet<QString>(paths.begin(), paths.end()));
    for (const auto& path : paths) {
        if (!browser.selectedItems().contains(path)) {
            co_return failure(CtlMessages::notInSnapshot(path));
        }
    }
    co_return co_await restoreWithProgress(session, &browser, destinationOf(parser, to, replace));
}

QCoro::Task<int> pauseOrResume(Session* session, QStringList arguments, bool pausing) {
    Platform* platform = &session->platform;
    const Usage usage =
        pausing ? Usage{QStringLiteral("pause 1h|tomorrow|indefinitely"),
                        Text::tr("Pauses scheduled backups for an hour, until midnight, or until resumed.")}
                : Usage{QStringLiteral("resume"), Text::tr("Resumes scheduled backups.")};
    QCommandLineParser parser;
    if (const auto early = parse(parser, arguments, usage)) {
        co_return *early;
    }
    const auto positional = parser.positionalArguments();
    const QHash<QString, std::pair<QString, AppModel::PauseChoice>> choices{
        {QStringLiteral("1h"), {QStringLiteral("oneHour"), AppModel::PauseChoice::oneHour}},
        {QStringLiteral("tomorrow"), {QStringLiteral("untilTomorrow"), AppModel::PauseChoice::untilTomorrow}},
        {QStringLiteral("indefinitely"),
         {QStringLiteral("indefinitely"), AppModel::PauseChoice::indefinitely}},
    };
    if (pausing ? positional.size() != 1 || !choices.contains(positional[0]) : !positional.isEmpty()) {
        co_return usageError(usage);
    }
    const auto lock = takeAppLock(*platform);
    // Another keldoranctl (a backup, say) may hold the lock: it takes no requests, and the pause is a
    // setting that it, the agent and the next tray read, so it is written here. A tray is always asked:
    // it keeps the pause it shows.
    const auto appLock = InstancePaths::appLock(platform->folders);
    if (!lock && InstanceLock::holder(appLock) != QLatin1String("keldoranctl")) {
        QJsonObject request{
            {QStringLiteral("command"), pausing ? QStringLiteral("pause") : QStringLiteral("resume")}};
        if (pausing) {
            request.insert(QStringLiteral("choice"), choices[positional[0]].first);
        }
        const int forwarded = co_await forward(platform, request);
        co_return forwarded;
    }
    AppModel& model = session->model();
    if (pausing) {
        model.pause(choices[positional[0]].second, platform->clock->now());
        out(CtlMessages::paused(model.pauseUntil() ? Formatters::shortTime(*model.pauseUntil()) : QString()));
    } else {
        model.resume();
        out(CtlMessages::resumed());
    }
    co_return 0;
}

QCoro::Task<int> pause(Session* session, QStringList arguments) {
    const int result = co_await pauseOrResume(session, std::move(arguments), true);
    co_return result;
}

QCoro::Task<int> resume(Session* session, QStringList arguments) {
    const int result = co_await pauseOrResume(session, std::move(arguments), false);
    co_return result;
}

// keldoranctl setup's options.
struct SetupOptions {
    //: keldoranctl setup --help: ionos, ovhcloud and scaleway are typed as they are.
    QCommandLineOption provider{
        QStringLiteral("provider"), Text::tr("ionos, ovhcloud or scaleway."),
        //: The value of --provider (a provider's id) and of --snapshot (a backup's id) in keldoranctl's help.
        Text::tr("ID")};
    QCommandLineOption endpoint{QStringLiteral("endpoint"),
                                Text::tr("The address of other S3-compatible storage: https://host[:port]."),
                                //: The value of --endpoint in keldoranctl setup's help: an address.
                                Text::tr("URL")};
    QCommandLineOption region{QStringLiteral("region"), Text::tr("Its region (default us-east-1)."),
                              //: The value of --region in keldoranctl setup's help: a region.
                              Text::tr("R")};
    QCommandLineOption pathStyle{QStringLiteral("path-style"),
                                 Text::tr("It knows buckets only in the address's path.")};
    QCommandLineOption bucket{QStringLiteral("bucket"), Text::tr("The bucket's name."),
                              //: The value of --bucket in keldoranctl setup's help: a bucket's name.
                              Text::tr("NAME")};
    QCommandLineOption accessFile{QStringLiteral("access-key-file"), Text::tr("Read the access key from F."),
                                  //: The value of the --…-file options in keldoranctl setup's help: a file.
                                  Text::tr("F")};
    QCommandLineOption secretFile{QStringLiteral("secret-key-file"), Text::tr("Read the secret key from F."),
                                  Text::tr("F")};
    QCommandLineOption passwordFile{QStringLiteral("password-file"),
                                    Text::tr("Read the backup password from F."), Text::tr("F")};

    QList<QCommandLineOption> all() const {
        return {provider, endpoint, region, pathStyle, bucket, accessFile, secretFile, passwordFile};
    }
};

// The storage the options name (a provider of the catalogue, or other storage by its address), or what
// is wrong with them.
std::variant<StorageProvider, QString> chosenProvider(const QCommandLineParser& parser,
                                                      const SetupOptions& options, const Platform& platform) {
    if (!parser.isSet(options.bucket) || parser.value(options.bucket).isEmpty() ||
        !parser.positionalArguments().isEmpty()) {
        return Text::tr("setup needs --bucket NAME.");
    }
    if (!isValidBucketName(parser.value(options.bucket))) {
        return SetupMessages::invalidBucketName();
    }
    const bool custom = parser.isSet(options.endpoint);
    if (custom && parser.isSet(options.provider)) {
        return CtlMessages::providerOrEndpoint();
    }
    if (!custom && (parser.isSet(options.region) || parser.isSet(options.pathStyle))) {
        return CtlMessages::customOptionsNeedEndpoint();
    }
    if (custom) {
        auto region = CustomEndpoint::region(parser.value(options.endpoint), parser.value(options.region),
                                             parser.isSet(options.pathStyle));
        if (const auto* problem = std::get_if<QString>(&region)) {
            return *problem;
        }
        return StorageProvider::custom(std::get<StorageRegion>(region));
    }
    if (parser.isSet(options.provider)) {
        const auto id = storageProviderIdFromRaw(parser.value(options.provider));
        // Other storage is named by its address, never by this id alone.
        if (!id || *id == StorageProviderId::custom) {
            return CtlMessages::unknownProvider(parser.value(options.provider));
        }
        return StorageProvider::withId(*id);
    }
    return OnboardingModel::chooseDefaultProvider(*platform.settings, QLocale::system());
}

struct SetupSecrets {
    QString accessKey;
    QString secretKey;
    QString password;
    QString confirmation;
};

// The keys and the password, from their files or asked for without echo; the sentence naming the one
// that could not be read otherwise.
std::variant<SetupSecrets, QString> readSetupSecrets(const QCommandLineParser& parser,
                                                     const SetupOptions& options) {
    const auto accessKey = Terminal::secret(Text::tr("Access key: "), parser.value(options.accessFile));
    const auto secretKey = Terminal::secret(Text::tr("Secret key: "), parser.value(options.secretFile));
    const auto password = Terminal::secret(Text::tr("Password: "), parser.value(options.passwordFile));
    const auto confirmation =
        parser.isSet(options.passwordFile) ? password : Terminal::secret(Text::tr("Confirm password: "), {});
    if (!accessKey || !secretKey || !password || !confirmation) {
        //: Stands for %1 in “Couldn't read the %1.”
        return CtlMessages::unreadableSecret(!accessKey   ? Text::tr("access key")
                                             : !secretKey ? Text::tr("secret key")
                                                          : Text::tr("password"));
    }
    return SetupSecrets{*accessKey, *secretKey, *password, *confirmation};
}

QCoro::Task<int> setup(Session* session, QStringList arguments) {
    Platform* platform = &session->platform;
    const Usage usage{
        //: Usage line: keep “setup” and the options; ID, URL, R, NAME and F may be translated as in the
        //: options' help.
        Text::tr("setup (--provider ID | --endpoint URL [--region R] [--path-style]) --bucket NAME "
                 "[--access-key-file F] [--secret-key-file F] [--password-file F]"),
        Text::tr("Connects your bucket, creates the encrypted backup (or recognises an existing one) and "
                 "starts the first backup. Keys and password are asked for without echo unless given in "
                 "files.")};
    QCommandLineParser parser;
    const SetupOptions options;
    if (const auto early = parse(parser, arguments, usage, options.all())) {
        co_return *early;
    }
    const auto provider = chosenProvider(parser, options, *platform);
    if (const auto* problem = std::get_if<QString>(&provider)) {
        co_return usageError(usage, *problem);
    }
    const auto lock = takeAppLock(*platform);
    if (!lock) {
        co_return failure(CtlMessages::runningElsewhereSetup());
    }
    const auto secrets = readSetupSecrets(parser, options);
    if (const auto* unreadable = std::get_if<QString>(&secrets)) {
        co_return failure(*unreadable);
    }
    const auto& [accessKey, secretKey, password, confirmation] = std::get<SetupSecrets>(secrets);

    AppModel& model = session->model();
    OnboardingModel onboarding(std::get<StorageProvider>(provider), *platform->clock, *platform->settings,
                               platform->folders.home);
    onboarding.validationDebounce = std::chrono::milliseconds(0);
    if (parser.isSet(options.endpoint)) {
        onboarding.setCustomStorage(parser.value(options.endpoint), parser.value(options.region),
                                    parser.isSet(options.pathStyle));
    }
    auto* controller = &model.controller();
    onboarding.setValidator([controller](StorageConfig config, QString access, QString secret) {
        return controller->validate(std::move(config), std::move(access), std::move(secret));
    });
    onboarding.setAccessKey(accessKey);
    onboarding.setSecretKey(secretKey);
    onboarding.setBucket(parser.value(options.bucket));
    out(CtlMessages::checking());
    onboarding.scheduleValidation();
    using State = OnboardingModel::Connection::State;
    while (onboarding.connection().state == State::idle ||
           onboarding.connection().state == State::validating) {
        co_await qCoro(&onboarding, &OnboardingModel::connectionChanged);
    }
    if (onboarding.connection().state != State::connected) {
        co_return failure(onboarding.connection().message);
    }
    out(CtlMessages::connected(onboarding.bucket(), onboarding.regionCity()));
    onboarding.setPassword(password);
    onboarding.setConfirmPassword(confirmation);
    if (!onboarding.passwordValid()) {
        co_return failure(onboarding.passwordMessage().value_or(Text::tr("Use at least 8 characters.")));
    }
    const auto problem = co_await onboarding.finish(model);
    if (problem) {
        co_return failure(*problem);
    }
    platform->settings->setValue(SettingsKeys::hasCompletedOnboarding, true);
    out(Text::tr("You're protected"));
    out(Wording::forPlatform(Text::tr(
        "Your first backup is starting now. Keldoran lives in the menu bar — look for the ring icon.")));
    const int result = co_await followBackup(session);
    co_return result;
}

// Every snapshot of the repository, newest first; none (after printing why) when it cannot be read.
QCoro::Task<std::optional<QList<Snapshot>>> repositorySnapshots(Session* session) {
    if (const auto problem = co_await configured(&session->model())) {
        failure(*problem);
        co_return std::nullopt;
    }
    auto listed = co_await listSnapshots(session);
    if (const auto* sentence = std::get_if<QString>(&listed)) {
        failure(*sentence);
        co_return std::nullopt;
    }
    co_return std::get<QList<Snapshot>>(std::move(listed));
}

// Indexes the snapshots the index does not hold yet, saying so on standard error; false when one
// could not be indexed (after printing why).
QCoro::Task<bool> indexSnapshots(AppModel* model, QList<Snapshot> snapshots) {
    auto& indexer = model->snapshotIndexer();
    if (const auto unusable = indexer.index().open()) {
        failure(CtlMessages::indexUnusable(*unusable));
        co_return false;
    }
    snapshots.removeIf([&](const Snapshot& snapshot) { return indexer.index().isIndexed(snapshot.id); });
    if (snapshots.isEmpty()) {
        co_return true;
    }
    error(CtlMessages::indexing(snapshots.size()));
    for (const auto& snapshot : snapshots) {
        std::optional<qint64> files;
        if (snapshot.summary && snapshot.summary->totalFilesProcessed) {
            files = qint64(*snapshot.summary->totalFilesProcessed);
        }
        indexer.request(*model->controller().restic(), {snapshot.id, snapshot.time, files});
    }
    co_await indexer.whenIdle();
    for (const auto& snapshot : snapshots) {
        if (!indexer.index().isIndexed(snapshot.id)) {
            failure(CtlMessages::notIndexed(snapshot.shortId));
            co_return false;
        }
    }
    co_return true;
}

QString entryColumns(const LsEntry& entry, const QDateTime& now) {
    const auto size =
        entry.isDirectory() || !entry.size ? QStringLiteral("-") : Formatters::byteCount(qint64(*entry.size));
    const auto modified = entry.mtime ? Formatters::modified(*entry.mtime, now) : QString();
    return QStringLiteral("%1  %2").arg(size, 10).arg(modified, -16);
}

QString snapshotColumn(const QString& id, const QDateTime& time) {
    return QStringLiteral("%1 %2").arg(id.left(8),
                                       QLocale().toString(time.toLocalTime(), QLocale::ShortFormat));
}

bool looksLikeOption(const QString& argument) {
    return argument.startsWith(QLatin1Char('-'));
}

QCoro::Task<int> find(Session* session, QStringList arguments) {
    Platform* platform = &session->platform;
    const Usage usage{//: Usage line: keep “find” and “--snapshot”; PATTERN and ID may be translated.
                      Text::tr("find PATTERN [--snapshot ID]"),
                      Text::tr("Lists the files and folders of your backups whose name contains PATTERN "
                               "(ignoring case and accents): path, size, modified, and the newest backup "
                               "holding it. Backups not indexed yet are indexed first.")};
    const QCommandLineOption snapshotOption(
        QStringLiteral("snapshot"), Text::tr("Searches one backup."),
        //: The value of --provider (a provider's id) and of --snapshot (a backup's id) in keldoranctl's help.
        Text::tr("ID"));
    QCommandLineParser parser;
    if (const auto early = parse(parser, arguments, usage, {snapshotOption})) {
        co_return *early;
    }
    const auto positional = parser.positionalArguments();
    const auto only = parser.value(snapshotOption);
    if (positional.size() != 1 || positional[0].isEmpty() || looksLikeOption(positional[0]) ||
        (parser.isSet(snapshotOption) && (only.isEmpty() || looksLikeOption(only)))) {
        co_return usageError(usage);
    }
    AppModel& model = session->model();
    auto snapshots = co_await repositorySnapshots(session);
    if (!snapshots) {
        co_return 1;
    }
    if (parser.isSet(snapshotOption)) {
        snapshots->removeIf([&](const Snapshot& snapshot) { return !snapshot.id.startsWith(only); });
        if (snapshots->size() != 1) {
            co_return failure(CtlMessages::noSuchSnapshot(only));
        }
    }
    if (!co_await indexSnapshots(&model, *snapshots)) {
        co_return 1;
    }
    auto& index = model.snapshotIndexer().index();
    const auto now = platform->clock->now();
    QSet<QString> printed;
    for (const auto& snapshot : *snapshots) {
        for (const auto& match :
             index.search(snapshot.id, positional[0], QStringLiteral("/"), 100000).matches) {
            if (!printed.contains(match.entry.path)) {
                printed.insert(match.entry.path);
                out(QStringLiteral("%1  %2  %3")
                        .arg(match.entry.path + (match.entry.isDirectory() ? QStringLiteral("/") : QString()),
                             entryColumns(match.entry, now), snapshotColumn(snapshot.id, snapshot.time)));
            }
        }
    }
    if (printed.isEmpty()) {
        co_return failure(CtlMessages::nothingFound(positional[0]));
    }
    co_return 0;
}

QCoro::Task<int> versions(Session* session, QStringList arguments) {
    Platform* platform = &session->platform;
    //: Usage line: keep “versions”; PATH may be translated.
    const Usage usage{Text::tr("versions PATH"),
                      Text::tr("Lists every different version of a file in your backups, newest first: "
                               "the backup holding it, size and modified.")};
    QCommandLineParser parser;
    if (const auto early = parse(parser, arguments, usage)) {
        co_return *early;
    }
    const auto positional = parser.positionalArguments();
    if (positional.size() != 1 || positional[0].isEmpty() || looksLikeOption(positional[0])) {
        co_return usageError(usage);
    }
    const auto path = QDir::cleanPath(QDir::current().absoluteFilePath(positional[0]));
    AppModel& model = session->model();
    const auto snapshots = co_await repositorySnapshots(session);
    if (!snapshots || !co_await indexSnapshots(&model, *snapshots)) {
        co_return 1;
    }
    const auto now = platform->clock->now();
    const auto found = model.snapshotIndexer().index().versions(path);
    for (const auto& version : found) {
        out(QStringLiteral("%1  %2").arg(snapshotColumn(version.snapshotId, version.snapshotTime),
                                         entryColumns(version.entry, now)));
    }
    if (found.isEmpty()) {
        co_return failure(CtlMessages::inNoBackup(path));
    }
    co_return 0;
}

// The command named by `command`, or none.
QCoro::Task<std::optional<int>> dispatch(Session* session, QString command, QStringList rest) {
    using Command = QCoro::Task<int> (*)(Session*, QStringList);
    static const QHash<QString, Command> commands{
        {QStringLiteral("setup"), &setup},   {QStringLiteral("status"), &status},
        {QStringLiteral("backup"), &backup}, {QStringLiteral("snapshots"), &snapshots},
        {QStringLiteral("ls"), &list},       {QStringLiteral("restore"), &restore},
        {QStringLiteral("pause"), &pause},   {QStringLiteral("resume"), &resume},
        {QStringLiteral("find"), &find},     {QStringLiteral("versions"), &versions},
    };
    const auto found = commands.find(command);
    if (found == commands.end()) {
        co_return std::nullopt;
    }
    if (const auto problem = InstancePaths::unsafeFolderProblem(session->platform.folders)) {
        co_return failure(*problem);
    }
    int result = 1;
    try {
        result = co_await (*found)(session, std::move(rest));
    } catch (const std::exception& unexpected) {
        result = failure(QString::fromUtf8(unexpected.what()));
    }
    co_await session->close();
    // A Ctrl-C or a kill ends the command the shell's way, once restic has ended and cleaned up.
    co_return session->interruption.interrupted() ? 130 : result;
}

} // namespace

QCoro::Task<int> run(Platform* platform, QStringList arguments) {
    const auto command = arguments.value(0);
    Session session(*platform);
    const auto result = co_await dispatch(&session, command, arguments.mid(1));
    if (result) {
        co_return *result;
    }
    if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
        command == QLatin1String("help")) {
        out(CtlMessages::usage());
        co_return 0;
    }
    if (command == QLatin1String("--version")) {
        out(CtlMessages::version(QLatin1String(BuildInfo::version), QLatin1String(BuildInfo::buildNumber)));
        co_return 0;
    }
    error(command.isEmpty() ? CtlMessages::usage()
                            : Text::tr("Unknown command “%1”.").arg(command) + QStringLiteral("\n\n") +
                                  CtlMessages::usage());
    co_return 2;
}

} // namespace Commands

} // namespace keldoran
