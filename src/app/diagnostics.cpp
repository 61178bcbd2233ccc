#include "diagnostics.h"

#include "logging/log.h"
#include "platform/private_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace keldoran {

Diagnostics::Diagnostics(QString logFolder)
    : logFolder_(std::move(logFolder)) {}

void Diagnostics::didReceive(const QList<DiagnosticPayload>& payloads) const {
    if (payloads.isEmpty()) {
        return;
    }
    PrivateFiles::makeFolder(logFolder_);
    for (qsizetype index = 0; index < payloads.size(); ++index) {
        const auto& payload = payloads[index];
        const auto name = QStringLiteral("diagnostic-%1-%2.json")
                              .arg(payload.timeStampEnd.toUTC().toString(Qt::ISODate))
                              .arg(index);
        QFile file(logFolder_ + QLatin1Char('/') + name);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate,
                      QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
            file.write(payload.jsonRepresentation);
        }
        Log::lifecycle().error(QStringLiteral("crash report received — persisted to ") + name);
    }
}

QString Diagnostics::pendingFolder(const QString& logFolder) {
    return logFolder + QStringLiteral("/pending-diagnostics");
}

QList<DiagnosticPayload> Diagnostics::takePending(const QString& pendingFolder) {
    QList<DiagnosticPayload> payloads;
    // Filtered by hand: a name filter would load the regular-expression engine into every launch.
    const auto files = QDir(pendingFolder).entryInfoList(QDir::Files, QDir::Time | QDir::Reversed);
    for (const auto& info : files) {
        if (!info.fileName().endsWith(QLatin1String(".json"))) {
            continue;
        }
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly)) {
            continue;
        }
        const auto json = file.readAll();
        file.close();
        // The crash time the handler recorded; a payload cut short by the crash keeps its file's time.
        auto end = QDateTime::fromString(
            QJsonDocument::fromJson(json).object().value(QLatin1String("time")).toString(), Qt::ISODate);
        if (!end.isValid()) {
            end = info.lastModified().toUTC();
        }
        payloads.append({end, json});
        QFile::remove(info.filePath());
    }
    return payloads;
}

} // namespace keldoran
