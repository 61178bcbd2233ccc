#pragma once

#include "storage_region.h"

#include <optional>
#include <QList>
#include <QLocale>
#include <QSet>
#include <QUrl>

namespace keldoran {

/// A European S3 provider the system stores backups with. The catalogue is compiled in and immutable;
/// "Other S3-compatible storage" stands beside it with the one endpoint and region the user gives.
struct StorageProvider {
    using ID = StorageProviderId;

    enum class Availability { offered, pendingVerification };

    struct Pricing {
        /// Euros per gigabyte (10^9 bytes) and month.
        double eurPerGBMonth = 0;
        QString checked;
        QString source;
        bool operator==(const Pricing&) const = default;
    };

    ID id = ID::scaleway;
    QString displayName;
    Availability availability = Availability::pendingVerification;
    std::optional<Pricing> pricing;
    QSet<QString> countryAffinity;
    StorageRegion defaultRegion;
    QList<StorageRegion> otherRegions;
    QUrl signupURL;
    QString setupGuideSlug;
    std::optional<QString> parentGroup;
    bool operator==(const StorageProvider&) const = default;

    /// The three providers, in catalogue order.
    static const QList<StorageProvider>& all();
    /// Those the setup wizard offers (today only Scaleway).
    static QList<StorageProvider> offered();
    static const StorageProvider& ionos();
    static const StorageProvider& ovhcloud();
    static const StorageProvider& scaleway();
    /// Any other S3-compatible storage, reached at `region`'s endpoint; without a code the region is
    /// "us-east-1", the name most such servers answer to.
    static StorageProvider custom(StorageRegion region);
    static constexpr const char* defaultCustomRegion = "us-east-1";
    /// A catalogue provider, or for `custom` one with no endpoint yet.
    static const StorageProvider& withId(ID id);
    /// The provider the setup wizard proposes first for a user of `locale`.
    static StorageProvider preferredDefault(const QLocale& locale);

    /// The name in the user's language (brand names stay as they are).
    QString shownName() const;
    /// The default region followed by the others.
    QList<StorageRegion> allRegions() const;
    /// The region with exactly this code (case-sensitive), looked up within this provider only; for a
    /// custom storage, its endpoint under any code.
    std::optional<StorageRegion> region(const QString& code) const;
    /// Estimated euros per month for `bytes` stored; none without a recorded price, never zero for that.
    std::optional<double> monthlyCost(qint64 bytes) const;
};

} // namespace keldoran
