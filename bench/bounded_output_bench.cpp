// What Keldoran holds while something outside floods it: 200 MB of restic standard error, a 200 MB
// restic document, a 200 MB control line without end, and 100 control connections at once.
//   bounded_output_bench stderr|document|control FOLDER     prints "peak-KiB baseline-KiB [held]"
#include "control/control_server.h"
#include "restic/restic_process.h"

#include <cstdio>
#include <QCoreApplication>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QTimer>
#include <sys/resource.h>

using namespace keldoran;

namespace {

constexpr qint64 flood = 200'000'000;

long peakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A "restic" in `folder` that runs `script`.
ResticProcess scripted(const QString& folder, const QByteArray& script) {
    QFile file(folder + QStringLiteral("/restic"));
    file.open(QIODevice::WriteOnly);
    file.write("#!/usr/bin/env bash\n" + script + "\n");
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    file.close();
    return ResticProcess(ResticBinary{file.fileName()}, ResticRepository{},
                         {QProcessEnvironment::systemEnvironment(), folder, {}});
}

QCoro::Task<void> runFlood(ResticProcess process) {
    try {
        co_await process.run({});
    } catch (const std::exception&) {
        // Failing is the expected end: the point is what was held meanwhile.
    }
    QCoreApplication::quit();
}

void floodControl(const QString& folder, int* held) {
    auto* server = new ControlServer(*new SystemClock, [](const QJsonObject&) { return QJsonObject(); });
    const auto path = folder + QStringLiteral("/control.socket");
    server->listen(path);
    auto* writer = new QProcess;
    writer->start(QStringLiteral("python3"),
                  {QStringLiteral("-c"),
                   QStringLiteral("import socket\ns = socket.socket(socket.AF_UNIX)\ns.connect('%1')\n"
                                  "try:\n    s.sendall(b'x' * %2)\nexcept OSError:\n    pass\n")
                       .arg(path)
                       .arg(flood)});
    QObject::connect(writer, &QProcess::finished, [server, path, held] {
        static std::vector<std::unique_ptr<QLocalSocket>> clients;
        for (int index = 0; index < 100; ++index) {
            clients.push_back(std::make_unique<QLocalSocket>());
            clients.back()->connectToServer(path);
        }
        QTimer::singleShot(500, [server, held] {
            *held = server->connectionCount();
            QCoreApplication::quit();
        });
    });
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const auto mode = application.arguments().value(1);
    const auto folder = application.arguments().value(2);
    const long baseline = peakResidentKiB();
    int held = -1;
    const auto bytes = QByteArray::number(flood);
    if (mode == QLatin1String("stderr")) {
        QTimer::singleShot(0, [&] {
            runFlood(scripted(
                folder,
                "yes 'Stat(<config/>) returned error, retrying after 678ms: dial tcp: connect: connection "
                "refused' | head -c " +
                    bytes + " >&2; exit 1"));
        });
    } else if (mode == QLatin1String("document")) {
        QTimer::singleShot(0, [&] {
            runFlood(scripted(
                folder,
                "yes '{\"time\":\"2026-01-01T00:00:00Z\",\"tree\":\"t\",\"paths\":[\"/h\"],\"id\":\"x\"},' | "
                "head -c " +
                    bytes));
        });
    } else if (mode == QLatin1String("control")) {
        QTimer::singleShot(0, [&] { floodControl(folder, &held); });
    } else {
        std::fprintf(stderr, "usage: bounded_output_bench stderr|document|control FOLDER\n");
        return 2;
    }
    application.exec();
    std::printf("%ld %ld %d\n", peakResidentKiB(), baseline, held);
    return 0;
}
