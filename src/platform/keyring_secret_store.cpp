#include "keyring_secret_store.h"

#include <QCoreApplication>
#include <qcoro/qcorodbus.h>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QMap>

namespace keldoran {

namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(KeyringSecretStore)
};

// The Secret Service's secret structure, (oayays).
struct SecretValue {
    QDBusObjectPath session;
    QByteArray parameters;
    QByteArray value;
    QString contentType;
};

} // namespace

} // namespace keldoran

Q_DECLARE_METATYPE(keldoran::SecretValue)

namespace keldoran {

namespace {

using Attributes = QMap<QString, QString>;

QDBusArgument& operator<<(QDBusArgument& argument, const SecretValue& secret) {
    argument.beginStructure();
    argument << secret.session << secret.parameters << secret.value << secret.contentType;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, SecretValue& secret) {
    argument.beginStructure();
    argument >> secret.session >> secret.parameters >> secret.value >> secret.contentType;
    argument.endStructure();
    return argument;
}

void registerTypes() {
    static const bool registered = [] {
        qDBusRegisterMetaType<SecretValue>();
        qDBusRegisterMetaType<Attributes>();
        return true;
    }();
    Q_UNUSED(registered);
}

const QString serviceName = QStringLiteral("org.freedesktop.secrets");
const QString servicePath = QStringLiteral("/org/freedesktop/secrets");
const QString defaultCollection = QStringLiteral("/org/freedesktop/secrets/aliases/default");
const QString serviceInterface = QStringLiteral("org.freedesktop.Secret.Service");
const QString collectionInterface = QStringLiteral("org.freedesktop.Secret.Collection");
const QString itemInterface = QStringLiteral("org.freedesktop.Secret.Item");
const QString noPrompt = QStringLiteral("/");

using Failure = SecretStore::Failure;

Failure lockedFailure() {
    return {KeyringSecretStore::locked, Text::tr("The keyring is locked.")};
}

Failure failureOf(const QDBusMessage& reply) {
    const auto name = reply.errorName();
    if (name == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
        name == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner") ||
        name == QLatin1String("org.freedesktop.DBus.Error.Spawn.ServiceNotFound")) {
        return {KeyringSecretStore::noService, Text::tr("No Secret Service is running on this session.")};
    }
    if (name == QLatin1String("org.freedesktop.Secret.Error.IsLocked")) {
        return lockedFailure();
    }
    if (name == QLatin1String("org.freedesktop.Secret.Error.NoSuchObject") ||
        name == QLatin1String("org.freedesktop.DBus.Error.UnknownObject")) {
        return {KeyringSecretStore::otherError, Text::tr("The keyring has no default collection.")};
    }
    return {KeyringSecretStore::otherError, reply.errorMessage()};
}

// Awaited by the caller under a name: braced arguments inside an awaited expression trip the compiler.
QDBusPendingCall call(const QString& path, const QString& interface, const QString& method,
                      const QVariantList& arguments) {
    auto message = QDBusMessage::createMethodCall(serviceName, path, interface, method);
    message.setArguments(arguments);
    return QDBusConnection::sessionBus().asyncCall(message);
}

bool failed(const QDBusMessage& reply) {
    return reply.type() == QDBusMessage::ErrorMessage;
}

template <typename T> T argumentOf(const QDBusMessage& reply, int index) {
    return qdbus_cast<T>(reply.arguments().value(index));
}

// Items of this service and account, whoever stored them: the unlocked ones and the locked ones.
struct Search {
    std::optional<Failure> failure;
    QList<QDBusObjectPath> unlocked;
    QList<QDBusObjectPath> locked;
};

QCoro::Task<Search> search(const QString& service, const QString& account) {
    registerTypes();
    const Attributes attributes{{QStringLiteral("server"), service}, {QStringLiteral("user"), account}};
    const auto pending =
        call(servicePath, serviceInterface, QStringLiteral("SearchItems"), {QVariant::fromValue(attributes)});
    const QDBusMessage reply = co_await pending;
    if (failed(reply)) {
        co_return Search{failureOf(reply), {}, {}};
    }
    Search found;
    found.unlocked = argumentOf<QList<QDBusObjectPath>>(reply, 0);
    found.locked = argumentOf<QList<QDBusObjectPath>>(reply, 1);
    co_return found;
}

// A session without transport encryption: the secret only crosses the local session bus.
struct Session {
    std::optional<Failure> failure;
    QDBusObjectPath path;
};

QCoro::Task<Session> openSession() {
    const auto pending = call(servicePath, serviceInterface, QStringLiteral("OpenSession"),
                              {QStringLiteral("plain"), QVariant::fromValue(QDBusVariant(QString()))});
    const QDBusMessage reply = co_await pending;
    if (failed(reply)) {
        co_return Session{failureOf(reply), {}};
    }
    co_return Session{std::nullopt, reply.arguments().value(1).value<QDBusObjectPath>()};
}

void closeSession(const QDBusObjectPath& session) {
    QDBusConnection::sessionBus().asyncCall(QDBusMessage::createMethodCall(
        serviceName, session.path(), QStringLiteral("org.freedesktop.Secret.Session"),
        QStringLiteral("Close")));
}

// Whether the default collection is locked. A store with no default collection holds nothing, so it is
// not locked; any other failure to ask means the store cannot be read.
QCoro::Task<std::optional<Failure>> lockedCollection() {
    const auto pending = call(defaultCollection, QStringLiteral("org.freedesktop.DBus.Properties"),
                              QStringLiteral("Get"), {collectionInterface, QStringLiteral("Locked")});
    const QDBusMessage reply = co_await pending;
    if (failed(reply)) {
        if (reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.UnknownObject") ||
            reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.UnknownMethod") ||
            reply.errorName() == QLatin1String("org.freedesktop.Secret.Error.NoSuchObject")) {
            co_return std::nullopt;
        }
        co_return failureOf(reply);
    }
    if (reply.arguments().value(0).value<QDBusVariant>().variant().toBool()) {
        co_return lockedFailure();
    }
    co_return std::nullopt;
}

// Deletes the items. Deleting never needs a prompt for an unlocked item; one that asks is left alone.
QCoro::Task<std::optional<Failure>> deleteItems(QList<QDBusObjectPath> items) {
    for (const auto& item : items) {
        const auto pending = call(item.path(), itemInterface, QStringLiteral("Delete"), {});
        const QDBusMessage reply = co_await pending;
        if (failed(reply)) {
            co_return failureOf(reply);
        }
        if (reply.arguments().value(0).value<QDBusObjectPath>().path() != noPrompt) {
            co_return lockedFailure();
        }
    }
    co_return std::nullopt;
}

QCoro::Task<std::optional<Failure>> storeSecret(const QString& service, const QString& account,
                                                const QDBusObjectPath& session, const QString& value) {
    const auto found = co_await search(service, account);
    if (found.failure) {
        co_return found.failure;
    }
    if (!found.locked.isEmpty()) {
        co_return lockedFailure();
    }
    const SecretValue secret{session, {}, value.toUtf8(), QStringLiteral("text/plain")};
    if (!found.unlocked.isEmpty()) {
        // Replace in place, and drop any duplicates another tool left.
        const auto pending = call(found.unlocked.first().path(), itemInterface, QStringLiteral("SetSecret"),
                                  {QVariant::fromValue(secret)});
        const QDBusMessage reply = co_await pending;
        if (failed(reply)) {
            co_return failureOf(reply);
        }
        const auto others = found.unlocked.mid(1);
        auto duplicates = co_await deleteItems(others);
        co_return duplicates;
    }
    const Attributes attributes{{QStringLiteral("server"), service},
                                {QStringLiteral("user"), account},
                                {QStringLiteral("type"), QStringLiteral("plaintext")},
                                {QStringLiteral("xdg:schema"), QStringLiteral("org.qt.keychain")}};
    const QVariantMap properties{
        {QStringLiteral("org.freedesktop.Secret.Item.Label"),
         QStringLiteral("%1 (%2)").arg(account, service)},
        {QStringLiteral("org.freedesktop.Secret.Item.Attributes"), QVariant::fromValue(attributes)}};
    const auto pending = call(defaultCollection, collectionInterface, QStringLiteral("CreateItem"),
                              {properties, QVariant::fromValue(secret), true});
    const QDBusMessage reply = co_await pending;
    if (failed(reply)) {
        co_return failureOf(reply);
    }
    // A prompt means the collection must be unlocked first.
    if (reply.arguments().value(1).value<QDBusObjectPath>().path() != noPrompt) {
        co_return lockedFailure();
    }
    co_return std::nullopt;
}

} // namespace

QCoro::Task<SecretStore::ReadResult> KeyringSecretStore::read(QString service, QString account) {
    const auto found = co_await search(service, account);
    if (found.failure) {
        co_return ReadResult{std::nullopt, found.failure};
    }
    if (found.unlocked.isEmpty()) {
        if (!found.locked.isEmpty()) {
            co_return ReadResult{std::nullopt, lockedFailure()};
        }
        // Some stores hide the items of a locked collection altogether.
        auto locked = co_await lockedCollection();
        co_return ReadResult{std::nullopt, std::move(locked)};
    }
    const auto session = co_await openSession();
    if (session.failure) {
        co_return ReadResult{std::nullopt, session.failure};
    }
    const auto pending = call(found.unlocked.first().path(), itemInterface, QStringLiteral("GetSecret"),
                              {QVariant::fromValue(session.path)});
    const QDBusMessage reply = co_await pending;
    closeSession(session.path);
    if (failed(reply)) {
        co_return ReadResult{std::nullopt, failureOf(reply)};
    }
    const auto secret = argumentOf<SecretValue>(reply, 0);
    co_return ReadResult{QString::fromUtf8(secret.value), std::nullopt};
}

QCoro::Task<std::optional<SecretStore::Failure>> KeyringSecretStore::write(QString service, QString account,
                                                                           QString value) {
    registerTypes();
    const auto session = co_await openSession();
    if (session.failure) {
        co_return session.failure;
    }
    auto failure = co_await storeSecret(service, account, session.path, value);
    closeSession(session.path);
    co_return failure;
}

QCoro::Task<std::optional<SecretStore::Failure>> KeyringSecretStore::remove(QString service,
                                                                            QString account) {
    const auto found = co_await search(service, account);
    if (found.failure) {
        co_return found.failure;
    }
    if (!found.locked.isEmpty()) {
        co_return lockedFailure();
    }
    auto failure = co_await deleteItems(found.unlocked);
    co_return failure;
}

} // namespace keldoran
