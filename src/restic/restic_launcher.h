#pragma once

#include "child_process.h"

#include <qcoro/qcoroasyncgenerator.h>
#include <qcoro/qcorotask.h>
#include <stop_token>

namespace keldoran {

/// Where restic runs go instead of a child process: a scripted stand-in, for simulations of months of
/// use that no real restic could run through in seconds. Each run answers like ResticProcess's.
class ResticLauncher {
public:
    virtual ~ResticLauncher() = default;
    virtual QCoro::Task<QByteArray> run(ChildProcess::Launch launch, std::stop_token stop) = 0;
    virtual QCoro::AsyncGenerator<QByteArray> streamLines(ChildProcess::Launch launch,
                                                          std::stop_token stop) = 0;
};

} // namespace keldoran
