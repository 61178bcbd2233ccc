#include "log_capture.h"

#include "logging/log_file.h"

#include <QFile>
#include <QFileInfo>

namespace keldoran {

LogCapture::LogCapture() {
    LogFile::shared().flush();
    start_ = QFileInfo(LogFile::shared().currentPath()).size();
}

QStringList LogCapture::lines() const {
    LogFile::shared().flush();
    QFile file(LogFile::shared().currentPath());
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    file.seek(start_);
    QStringList lines;
    for (const auto& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        lines.append(line.mid(line.indexOf(QLatin1Char(' ')) + 1));
    }
    return lines;
}

QStringList LogCapture::messages(const QString& channel) const {
    QStringList messages;
    for (const auto& line : lines()) {
        const auto marker = line.indexOf(QLatin1String("] ") + channel + QLatin1String(": "));
        if (marker >= 0) {
            messages.append(line.mid(marker + 2 + channel.size() + 2));
        }
    }
    return messages;
}

} // namespace keldoran
