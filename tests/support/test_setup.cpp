#include "test_setup.h"

#include "logging/log.h"
#include "platform/system_log.h"

#include <csignal>
#include <cstdio>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QThread>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace keldoran {

namespace {
// Log lines still reach the log file, which tests read; the system log stays quiet.
class QuietSystemLog : public SystemLog {
public:
    void write(Level, const QString&, const QString&) override {}
};
// The processes whose parent is this one; zombies among them are reaped and left out.
QList<pid_t> livingChildren() {
    QList<pid_t> children;
    for (const auto& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool numeric = false;
        const auto pid = pid_t(entry.toInt(&numeric));
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!numeric || !stat.open(QIODevice::ReadOnly)) {
            continue;
        }
        // "pid (name) state ppid ...": the name may hold spaces, so read after its closing parenthesis.
        const auto text = stat.readAll();
        const auto after = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (after.size() < 2 || after[1].toInt() != ::getpid()) {
            continue;
        }
        if (after[0] == "Z") {
            ::waitpid(pid, nullptr, WNOHANG);
            continue;
        }
        children.append(pid);
    }
    return children;
}

QString commandLineOf(pid_t pid) {
    QFile file(QStringLiteral("/proc/%1/cmdline").arg(pid));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll().replace('\0', ' ')).trimmed()
                                          : QString();
}

} // namespace

int endTestProcess(int status) {
    QElapsedTimer waited;
    waited.start();
    auto left = livingChildren();
    while (!left.isEmpty() && waited.elapsed() < 3000) {
        QThread::msleep(20);
        left = livingChildren();
    }
    for (const auto pid : left) {
        std::fprintf(stderr, "FAILED: the test left process %d running: %s\n", int(pid),
                     commandLineOf(pid).toLocal8Bit().constData());
        ::kill(-pid, SIGKILL);
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }
    return left.isEmpty() ? status : 1;
}

void prepareTestProcess() {
    ::prctl(PR_SET_CHILD_SUBREAPER, 1);
    static QTemporaryDir folders;
    for (const char* variable : {"XDG_STATE_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"}) {
        qputenv(variable, (folders.path() + QLatin1Char('/') + QLatin1String(variable)).toUtf8());
    }
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        qputenv("XDG_RUNTIME_DIR", folders.path().toUtf8());
    }
    // Widgets, and a keldoran started by a test, render offscreen: no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Log::setSystemLog(std::make_unique<QuietSystemLog>());
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    // A keldoran or keldoranctl started by a test speaks English, whatever the machine's language.
    qputenv("LC_ALL", "C.UTF-8");
    qunsetenv("LANGUAGE");
}

} // namespace keldoran
