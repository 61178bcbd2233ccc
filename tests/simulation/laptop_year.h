#pragma once

#include "model/backup_frequency.h"

#include <map>
#include <QStringList>

namespace keldoran {

/// A year of one laptop's life, randomised from a seed and replayable from it: sleep and wake, reboots,
/// logins with and without the tray application, the agent's quarter-hour ticks, offline, battery and
/// metered hours, every kind of pause, frequency changes, restic failures and slow runs, and
/// keldoranctl backups. The real tray application, agent, keldoranctl, controller and model run it, on
/// the fake clock and fake power, network and wake sources, with restic scripted in process.
struct LaptopYear {
    /// The longest time without a backup while the machine was eligible for one, over the interval,
    /// for each frequency that was in effect.
    std::map<BackupFrequency, double> worstGapRatio;
    /// Each broken promise, with its time.
    QStringList violations;
    /// Every world event, with its time: the replay of a failing seed.
    QStringList events;
    int backups = 0;

    static LaptopYear simulate(quint64 seed, int days = 365);
};

} // namespace keldoran
