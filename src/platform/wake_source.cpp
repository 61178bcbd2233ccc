#include "wake_source.h"

#include <QDBusConnection>

namespace keldoran {

namespace {
class LogindWakeSource : public WakeSource {
    Q_OBJECT
public:
    LogindWakeSource() {
        QDBusConnection::systemBus().connect(
            QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
            QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"), this,
            SLOT(prepareForSleep(bool)));
    }

private slots:
    void prepareForSleep(bool sleeping) {
        if (!sleeping) {
            emit woke();
        }
    }
};
} // namespace

std::unique_ptr<WakeSource> WakeSource::live() {
    return std::make_unique<LogindWakeSource>();
}

} // namespace keldoran

#include "wake_source.moc"
