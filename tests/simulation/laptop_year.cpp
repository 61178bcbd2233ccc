#include "laptop_year.h"

#include "app/agent_runner.h"
#include "app/menu_bar_app.h"
#include "backup/backup_controller.h"
#include "backup/backup_scheduler.h"
#include "ctl/commands.h"
#include "model/app_model.h"
#include "model/preferences.h"
#include "scripted_restic.h"
#include "storage/keychain.h"
#include "storage/storage_config.h"
#include "support/coroutines.h"
#include "support/log_capture.h"
#include "support/memory_secret_store.h"
#include "support/test_platform.h"

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <map>
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QTimeZone>
#include <random>
#include <unistd.h>

namespace keldoran {

namespace {

constexpr qint64 minute = 60;
constexpr qint64 hour = 3600;
// The promise: a backup within the interval and this much more, while eligible all along.
constexpr qint64 allowance = 15 * minute;

// Standard output and error go nowhere while it lives: keldoranctl's progress bars and sentences.
class Silenced {
public:
    Silenced() {
        std::fflush(stdout);
        std::fflush(stderr);
        out_ = ::dup(STDOUT_FILENO);
        error_ = ::dup(STDERR_FILENO);
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        ::dup2(null, STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
        ::close(null);
    }
    ~Silenced() {
        std::fflush(stdout);
        std::fflush(stderr);
        ::dup2(out_, STDOUT_FILENO);
        ::dup2(error_, STDERR_FILENO);
        ::close(out_);
        ::close(error_);
    }

private:
    int out_;
    int error_;
};

// The systemd timer's calendar: every quarter hour.
QDateTime nextQuarter(const QDateTime& after) {
    const qint64 quarter = 15 * minute;
    return QDateTime::fromSecsSinceEpoch((after.toSecsSinceEpoch() / quarter + 1) * quarter, Qt::UTC);
}

struct WorldEvent {
    QDateTime when;
    QString name;
    std::function<void()> apply;
};

class Laptop {
public:
    explicit Laptop(quint64 seed);
    LaptopYear run(int days);

private:
    // The world.
    qint64 between(qint64 low, qint64 high) { return low + qint64(random_() % quint64(high - low + 1)); }
    bool chance(double probability) { return double(random_() >> 11) * 0x1.0p-53 < probability; }
    QDateTime now() const { return test_.clock.now(); }
    QList<WorldEvent> planDay(const QDate& day);
    void add(QList<WorldEvent>& events, const QDateTime& when, const QString& name,
             std::function<void()> apply);
    void apply(const WorldEvent& event);

    // Time passing on an awake machine: every timer and agent tick at its time.
    void advanceTo(const QDateTime& when);
    void settle();
    void step();

    // What the user and the machine do.
    void boot();
    void shutDown();
    void sleep();
    void wake();
    void launchTray();
    void quitTray();
    void agentTick();
    /// Runs keldoranctl; `exited` hears its exit code.
    void ctl(QStringList arguments, std::function<void(int)> exited = {});
    void pause(AppModel::PauseChoice choice);
    void resume();
    void setFrequency(BackupFrequency frequency);
    void setOnline(bool online);

    // The promise.
    bool pausedByUser() const;
    bool eligible() const;
    qint64 interval() const { return intervalSeconds(frequency_); }
    void track();
    void check();
    void violation(const QString& what);
    /// What the programs did, in the event log between the world's events.
    void note(const QString& what);
    QString stamp(const QDateTime& when) const {
        return when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }

    std::mt19937_64 random_;
    TestPlatform test_;
    MemorySecretStore secrets_;
    ScriptedRestic restic_{test_.clock};
    LaptopYear result_;

    // The machine's state as the world knows it.
    bool awake_ = false;
    bool loggedIn_ = false;
    bool online_ = true;
    bool metered_ = false;
    bool onBattery_ = false;
    bool allowBattery_ = true;
    bool allowMetered_ = false;
    BackupFrequency frequency_ = BackupFrequency::hourly;
    struct UserPause {
        std::optional<QDateTime> until;
    };
    std::optional<UserPause> userPause_;
    bool manualRequest_ = false;
    bool resumePending_ = false;
    bool lastRunManual_ = false;
    int lastPlanExit_ = 0;
    QDateTime lockRetryAt_;

    // The running programs.
    std::unique_ptr<MenuBarApp> tray_;
    std::vector<std::unique_ptr<MenuBarApp>> hung_;
    bool trayTerminated_ = false;
    bool quitAsked_ = false;
    std::unique_ptr<AgentRunner> agent_;
    bool agentRunning_ = false;
    QDateTime nextAgentTick_;
    // The world's time; the machine's clock stands still while it sleeps.
    QDateTime worldTime_;
    // keldoranctl runs, each in its own terminal.
    int ctlRunning_ = 0;

    // Gap tracking.
    bool wasEligible_ = false;
    QDateTime gapStart_;
    bool gapReported_ = false;
};

Laptop::Laptop(quint64 seed)
    : random_(seed) {
    auto& platform = test_.platform();
    platform.secrets = &secrets_;
    platform.resticLauncher = &restic_;
    // The configuration step only asks that a restic exists; the scripted one answers every run.
    platform.resticDirectory = platform.folders.caches;
    QFile stub(platform.resticDirectory + QStringLiteral("/restic"));
    stub.open(QIODevice::WriteOnly);
    // In UTC: local-time arithmetic costs a time-zone lookup each time, thousands of times a day.
    test_.clock.set(QDateTime(QDate(2027, 1, 4), QTime(0, 0), Qt::UTC));
    worldTime_ = now();
    StorageConfig{StorageProvider::scaleway().defaultRegion, QStringLiteral("backups")}.save(
        test_.settings());
    const Keychain keychain(secrets_);
    await(keychain.save(QStringLiteral("key"), Keychain::Account::accessKey));
    await(keychain.save(QStringLiteral("secret"), Keychain::Account::secretKey));
    await(keychain.save(QStringLiteral("a sturdy password"), Keychain::Account::repositoryPassword));
    const BackupFrequency frequencies[] = {BackupFrequency::hourly, BackupFrequency::sixHourly,
                                           BackupFrequency::daily};
    frequency_ = frequencies[seed % 3];
    auto preferences = Preferences::loadReconciled(test_.settings());
    preferences.frequency = frequency_;
    preferences.save(test_.settings());

    restic_.planBackup = [this] {
        ScriptedRestic::Plan plan{0,
                                  chance(0.12) ? between(16 * minute, 40 * minute) : between(20, 5 * minute)};
        if (chance(0.1)) {
            const int codes[] = {1, 10, 11, 12, 9};
            plan = {codes[between(0, 4)], between(5, 5 * minute)};
        }
        note(QStringLiteral("restic backup: exit %1 after %2 s").arg(plan.exitCode).arg(plan.seconds));
        lastPlanExit_ = plan.exitCode;
        return plan;
    };
    restic_.backupStarted = [this](const QDateTime& started) {
        ++result_.backups;
        // restic's lock failure is followed at once by a second attempt of the same backup: it continues
        // a run that began before any pause the user chose meanwhile.
        const bool lockRetry = started == lockRetryAt_;
        lastRunManual_ = manualRequest_ || (lockRetry && lastRunManual_);
        if (pausedByUser() && !lastRunManual_ && !lockRetry) {
            violation(QStringLiteral("a scheduled backup started while paused"));
        }
    };
    restic_.backupEnded = [this](const QDateTime& started, std::optional<bool> succeeded) {
        note(QStringLiteral("restic backup of %1 ends: %2")
                 .arg(stamp(started), !succeeded   ? QStringLiteral("cancelled")
                                      : *succeeded ? QStringLiteral("success")
                                                   : QStringLiteral("failure")));
        if (succeeded == false && lastPlanExit_ == 11) {
            lockRetryAt_ = now();
        }
        if (!succeeded) {
            return;
        }
        track();
        // A success covers from its start; a failure is shown to the user, who then knows.
        const auto from = *succeeded ? started : now();
        if (from > gapStart_) {
            gapStart_ = from;
            gapReported_ = false;
        }
    };
    restic_.concurrentWriters = [this](const QString& command) {
        violation(QStringLiteral("two restic writers at once (%1)").arg(command));
    };
}

void Laptop::note(const QString& what) {
    result_.events.append(stamp(now()) + QStringLiteral(" · ") + what);
}

void Laptop::violation(const QString& what) {
    result_.violations.append(stamp(now()) + QStringLiteral(" ") + what);
    result_.events.append(stamp(now()) + QStringLiteral(" !! ") + what);
}

void Laptop::add(QList<WorldEvent>& events, const QDateTime& when, const QString& name,
                 std::function<void()> apply) {
    events.append({when, name, std::move(apply)});
}

QList<WorldEvent> Laptop::planDay(const QDate& day) {
    QList<WorldEvent> events;
    const auto at = [&](qint64 seconds) {
        return day.startOfDay(Qt::UTC).addSecs(seconds);
    };
    const auto morning = between(7 * hour, 9 * hour + 30 * minute);
    const auto evening = between(22 * hour, 25 * hour);
    add(events, at(morning), QStringLiteral("morning"),
        [this] { awake_ ? void() : (loggedIn_ ? wake() : boot()); });
    for (int nap = int(between(0, 2)); nap > 0; --nap) {
        const auto start = between(morning + minute, evening - 3 * hour);
        const auto length = between(10 * minute, 150 * minute);
        add(events, at(start), QStringLiteral("lid closed"), [this] { sleep(); });
        add(events, at(start + length), QStringLiteral("lid opened"), [this] { wake(); });
    }
    if (chance(0.06)) {
        const auto start = between(morning + minute, evening - hour);
        add(events, at(start), QStringLiteral("reboot: shut down"), [this] { shutDown(); });
        add(events, at(start + between(2 * minute, 5 * minute)), QStringLiteral("reboot: boot"),
            [this] { boot(); });
    }
    const auto stretch = [&](double probability, qint64 shortest, qint64 longest, const QString& name,
                             std::function<void(bool)> set) {
        if (chance(probability)) {
            const auto start = between(0, 22 * hour);
            add(events, at(start), name + QStringLiteral(" begins"), [set] { set(true); });
            add(events, at(start + between(shortest, longest)), name + QStringLiteral(" ends"),
                [set] { set(false); });
        }
    };
    stretch(0.5, 10 * minute, 3 * hour, QStringLiteral("offline"), [this](bool on) { setOnline(!on); });
    stretch(0.3, 10 * minute, 3 * hour, QStringLiteral("offline"), [this](bool on) { setOnline(!on); });
    stretch(0.5, 30 * minute, 4 * hour, QStringLiteral("battery"),
            [this](bool on) { test_.power.onBattery = onBattery_ = on; });
    stretch(0.2, 30 * minute, 3 * hour, QStringLiteral("metered"),
            [this](bool on) { test_.network.metered = metered_ = on; });
    const auto sometime = [&] {
        return at(between(morning, evening));
    };
    if (chance(0.04)) {
        add(events, sometime(), QStringLiteral("pause 1 hour"),
            [this] { pause(AppModel::PauseChoice::oneHour); });
    }
    if (chance(0.03)) {
        const auto when = sometime();
        add(events, when, QStringLiteral("pause 1 hour"), [this] { pause(AppModel::PauseChoice::oneHour); });
        add(events, when.addSecs(between(5 * minute, 50 * minute)), QStringLiteral("resume early"),
            [this] { resume(); });
    }
    if (chance(0.03)) {
        add(events, sometime(), QStringLiteral("pause until tomorrow"),
            [this] { pause(AppModel::PauseChoice::untilTomorrow); });
    }
    if (chance(0.02)) {
        const auto when = sometime();
        add(events, when, QStringLiteral("pause indefinitely"),
            [this] { pause(AppModel::PauseChoice::indefinitely); });
        add(events, when.addSecs(between(hour, 30 * hour)), QStringLiteral("resume"), [this] { resume(); });
    }
    if (chance(0.03)) {
        const BackupFrequency frequencies[] = {BackupFrequency::hourly, BackupFrequency::sixHourly,
                                               BackupFrequency::daily};
        const auto frequency = frequencies[between(0, 2)];
        add(events, sometime(), QStringLiteral("frequency ") + rawValue(frequency),
            [this, frequency] { setFrequency(frequency); });
    }
    if (chance(0.02)) {
        add(events, sometime(), QStringLiteral("toggle back up on battery"), [this] {
            if (tray_ && awake_) {
                allowBattery_ = !allowBattery_;
                tray_->model().setBackupOnBattery(allowBattery_);
            }
        });
    }
    if (chance(0.02)) {
        add(events, sometime(), QStringLiteral("toggle back up on metered"), [this] {
            if (tray_ && awake_) {
                allowMetered_ = !allowMetered_;
                tray_->model().setBackupOnMetered(allowMetered_);
            }
        });
    }
    for (int count = int(between(0, 1)) + (chance(0.1) ? 1 : 0); count > 0; --count) {
        add(events, sometime(), QStringLiteral("keldoranctl backup"),
            [this] { ctl({QStringLiteral("backup")}); });
    }
    add(events, at(evening), QStringLiteral("night"), [this] { chance(0.85) ? sleep() : shutDown(); });
    std::stable_sort(events.begin(), events.end(),
                     [](const WorldEvent& a, const WorldEvent& b) { return a.when < b.when; });
    return events;
}

void Laptop::settle() {
    // Until a turn of the event loop finds nothing to do.
    auto* dispatcher = QCoreApplication::eventDispatcher();
    for (int round = 0; round < 50 && dispatcher->processEvents(QEventLoop::AllEvents); ++round) {
    }
}

void Laptop::step() {
    settle();
    track();
    check();
}

void Laptop::advanceTo(const QDateTime& when) {
    if (!awake_) {
        return; // nothing runs while asleep or off: the clock moves on waking
    }
    for (int guard = 0; guard < 100000; ++guard) {
        auto next = when;
        if (const auto call = test_.clock.nextCall(); call && *call < next) {
            next = std::max(*call, now());
        }
        const bool ticks = loggedIn_ && nextAgentTick_ <= next;
        if (ticks) {
            next = std::max(nextAgentTick_, now());
        }
        test_.clock.set(next);
        step();
        if (ticks) {
            nextAgentTick_ = nextQuarter(now());
            agentTick();
            if (agentRunning_) {
                step();
            }
        }
        if (next >= when && !ticks) {
            return;
        }
    }
    violation(QStringLiteral("time stopped: something re-arms itself without end"));
}

void Laptop::apply(const WorldEvent& event) {
    result_.events.append(stamp(event.when) + QLatin1Char(' ') + event.name);
    track();
    event.apply();
    step();
}

bool Laptop::pausedByUser() const {
    return userPause_ && (!userPause_->until || now() < *userPause_->until);
}

bool Laptop::eligible() const {
    return awake_ && loggedIn_ && online_ && (!metered_ || allowMetered_) && (!onBattery_ || allowBattery_) &&
           !pausedByUser();
}

void Laptop::track() {
    const bool isEligible = eligible();
    if (isEligible && !wasEligible_) {
        gapStart_ = now();
        gapReported_ = false;
    }
    // The stretch that an event ends was measured just before it (see apply).
    if (isEligible) {
        // A running backup covers the time from its start.
        const auto end = std::max(restic_.runningSince().value_or(now()), gapStart_);
        const auto gap = gapStart_.secsTo(end);
        auto& worst = result_.worstGapRatio[frequency_];
        worst = std::max(worst, double(gap) / double(interval()));
        if (gap > interval() + allowance && !gapReported_) {
            gapReported_ = true;
            violation(QStringLiteral("no backup for %1 minutes while eligible (%2)")
                          .arg(gap / minute)
                          .arg(rawValue(frequency_)));
        }
    }
    wasEligible_ = isEligible;
}

void Laptop::check() {
    if (!tray_ || !awake_) {
        return;
    }
    const auto& model = tray_->model();
    if (model.isPaused() && model.pauseUntil() &&
        now() > model.pauseUntil()->addSecs(BackupScheduler::settleSeconds)) {
        violation(QStringLiteral("the pause did not end at its time"));
    }
    if (const auto next = model.nextBackup(); next && next->addSecs(BackupScheduler::settleSeconds) < now()) {
        violation(QStringLiteral("\"Next backup\" shows a time %1 seconds past").arg(next->secsTo(now())));
    }
}

void Laptop::boot() {
    if (awake_) {
        return;
    }
    test_.clock.set(worldTime_);
    awake_ = true;
    loggedIn_ = true;
    test_.network.report(online_);
    // The agent's timer catches up on a missed run at login.
    nextAgentTick_ = now();
    if (chance(0.75)) {
        launchTray();
    }
    note(tray_ ? QStringLiteral("logged in; tray application started")
               : QStringLiteral("logged in without the tray application"));
    if (resumePending_) {
        resume();
    }
}

void Laptop::shutDown() {
    if (!awake_ && !loggedIn_) {
        return;
    }
    if (!awake_) {
        wake();
    }
    quitTray();
    // Logging out waits for the agent's and keldoranctl's runs, which systemd and the terminal end.
    for (int round = 0; round < 1000 && (agentRunning_ || ctlRunning_ > 0); ++round) {
        advanceTo(now().addSecs(minute));
        worldTime_ = now();
    }
    awake_ = false;
    loggedIn_ = false;
}

void Laptop::sleep() {
    awake_ = false;
}

void Laptop::wake() {
    if (awake_ || !loggedIn_) {
        return;
    }
    awake_ = true;
    // Timers due while asleep fire now, on the wall clock; then logind tells of the wake.
    test_.clock.set(worldTime_);
    settle();
    test_.network.report(online_);
    test_.wake.wake();
    if (nextAgentTick_ <= now()) {
        nextAgentTick_ = now();
    }
    if (resumePending_) {
        resume();
    }
}

void Laptop::launchTray() {
    tray_ = std::make_unique<MenuBarApp>(test_.platform());
    trayTerminated_ = false;
    quitAsked_ = false;
    tray_->terminate = [this] {
        if (!quitAsked_) {
            violation(QStringLiteral("the tray application quit unasked"));
        }
        trayTerminated_ = true;
    };
    if (!tray_->launch()) {
        violation(QStringLiteral("the tray application did not launch"));
        tray_.reset();
    }
}

void Laptop::quitTray() {
    if (!tray_) {
        return;
    }
    quitAsked_ = true;
    tray_->requestQuit();
    // Quitting may wait on the index's writer thread, which runs in real time: a short real wait.
    for (int round = 0; round < 2000 && !trayTerminated_; ++round) {
        settle();
        if (!trayTerminated_) {
            QThread::msleep(1);
        }
    }
    if (!trayTerminated_) {
        // Like a hung process, it is kept: destroying it mid-operation would fake a crash.
        violation(QStringLiteral("quit did not end"));
        hung_.push_back(std::move(tray_));
        return;
    }
    settle();
    tray_.reset();
}

void Laptop::agentTick() {
    if (agentRunning_) {
        return; // a oneshot service still running is not started again
    }
    if (!tray_) {
        note(QStringLiteral("agent tick"));
    }
    agent_ = std::make_unique<AgentRunner>(test_.platform());
    agentRunning_ = true;
    [](Laptop* laptop) -> QCoro::Task<void> {
        // Why it did what it did, for whoever replays a failing seed (costly: only when asked).
        const auto log = qEnvironmentVariableIsSet("KELDORAN_SIMULATION_TRACE")
                             ? std::make_optional<LogCapture>()
                             : std::nullopt;
        try {
            co_await laptop->agent_->run();
        } catch (const std::exception& error) {
            laptop->violation(QStringLiteral("the agent failed: ") + QString::fromUtf8(error.what()));
        }
        for (const auto& message : log ? log->messages(QStringLiteral("lifecycle")) : QStringList()) {
            if (message.startsWith(QLatin1String("agent skipped")) ||
                message.startsWith(QLatin1String("agent:"))) {
                laptop->note(message);
            }
        }
        laptop->agentRunning_ = false;
    }(this);
}

void Laptop::ctl(QStringList arguments, std::function<void(int)> exited) {
    if (!awake_) {
        return;
    }
    ++ctlRunning_;
    manualRequest_ = true;
    [](Laptop* laptop, QStringList arguments, std::function<void(int)> exited) -> QCoro::Task<void> {
        const auto command = arguments.join(QLatin1Char(' '));
        const int exitCode = co_await Commands::run(&laptop->test_.platform(), std::move(arguments));
        laptop->note(QStringLiteral("keldoranctl %1 exits %2").arg(command).arg(exitCode));
        if (exited) {
            exited(exitCode);
        }
        --laptop->ctlRunning_;
    }(this, std::move(arguments), std::move(exited));
    // A forwarded request crosses the tray application's socket.
    for (int round = 0; round < 4; ++round) {
        settle();
    }
    manualRequest_ = false;
}

void Laptop::pause(AppModel::PauseChoice choice) {
    if (!awake_) {
        return;
    }
    const auto when = now();
    UserPause chosen;
    switch (choice) {
    case AppModel::PauseChoice::oneHour:
        chosen = UserPause{when.addSecs(hour)};
        break;
    case AppModel::PauseChoice::untilTomorrow:
        chosen = UserPause{when.toLocalTime().date().addDays(1).startOfDay().toUTC()};
        break;
    case AppModel::PauseChoice::indefinitely:
        chosen = UserPause{std::nullopt};
        break;
    }
    if (tray_) {
        userPause_ = chosen;
        tray_->model().pause(choice, when);
        return;
    }
    const std::map<AppModel::PauseChoice, QString> words{
        {AppModel::PauseChoice::oneHour, QStringLiteral("1h")},
        {AppModel::PauseChoice::untilTomorrow, QStringLiteral("tomorrow")},
        {AppModel::PauseChoice::indefinitely, QStringLiteral("indefinitely")}};
    // The user holds the pause as given only when keldoranctl said it was taken.
    ctl({QStringLiteral("pause"), words.at(choice)}, [this, chosen](int exitCode) {
        if (exitCode == 0) {
            userPause_ = chosen;
        }
    });
}

void Laptop::resume() {
    if (!userPause_) {
        return;
    }
    if (!awake_) {
        resumePending_ = true; // the user resumes once back at the machine
        return;
    }
    resumePending_ = false;
    if (tray_) {
        userPause_.reset();
        tray_->model().resume();
        return;
    }
    ctl({QStringLiteral("resume")}, [this](int exitCode) {
        if (exitCode == 0) {
            userPause_.reset();
        }
    });
}

void Laptop::setFrequency(BackupFrequency frequency) {
    if (!tray_ || !awake_) {
        return; // the preferences window belongs to the tray application
    }
    frequency_ = frequency;
    gapStart_ = now();
    gapReported_ = false;
    tray_->model().setFrequency(frequency);
}

void Laptop::setOnline(bool online) {
    online_ = online;
    test_.network.satisfied = online;
    if (awake_) {
        test_.network.report(online);
    }
}

LaptopYear Laptop::run(int days) {
    const Silenced quiet;
    const auto first = now().date();
    for (int day = 0; day < days; ++day) {
        for (auto event : planDay(first.addDays(day))) {
            // A night that ends after midnight pushes the next day's early events after it.
            event.when = std::max({event.when, worldTime_, now()});
            advanceTo(event.when);
            worldTime_ = event.when;
            apply(event);
        }
    }
    worldTime_ = std::max(worldTime_, first.addDays(days).startOfDay(Qt::UTC));
    shutDown();
    return std::move(result_);
}

} // namespace

LaptopYear LaptopYear::simulate(quint64 seed, int days) {
    // The settings file is written (and synced to disk) thousands of times: a memory file system
    // keeps a year to seconds.
    const auto temporary = qgetenv("TMPDIR");
    if (QFileInfo(QStringLiteral("/dev/shm")).isWritable()) {
        qputenv("TMPDIR", "/dev/shm");
    }
    Laptop laptop(seed);
    if (temporary.isNull()) {
        qunsetenv("TMPDIR");
    } else {
        qputenv("TMPDIR", temporary);
    }
    return laptop.run(days);
}

} // namespace keldoran
