#pragma once

#include "restic/restic_process.h"

#include <QMap>
#include <QStringList>
#include <QTemporaryDir>

namespace keldoran {

/// A scripted restic for failures that a real one cannot be made to show on demand. Each call runs the
/// bash snippet given for it and records its arguments, environment and the SIGINTs it received.
class FakeRestic {
public:
    FakeRestic();

    /// The folder holding the fake "restic" executable.
    QString binaryDirectory() const;
    /// The folder holding the plan; the fake finds it through FAKE_RESTIC_DIR.
    QString planDirectory() const { return directory_.path(); }
    /// What the N-th call (from 1) does; `defaultStep` serves every call without its own step.
    void step(int call, const QString& bash);
    void defaultStep(const QString& bash);
    /// A default step that answers by restic command (the first argument); others exit 0 silently.
    void respond(const QMap<QString, QString>& byCommand);

    int callCount() const;
    QStringList arguments(int call) const;
    /// The arguments of the latest call whose first argument is `command` (empty when there is none);
    /// for tests where background work, such as indexing, may start restic at any time.
    QStringList latestArguments(const QString& command) const;
    QMap<QString, QString> environment(int call) const;
    int interruptsReceived(int call) const;
    /// True once the call has begun waiting in await_interrupt.
    bool isWaiting(int call) const;

    /// A runner for the fake with a repository, inheriting `inherited` plus the plan's location; restic's
    /// cache goes below the plan's folder unless `withCachesFolder` is false.
    ResticProcess process(const ResticRepository& repository = testRepository(),
                          QProcessEnvironment inherited = QProcessEnvironment::systemEnvironment(),
                          bool withCachesFolder = true) const;
    static ResticRepository testRepository();

private:
    QByteArray read(const QString& name) const;
    QTemporaryDir directory_;
};

} // namespace keldoran
