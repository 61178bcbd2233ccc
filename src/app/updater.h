#pragma once

#include <optional>
#include <QObject>
#include <QUrl>

class QNetworkAccessManager;

namespace keldoran {

class Workspace;

/// One release in the appcast.
struct AppcastItem {
    QString title;
    /// The build's version, compared with this build's ("sparkle:version").
    QString versionString;
    /// The version people see ("sparkle:shortVersionString"); the version when absent.
    QString displayVersionString;
    /// Where the release is downloaded from: the item's link, else its enclosure.
    QUrl downloadPage;
    bool operator==(const AppcastItem&) const = default;
};

/// Reads the appcast (RSS with Sparkle's version attributes) when asked and logs every event on the
/// "updater" channel. Installing opens the release's download page; Keldoran never replaces itself.
class Updater : public QObject {
    Q_OBJECT
public:
    struct Failure {
        QString domain;
        int code = 0;
        QString description;
    };

    /// `feed` may be empty: the build has no appcast. `currentVersion` is this build's version string.
    Updater(QUrl feed, QString currentVersion, QObject* parent = nullptr);
    ~Updater() override;

    /// The appcast compiled into this build (none unless configured), and this build's version string:
    /// its build number, or its version when the build number is unknown.
    static QUrl configuredFeed();
    static QString buildVersion();

    void setWorkspace(Workspace* workspace) { workspace_ = workspace; }
    /// The menu's "Check for updates…".
    void checkForUpdates();
    /// Opens the release's download page.
    void install(const AppcastItem& item);

    /// The items of an appcast, or why it cannot be read.
    static std::optional<QList<AppcastItem>> parseAppcast(const QByteArray& xml, Failure* failure);
    /// Negative, zero or positive as `a` is older than, the same as or newer than `b`; runs of digits
    /// compare by value ("1.10" is newer than "1.9").
    static int compareVersions(const QString& a, const QString& b);

signals:
    void updateFound(AppcastItem item);
    void noUpdateFound();
    void checkAborted(QString description);

private:
    void finishCheck(const QByteArray& body);
    void abort(const Failure& failure);

    QUrl feed_;
    QString currentVersion_;
    QNetworkAccessManager* network_ = nullptr;
    Workspace* workspace_ = nullptr;
};

} // namespace keldoran
