#include "code_identity.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>

QString codeIdentity() {
    static const QString identity = [] {
        const QString team =
            QStringLiteral("team none (ad-hoc/unsigned — a TCC grant will not survive the next build)");
        QFile executable(QCoreApplication::applicationFilePath());
        QCryptographicHash hash(QCryptographicHash::Sha256);
        const bool hashed = executable.open(QIODevice::ReadOnly) && hash.addData(&executable);
        const auto cdhash = hashed ? QStringLiteral("cdhash ") + QString::fromLatin1(hash.result().toHex())
                                   : QStringLiteral("cdhash unavailable");
        return team + QStringLiteral(", ") + cdhash;
    }();
    return identity;
}
