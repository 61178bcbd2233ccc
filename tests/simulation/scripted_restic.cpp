#include "scripted_restic.h"

#include "restic/operation_cancelled.h"
#include "restic/restic_error.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace keldoran {

// Counts a writing command for as long as it runs.
class ScriptedRestic::Writer {
public:
    Writer(ScriptedRestic& restic, const QString& command)
        : restic_(restic) {
        if (++restic_.writers_ > 1) {
            restic_.concurrentWriters(command);
        }
    }
    ~Writer() { --restic_.writers_; }

private:
    ScriptedRestic& restic_;
};

std::optional<QDateTime> ScriptedRestic::runningSince() const {
    if (runningBackups_.isEmpty()) {
        return std::nullopt;
    }
    return *std::min_element(runningBackups_.begin(), runningBackups_.end());
}

QByteArray ScriptedRestic::snapshotsJson() const {
    QJsonArray list;
    int number = 0;
    for (const auto& time : snapshots_) {
        const auto id = QStringLiteral("%1").arg(++number, 64, 10, QLatin1Char('0'));
        list.append(QJsonObject{{QStringLiteral("time"), time},
                                {QStringLiteral("tree"), id},
                                {QStringLiteral("paths"), QJsonArray{QStringLiteral("/home/user")}},
                                {QStringLiteral("hostname"), QStringLiteral("laptop")},
                                {QStringLiteral("id"), id},
                                {QStringLiteral("short_id"), id.left(8)}});
    }
    return QJsonDocument(list).toJson(QJsonDocument::Compact);
}

QCoro::Task<QByteArray> ScriptedRestic::run(ChildProcess::Launch launch, std::stop_token stop) {
    if (stop.stop_requested()) {
        throw OperationCancelled();
    }
    const auto command = launch.arguments.value(0);
    if (command == QLatin1String("snapshots")) {
        co_return snapshotsJson();
    }
    if (command == QLatin1String("stats")) {
        co_return QByteArrayLiteral(R"({"total_size":1048576,"total_file_count":1000,"snapshots_count":1})");
    }
    if (command == QLatin1String("forget") || command == QLatin1String("prune")) {
        const Writer writer(*this, command);
        // Keeps the newest 50: enough history for every rule, bounded work over a year.
        while (snapshots_.size() > 50) {
            snapshots_.removeFirst();
        }
        co_return QByteArrayLiteral("[]");
    }
    if (command == QLatin1String("check")) {
        co_return QByteArrayLiteral("no errors were found\n");
    }
    co_return QByteArray();
}

QCoro::AsyncGenerator<QByteArray> ScriptedRestic::streamLines(ChildProcess::Launch launch,
                                                              std::stop_token stop) {
    if (stop.stop_requested()) {
        throw OperationCancelled();
    }
    if (launch.arguments.value(0) != QLatin1String("backup")) {
        co_return;
    }
    const Writer writer(*this, QStringLiteral("backup"));
    const auto started = clock_.now();
    runningBackups_.append(started);
    backupStarted(started);
    const auto plan = planBackup();
    // Like restic, a long run reports its progress as it goes; the controller gives up on silence.
    constexpr qint64 statusEvery = 20;
    bool elapsed = true;
    for (qint64 done = 0; elapsed && done < plan.seconds; done += statusEvery) {
        const auto wait = std::min(statusEvery, plan.seconds - done);
        elapsed = co_await sleepFor(&clock_, std::chrono::seconds(wait), stop);
        if (elapsed && done + wait < plan.seconds) {
            co_yield QStringLiteral(
                R"({"message_type":"status","percent_done":%1,"total_files":1000,"files_done":%2,)"
                R"("total_bytes":1048576,"bytes_done":%3})")
                .arg(double(done + wait) / double(plan.seconds))
                .arg((done + wait) * 1000 / plan.seconds)
                .arg((done + wait) * 1048576 / plan.seconds)
                .toUtf8();
        }
    }
    // Told while still counted as running: it covered the time since its start.
    const std::optional<bool> succeeded = elapsed ? std::optional(plan.exitCode == 0) : std::nullopt;
    backupEnded(started, succeeded);
    runningBackups_.removeOne(started);
    if (!succeeded) {
        throw OperationCancelled();
    }
    if (!*succeeded) {
        throw ResticError::commandFailed({plan.exitCode, QStringLiteral("Fatal: simulated failure")});
    }
    snapshots_.append(started.toUTC().toString(Qt::ISODateWithMs));
    co_yield QByteArrayLiteral(
        R"({"message_type":"status","percent_done":1,"total_files":1000,"files_done":1000})");
    co_yield QByteArrayLiteral(
        R"({"message_type":"summary","files_new":1,"files_changed":0,"files_unmodified":999,)"
        R"("dirs_new":0,"dirs_changed":0,"dirs_unmodified":10,"data_blobs":1,"tree_blobs":1,)"
        R"("data_added":100,"data_added_packed":90,"total_files_processed":1000,)"
        R"("total_bytes_processed":1048576,"total_duration":1,"snapshot_id":"ab"})");
}

} // namespace keldoran
