#include "storage/storage_provider.h"

#include <gtest/gtest.h>

namespace keldoran {

TEST(StorageProvider, holdsTheCatalogue) {
    const auto& all = StorageProvider::all();
    ASSERT_EQ(all.size(), 3);
    EXPECT_EQ(all[0].id, StorageProviderId::ionos);
    EXPECT_EQ(all[1].id, StorageProviderId::ovhcloud);
    EXPECT_EQ(all[2].id, StorageProviderId::scaleway);
    ASSERT_EQ(StorageProvider::offered().size(), 1);
    EXPECT_EQ(StorageProvider::offered()[0], StorageProvider::scaleway());

    const auto& ionos = StorageProvider::ionos();
    EXPECT_EQ(ionos.displayName, QStringLiteral("IONOS"));
    EXPECT_EQ(ionos.countryAffinity, (QSet<QString>{"DE", "AT"}));
    EXPECT_EQ(ionos.parentGroup, QStringLiteral("IONOS Group"));
    EXPECT_FALSE(ionos.pricing.has_value());
    QStringList regions;
    for (const auto& region : ionos.allRegions()) {
        regions << region.code + QLatin1Char('=') + region.displayName + QLatin1Char('@') +
                       region.endpointHost;
    }
    EXPECT_EQ(regions, (QStringList{"eu-central-2=Berlin, Germany@s3-eu-central-2.ionoscloud.com",
                                    "eu-central-1=Frankfurt, Germany@s3-eu-central-1.ionoscloud.com",
                                    "eu-south-2=Logroño, Spain@s3-eu-south-2.ionoscloud.com"}));
    QStringList ovh;
    for (const auto& region : StorageProvider::ovhcloud().allRegions()) {
        ovh << region.code + QLatin1Char('@') + region.endpointHost;
    }
    EXPECT_EQ(ovh, (QStringList{"gra@s3.gra.io.cloud.ovh.net", "sbg@s3.sbg.io.cloud.ovh.net",
                                "rbx@s3.rbx.io.cloud.ovh.net", "de@s3.de.io.cloud.ovh.net",
                                "waw@s3.waw.io.cloud.ovh.net"}));
    const auto& scaleway = StorageProvider::scaleway();
    EXPECT_EQ(scaleway.defaultRegion.endpointHost, QStringLiteral("s3.fr-par.scw.cloud"));
    EXPECT_EQ(scaleway.signupURL.toString(), QStringLiteral("https://www.scaleway.com/"));
    EXPECT_EQ(scaleway.setupGuideSlug, QStringLiteral("scaleway"));
    EXPECT_EQ(scaleway.pricing->eurPerGBMonth, 0.01606);
    EXPECT_EQ(scaleway.pricing->checked, QStringLiteral("2026-09-18"));
    EXPECT_EQ(StorageProvider::withId(StorageProviderId::ovhcloud).displayName, QStringLiteral("OVHcloud"));
    EXPECT_EQ(storageProviderIdFromRaw(QStringLiteral("ovhcloud")), StorageProviderId::ovhcloud);
    EXPECT_EQ(storageProviderIdFromRaw(QStringLiteral("aws")), std::nullopt);
}

TEST(StorageProvider, looksRegionsUpExactlyWithinTheProvider) {
    EXPECT_EQ(StorageProvider::scaleway().region(QStringLiteral("fr-par"))->displayName,
              QStringLiteral("Paris, France"));
    EXPECT_FALSE(StorageProvider::scaleway().region(QStringLiteral("FR-PAR")));
    EXPECT_FALSE(StorageProvider::scaleway().region(QStringLiteral("gra")));
    EXPECT_EQ(StorageProvider::ovhcloud().region(QStringLiteral("waw"))->displayName,
              QStringLiteral("Warsaw, Poland"));
}

TEST(StorageProvider, estimatesTheMonthlyCostOnlyWithAPrice) {
    EXPECT_NEAR(*StorageProvider::scaleway().monthlyCost(2000000000), 0.03212, 1e-12);
    EXPECT_FALSE(StorageProvider::ionos().monthlyCost(2000000000).has_value());
}

TEST(StorageProvider, proposesAnOfferedProviderForEveryLocale) {
    for (const auto& locale :
         {QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::German, QLocale::Austria),
          QLocale(QLocale::French, QLocale::France), QLocale::c()}) {
        EXPECT_EQ(StorageProvider::preferredDefault(locale).id, StorageProviderId::scaleway)
            << locale.name().toStdString();
    }
}

} // namespace keldoran
