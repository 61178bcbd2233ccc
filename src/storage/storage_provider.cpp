#include "storage_provider.h"

#include "base/raw_values.h"
#include "custom_endpoint.h"

#include <algorithm>
#include <QCoreApplication>

namespace keldoran {

namespace {

constexpr RawValues providerIds{std::array{
    std::pair{StorageProviderId::ionos, "ionos"}, std::pair{StorageProviderId::ovhcloud, "ovhcloud"},
    std::pair{StorageProviderId::scaleway, "scaleway"}, std::pair{StorageProviderId::custom, "custom"}}};

// The catalogue keeps English names, compared and stored; they are translated where shown.
const char* const otherStorage = QT_TRANSLATE_NOOP("StorageCatalogue", "Other S3-compatible storage");

} // namespace

QString rawValue(StorageProviderId id) {
    return providerIds.text(id);
}

std::optional<StorageProviderId> storageProviderIdFromRaw(const QString& raw) {
    return providerIds.parse(raw);
}

namespace {

StorageRegion region(StorageProviderId provider, const char* code, const char* displayName,
                     const QString& host) {
    return StorageRegion{provider, QString::fromUtf8(code), QString::fromUtf8(displayName),
                         host,     QStringLiteral("https"), false};
}

QUrl website(const char* host) {
    QUrl url;
    url.setScheme(QStringLiteral("https"));
    url.setHost(QString::fromLatin1(host));
    url.setPath(QStringLiteral("/"));
    return url;
}

StorageProvider makeIonos() {
    const auto id = StorageProviderId::ionos;
    return StorageProvider{
        id,
        QStringLiteral("IONOS"),
        StorageProvider::Availability::pendingVerification,
        std::nullopt,
        {QStringLiteral("DE"), QStringLiteral("AT")},
        region(id, "eu-central-2", QT_TRANSLATE_NOOP("StorageCatalogue", "Berlin, Germany"),
               QStringLiteral("s3-eu-central-2.ionoscloud.com")),
        {region(id, "eu-central-1", QT_TRANSLATE_NOOP("StorageCatalogue", "Frankfurt, Germany"),
                QStringLiteral("s3-eu-central-1.ionoscloud.com")),
         region(id, "eu-south-2", QT_TRANSLATE_NOOP("StorageCatalogue", "Logroño, Spain"),
                QStringLiteral("s3-eu-south-2.ionoscloud.com"))},
        website("www.ionos.com"),
        QStringLiteral("ionos"),
        QStringLiteral("IONOS Group"),
    };
}

StorageRegion ovhRegion(const char* code, const char* displayName) {
    return region(StorageProviderId::ovhcloud, code, displayName,
                  QStringLiteral("s3.%1.io.cloud.ovh.net").arg(QString::fromLatin1(code)));
}

StorageProvider makeOvhcloud() {
    return StorageProvider{
        StorageProviderId::ovhcloud,
        QStringLiteral("OVHcloud"),
        StorageProvider::Availability::pendingVerification,
        std::nullopt,
        {},
        ovhRegion("gra", QT_TRANSLATE_NOOP("StorageCatalogue", "Gravelines, France")),
        {ovhRegion("sbg", QT_TRANSLATE_NOOP("StorageCatalogue", "Strasbourg, France")),
         ovhRegion("rbx", QT_TRANSLATE_NOOP("StorageCatalogue", "Roubaix, France")),
         ovhRegion("de", QT_TRANSLATE_NOOP("StorageCatalogue", "Frankfurt, Germany")),
         ovhRegion("waw", QT_TRANSLATE_NOOP("StorageCatalogue", "Warsaw, Poland"))},
        website("www.ovhcloud.com"),
        QStringLiteral("ovhcloud"),
        std::nullopt,
    };
}

StorageRegion scalewayRegion(const char* code, const char* displayName) {
    return region(StorageProviderId::scaleway, code, displayName,
                  QStringLiteral("s3.%1.scw.cloud").arg(QString::fromLatin1(code)));
}

StorageProvider makeScaleway() {
    return StorageProvider{
        StorageProviderId::scaleway,
        QStringLiteral("Scaleway"),
        StorageProvider::Availability::offered,
        StorageProvider::Pricing{
            0.01606, QStringLiteral("2026-09-18"),
            QStringLiteral("Scaleway Object Storage pricing page, Standard Multi-AZ class "
                           "(One Zone €0.00803, Glacier €0.00254 per GB and month)")},
        {},
        scalewayRegion("fr-par", QT_TRANSLATE_NOOP("StorageCatalogue", "Paris, France")),
        {scalewayRegion("nl-ams", QT_TRANSLATE_NOOP("StorageCatalogue", "Amsterdam, Netherlands")),
         scalewayRegion("pl-waw", QT_TRANSLATE_NOOP("StorageCatalogue", "Warsaw, Poland"))},
        website("www.scaleway.com"),
        QStringLiteral("scaleway"),
        std::nullopt,
    };
}

} // namespace

QString StorageProvider::shownName() const {
    return id == ID::custom ? QCoreApplication::translate("StorageCatalogue", otherStorage) : displayName;
}

QString StorageRegion::shownName() const {
    return provider == StorageProviderId::custom
               ? displayName
               : QCoreApplication::translate("StorageCatalogue", displayName.toUtf8().constData());
}

const QList<StorageProvider>& StorageProvider::all() {
    static const QList<StorageProvider> providers{makeIonos(), makeOvhcloud(), makeScaleway()};
    return providers;
}

QList<StorageProvider> StorageProvider::offered() {
    QList<StorageProvider> offered;
    std::copy_if(
        all().begin(), all().end(), std::back_inserter(offered),
        [](const StorageProvider& provider) { return provider.availability == Availability::offered; });
    return offered;
}

const StorageProvider& StorageProvider::ionos() {
    return all()[0];
}

const StorageProvider& StorageProvider::ovhcloud() {
    return all()[1];
}

const StorageProvider& StorageProvider::scaleway() {
    return all()[2];
}

StorageProvider StorageProvider::custom(StorageRegion region) {
    region.provider = ID::custom;
    if (region.code.isEmpty()) {
        region.code = QLatin1String(defaultCustomRegion);
    }
    if (region.displayName.isEmpty()) {
        region.displayName = region.endpointHost;
    }
    return StorageProvider{
        ID::custom,
        QString::fromUtf8(otherStorage),
        Availability::offered,
        std::nullopt,
        {},
        std::move(region),
        {},
        QUrl(),
        QString(),
        std::nullopt,
    };
}

const StorageProvider& StorageProvider::withId(ID id) {
    static const auto other = custom({});
    switch (id) {
    case ID::ionos:
        return ionos();
    case ID::ovhcloud:
        return ovhcloud();
    case ID::custom:
        return other;
    case ID::scaleway:
        break;
    }
    return scaleway();
}

StorageProvider StorageProvider::preferredDefault(const QLocale& locale) {
    const auto candidates = offered();
    if (locale.territory() != QLocale::AnyTerritory) {
        const auto country = QLocale::territoryToCode(locale.territory());
        for (const auto& provider : candidates) {
            if (provider.countryAffinity.contains(country)) {
                return provider;
            }
        }
    }
    for (const auto& provider : candidates) {
        if (provider.id == ID::ovhcloud) {
            return provider;
        }
    }
    return candidates.isEmpty() ? ovhcloud() : candidates.first();
}

QList<StorageRegion> StorageProvider::allRegions() const {
    return QList<StorageRegion>{defaultRegion} + otherRegions;
}

std::optional<StorageRegion> StorageProvider::region(const QString& code) const {
    if (id == ID::custom) {
        // Its one region is whatever the server calls it, at the endpoint given.
        if (!CustomEndpoint::isRegionCode(code)) {
            return std::nullopt;
        }
        auto named = defaultRegion;
        named.code = code;
        return named;
    }
    for (const auto& candidate : allRegions()) {
        if (candidate.code == code) {
            return candidate;
        }
    }
    return std::nullopt;
}

std::optional<double> StorageProvider::monthlyCost(qint64 bytes) const {
    if (!pricing) {
        return std::nullopt;
    }
    return double(bytes) / 1e9 * pricing->eurPerGBMonth;
}

} // namespace keldoran
