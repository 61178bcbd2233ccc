#include "updater.h"

#include "build_info.h"
#include "logging/log.h"
#include "platform/workspace.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace keldoran {

namespace {

const QString sparkleNamespace = QStringLiteral("http://www.andymatuschak.org/xml-namespaces/sparkle");

} // namespace

Updater::Updater(QUrl feed, QString currentVersion, QObject* parent)
    : QObject(parent)
    , feed_(std::move(feed))
    , currentVersion_(std::move(currentVersion)) {
    Log::updater().info(
        QStringLiteral("updater started (feed: %1)")
            .arg(feed_.isEmpty() ? QStringLiteral("none") : feed_.toString(QUrl::FullyEncoded)));
}

Updater::~Updater() = default;

QUrl Updater::configuredFeed() {
    return QUrl(QString::fromUtf8(BuildInfo::updateFeed));
}

QString Updater::buildVersion() {
    const auto build = QString::fromLatin1(BuildInfo::buildNumber);
    return build == QLatin1String("?") ? QString::fromLatin1(BuildInfo::version) : build;
}

void Updater::checkForUpdates() {
    Log::updater().info(QStringLiteral("manual update check requested"));
    if (feed_.isEmpty()) {
        abort({QStringLiteral("Updater"), 1, tr("This build has no update feed.")});
        return;
    }
    if (!network_) {
        network_ = new QNetworkAccessManager(this);
    }
    QNetworkRequest request(feed_);
    request.setTransferTimeout(30000);
    auto* reply = network_->get(request);
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        reply->deleteLater();
        if (reply->error() != QNetworkReply::NoError) {
            abort({QStringLiteral("QNetworkReply"), int(reply->error()), reply->errorString()});
            return;
        }
        finishCheck(reply->readAll());
    });
}

void Updater::finishCheck(const QByteArray& body) {
    Failure failure;
    const auto items = parseAppcast(body, &failure);
    if (!items) {
        abort(failure);
        return;
    }
    Log::updater().info(QStringLiteral("appcast loaded (%1 items)").arg(items->size()));
    std::optional<AppcastItem> newest;
    for (const auto& item : *items) {
        if (compareVersions(item.versionString, currentVersion_) > 0 &&
            (!newest || compareVersions(item.versionString, newest->versionString) > 0)) {
            newest = item;
        }
    }
    if (!newest) {
        Log::updater().info(QStringLiteral("no update available"));
        emit noUpdateFound();
        return;
    }
    Log::updater().info(
        QStringLiteral("update found: %1 (%2)").arg(newest->displayVersionString, newest->versionString));
    emit updateFound(*newest);
}

void Updater::abort(const Failure& failure) {
    Log::updater().error(QStringLiteral("check aborted: %1 %2 — %3")
                             .arg(failure.domain)
                             .arg(failure.code)
                             .arg(failure.description));
    emit checkAborted(failure.description);
}

void Updater::install(const AppcastItem& item) {
    Log::updater().info(QStringLiteral("installing update ") + item.displayVersionString);
    if (workspace_) {
        workspace_->openUrl(item.downloadPage);
    }
}

std::optional<QList<AppcastItem>> Updater::parseAppcast(const QByteArray& xml, Failure* failure) {
    QXmlStreamReader reader(xml);
    QList<AppcastItem> items;
    bool sawChannel = false;
    std::optional<AppcastItem> item;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            const auto name = reader.name();
            const bool sparkle = reader.namespaceUri() == sparkleNamespace;
            if (name == QLatin1String("channel") && !sparkle) {
                sawChannel = true;
            } else if (name == QLatin1String("item") && !sparkle) {
                item = AppcastItem{};
            } else if (item && name == QLatin1String("title") && !sparkle) {
                item->title = reader.readElementText();
            } else if (item && name == QLatin1String("link") && !sparkle) {
                item->downloadPage = QUrl(reader.readElementText().trimmed());
            } else if (item && sparkle && name == QLatin1String("version")) {
                item->versionString = reader.readElementText().trimmed();
            } else if (item && sparkle && name == QLatin1String("shortVersionString")) {
                item->displayVersionString = reader.readElementText().trimmed();
            } else if (item && name == QLatin1String("enclosure")) {
                const auto attributes = reader.attributes();
                if (item->versionString.isEmpty()) {
                    item->versionString =
                        attributes.value(sparkleNamespace, QStringLiteral("version")).toString();
                }
                if (item->displayVersionString.isEmpty()) {
                    item->displayVersionString =
                        attributes.value(sparkleNamespace, QStringLiteral("shortVersionString")).toString();
                }
                if (item->downloadPage.isEmpty()) {
                    item->downloadPage = QUrl(attributes.value(QStringLiteral("url")).toString());
                }
            }
        } else if (reader.isEndElement() && reader.name() == QLatin1String("item") && item) {
            // An item without a version cannot be compared: it is not offered.
            if (!item->versionString.isEmpty()) {
                if (item->displayVersionString.isEmpty()) {
                    item->displayVersionString = item->versionString;
                }
                items.append(*item);
            }
            item.reset();
        }
    }
    if (reader.hasError()) {
        //: %1 is the XML reader's own description of the error.
        *failure = {QStringLiteral("Appcast"), 1,
                    tr("The update feed is not well-formed XML: %1").arg(reader.errorString())};
        return std::nullopt;
    }
    if (!sawChannel) {
        *failure = {QStringLiteral("Appcast"), 2, tr("The update feed is not an RSS appcast.")};
        return std::nullopt;
    }
    return items;
}

int Updater::compareVersions(const QString& a, const QString& b) {
    static const QRegularExpression separators(QStringLiteral("[^0-9A-Za-z]+"));
    const auto left = a.split(separators, Qt::SkipEmptyParts);
    const auto right = b.split(separators, Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < std::max(left.size(), right.size()); ++i) {
        // A missing part counts as zero, so "1.2" equals "1.2.0".
        const auto x = left.value(i, QStringLiteral("0"));
        const auto y = right.value(i, QStringLiteral("0"));
        bool xNumber = false;
        bool yNumber = false;
        const auto xValue = x.toULongLong(&xNumber);
        const auto yValue = y.toULongLong(&yNumber);
        if (xNumber && yNumber) {
            if (xValue != yValue) {
                return xValue < yValue ? -1 : 1;
            }
        } else if (const int order = QString::compare(x, y); order != 0) {
            return order < 0 ? -1 : 1;
        }
    }
    return 0;
}

} // namespace keldoran
