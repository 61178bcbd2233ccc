// The year of laptop life over many seeds: the worst time without a backup while eligible, over the
// interval, for each frequency, and the broken promises. A seed that breaks one prints its events.
#include "simulation/laptop_year.h"
#include "support/test_setup.h"

#include <cstdio>
#include <QCoreApplication>

using namespace keldoran;

int main(int argc, char** argv) {
    prepareTestProcess();
    QCoreApplication application(argc, argv);
    const int seeds = argc > 1 ? QByteArray(argv[1]).toInt() : 200;
    const int first = argc > 2 ? QByteArray(argv[2]).toInt() : 1001;
    std::map<BackupFrequency, double> worst;
    int violations = 0;
    for (int seed = first; seed < first + seeds; ++seed) {
        const auto year = LaptopYear::simulate(quint64(seed));
        for (const auto& [frequency, ratio] : year.worstGapRatio) {
            worst[frequency] = std::max(worst[frequency], ratio);
        }
        violations += int(year.violations.size());
        if (!year.violations.isEmpty()) {
            std::fprintf(stderr, "seed %d:\n%s\nevents:\n%s\n", seed,
                         qPrintable(year.violations.join(QLatin1Char('\n'))),
                         qPrintable(year.events.join(QLatin1Char('\n'))));
        }
    }
    std::printf("seeds: %d (from %d), a year each\n", seeds, first);
    std::printf("worst gap ratio hourly: %.3f\n", worst[BackupFrequency::hourly]);
    std::printf("worst gap ratio 6h: %.3f\n", worst[BackupFrequency::sixHourly]);
    std::printf("worst gap ratio daily: %.3f\n", worst[BackupFrequency::daily]);
    std::printf("invariant violations: %d\n", violations);
    return 0;
}
