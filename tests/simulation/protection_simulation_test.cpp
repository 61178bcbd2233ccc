#include "simulation/laptop_year.h"

#include <gtest/gtest.h>

namespace keldoran {

namespace {

class LaptopYearSeed : public ::testing::TestWithParam<int> {};

} // namespace

// Each seed is a different year; a failing one prints its events so it can be replayed.
TEST_P(LaptopYearSeed, keepsEveryPromise) {
    const auto year = LaptopYear::simulate(quint64(GetParam()));
    EXPECT_GT(year.backups, 300);
    EXPECT_TRUE(year.violations.isEmpty())
        << year.violations.join(QLatin1Char('\n')).toStdString()
        << "\n\n(KELDORAN_SIMULATION_TRACE=1 adds the agent's reasons)\nevents of seed " << GetParam()
        << ":\n"
        << year.events.join(QLatin1Char('\n')).toStdString();
    for (const auto& [frequency, ratio] : year.worstGapRatio) {
        EXPECT_LE(ratio, 1.25) << rawValue(frequency).toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, LaptopYearSeed, ::testing::Range(1, 21));

} // namespace keldoran
