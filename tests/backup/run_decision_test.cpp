#include "backup/run_decision.h"

#include <gtest/gtest.h>

namespace keldoran {

namespace {

const QDateTime now(QDate(2026, 12, 7), QTime(10, 15), Qt::UTC);

// Set up, never paused, last backup two hours ago, hourly, mains power, online, unmetered, idle, unlocked.
RunInputs due() {
    RunInputs inputs;
    inputs.configured = true;
    inputs.lastBackup = now.addSecs(-7200);
    return inputs;
}

struct Row {
    const char* name;
    std::function<void(RunInputs&)> change;
    RunDecision expected;
};

} // namespace

TEST(RunDecision, eachRuleInItsOrder) {
    using R = RunReason;
    const auto in = [](qint64 seconds) {
        return now.addSecs(seconds);
    };
    const std::vector<Row> rows{
        {"due", [](RunInputs&) {}, RunDecision::run()},
        {"never backed up", [](RunInputs& i) { i.lastBackup.reset(); }, RunDecision::run()},
        {"not configured outranks all",
         [](RunInputs& i) {
             i.configured = false;
             i.paused = true;
             i.online = false;
         },
         RunDecision::skip(R::notConfigured)},
        {"paused indefinitely", [](RunInputs& i) { i.paused = true; }, RunDecision::skip(R::paused)},
        {"paused for an hour",
         [](RunInputs& i) {
             i.paused = true;
             i.pauseUntil = now.addSecs(3600);
         },
         RunDecision::defer(R::paused, in(3600))},
        {"paused until before the next due time",
         [](RunInputs& i) {
             i.paused = true;
             i.pauseUntil = now.addSecs(600);
             i.lastBackup = now.addSecs(-60);
         },
         RunDecision::defer(R::paused, in(600))},
        {"pause ends exactly now",
         [](RunInputs& i) {
             i.paused = true;
             i.pauseUntil = now;
         },
         RunDecision::run(true)},
        {"pause ended, offline",
         [](RunInputs& i) {
             i.paused = true;
             i.pauseUntil = now.addSecs(-1);
             i.online = false;
         },
         RunDecision::skip(R::offline, true)},
        {"pause ended, not due",
         [](RunInputs& i) {
             i.paused = true;
             i.pauseUntil = now.addSecs(-1);
             i.lastBackup = now;
         },
         RunDecision::defer(R::notDue, in(3600), true)},
        {"not due", [](RunInputs& i) { i.lastBackup = now.addSecs(-3599); },
         RunDecision::defer(R::notDue, in(1))},
        {"due exactly now", [](RunInputs& i) { i.lastBackup = now.addSecs(-3600); }, RunDecision::run()},
        {"early start allowed",
         [](RunInputs& i) {
             i.lastBackup = now.addSecs(-3240);
             i.earlySeconds = 360;
         },
         RunDecision::run()},
        {"daily not due",
         [](RunInputs& i) {
             i.frequency = BackupFrequency::daily;
             i.lastBackup = now.addSecs(-7200);
         },
         RunDecision::defer(R::notDue, in(86400 - 7200))},
        {"six-hourly due",
         [](RunInputs& i) {
             i.frequency = BackupFrequency::sixHourly;
             i.lastBackup = now.addSecs(-21600);
         },
         RunDecision::run()},
        {"not due outranks battery",
         [](RunInputs& i) {
             i.lastBackup = now;
             i.onBattery = true;
             i.backupOnBattery = false;
         },
         RunDecision::defer(R::notDue, in(3600))},
        {"on battery, not allowed",
         [](RunInputs& i) {
             i.onBattery = true;
             i.backupOnBattery = false;
         },
         RunDecision::skip(R::onBattery)},
        {"on battery, allowed", [](RunInputs& i) { i.onBattery = true; }, RunDecision::run()},
        {"battery outranks offline",
         [](RunInputs& i) {
             i.onBattery = true;
             i.backupOnBattery = false;
             i.online = false;
         },
         RunDecision::skip(R::onBattery)},
        {"offline", [](RunInputs& i) { i.online = false; }, RunDecision::skip(R::offline)},
        {"offline outranks metered",
         [](RunInputs& i) {
             i.online = false;
             i.metered = true;
         },
         RunDecision::skip(R::offline)},
        {"metered, not allowed", [](RunInputs& i) { i.metered = true; }, RunDecision::skip(R::metered)},
        {"metered, allowed",
         [](RunInputs& i) {
             i.metered = true;
             i.backupOnMetered = true;
         },
         RunDecision::run()},
        {"metered outranks busy",
         [](RunInputs& i) {
             i.metered = true;
             i.busy = true;
         },
         RunDecision::skip(R::metered)},
        {"busy", [](RunInputs& i) { i.busy = true; }, RunDecision::skip(R::busy)},
        {"busy outranks locked",
         [](RunInputs& i) {
             i.busy = true;
             i.locked = true;
         },
         RunDecision::skip(R::busy)},
        {"locked", [](RunInputs& i) { i.locked = true; }, RunDecision::skip(R::locked)},
    };
    for (const auto& row : rows) {
        auto inputs = due();
        row.change(inputs);
        const auto decision = decideRun(inputs, now);
        EXPECT_EQ(decision, row.expected)
            << row.name << ": got kind " << int(decision.kind) << " reason "
            << (decision.reason ? reasonName(*decision.reason).toStdString() : "none");
    }
}

TEST(RunDecision, dependsOnNothingButItsInputs) {
    const auto inputs = due();
    EXPECT_EQ(decideRun(inputs, now), decideRun(inputs, now));
    EXPECT_EQ(decideRun(inputs, now.addSecs(-7200)),
              RunDecision::defer(RunReason::notDue, now.addSecs(-3600)));
}

TEST(RunDecision, reasonNamesAreDistinct) {
    QStringList names;
    for (int reason = 0; reason <= int(RunReason::locked); ++reason) {
        names.append(reasonName(RunReason(reason)));
    }
    names.removeDuplicates();
    EXPECT_EQ(names.size(), int(RunReason::locked) + 1);
}

} // namespace keldoran
