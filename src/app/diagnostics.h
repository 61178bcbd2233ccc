#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

namespace keldoran {

/// One diagnostic report: when the period it covers ended, and its JSON.
struct DiagnosticPayload {
    QDateTime timeStampEnd;
    QByteArray jsonRepresentation;
};

/// Keeps every diagnostic report as a JSON file beside the log file, so that sending the log folder sends
/// them too. Nothing is uploaded.
class Diagnostics {
public:
    explicit Diagnostics(QString logFolder);

    /// Writes each payload to "diagnostic-<end time>-<index>.json" and logs it.
    void didReceive(const QList<DiagnosticPayload>& payloads) const;

    /// The crash payloads the fatal-signal handler left in `pendingFolder`, oldest first, removed from
    /// it as they are read: what the next launch delivers.
    static QList<DiagnosticPayload> takePending(const QString& pendingFolder);
    /// Where the fatal-signal handler leaves its payloads: a folder inside the log folder.
    static QString pendingFolder(const QString& logFolder);

private:
    QString logFolder_;
};

} // namespace keldoran
