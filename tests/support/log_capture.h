#pragma once

#include <QStringList>

namespace keldoran {

/// The lines the application logs from now on, read back from the real log file, without their
/// timestamps: "[INFO] backup: summary: …".
class LogCapture {
public:
    LogCapture();
    QStringList lines() const;
    /// Only the lines of one channel, as "message" alone.
    QStringList messages(const QString& channel) const;

private:
    qint64 start_;
};

} // namespace keldoran
