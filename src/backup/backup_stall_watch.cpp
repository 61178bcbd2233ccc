#include "backup_stall_watch.h"

namespace keldoran {

BackupStallWatch::BackupStallWatch(Clock& clock, std::function<void(bool)> stalledChanged,
                                   std::function<void()> giveUp)
    : clock_(clock)
    , stalledChanged_(std::move(stalledChanged))
    , giveUp_(std::move(giveUp))
    , lastProgress_(clock.now()) {
    check();
}

void BackupStallWatch::observe(const BackupEvent& event) {
    const auto* status = std::get_if<BackupStatus>(&event);
    if (!status) {
        progressed();
        return;
    }
    const bool moved = !lastStatus_ || status->filesDone != lastStatus_->filesDone ||
                       status->bytesDone != lastStatus_->bytesDone ||
                       status->percentDone != lastStatus_->percentDone;
    lastStatus_ = *status;
    if (moved) {
        progressed();
    }
}

void BackupStallWatch::progressed() {
    lastProgress_ = clock_.now();
    if (stalled_) {
        stalled_ = false;
        stalledChanged_(false);
    }
}

void BackupStallWatch::check() {
    const auto quiet = lastProgress_.secsTo(clock_.now());
    if (quiet >= giveUpAfterSeconds && !gaveUp_) {
        gaveUp_ = true;
        giveUp_();
        return;
    }
    if (quiet >= retryingAfterSeconds && !stalled_) {
        stalled_ = true;
        stalledChanged_(true);
    }
    // Wakes only when the next step could be due; progress meanwhile just moves that step on.
    const auto next = lastProgress_.addSecs(stalled_ ? giveUpAfterSeconds : retryingAfterSeconds);
    timer_ = clock_.callAt(next, [this] { check(); });
}

QString BackupStallWatch::retryingSentence(const QString& provider) {
    return tr("Can't reach %1 — retrying…").arg(provider);
}

QString BackupStallWatch::gaveUpSentence(const QString& provider) {
    return tr("Can't reach %1 — the backup stopped after 30 minutes without progress.").arg(provider);
}

} // namespace keldoran
