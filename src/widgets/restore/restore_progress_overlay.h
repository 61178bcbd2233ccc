#pragma once

#include "restore/restore_browser.h"

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace keldoran {

/// Covers the restore window while a restore runs and when it has ended: the percentage, then
/// "Restore complete" with the way to the files, or "Restore failed" with the reason.
class RestoreProgressOverlay : public QWidget {
    Q_OBJECT
public:
    explicit RestoreProgressOverlay(QWidget* parent);

    void show(const RestoreBrowser::RestorePhase& phase);
    /// "Restoring… 99%": the fraction dropped, never rounded up.
    static QString restoringText(double progress);

signals:
    void revealRequested(QString destination);
    void dismissed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* card_;
    QLabel* icon_;
    QLabel* title_;
    QLabel* message_;
    QProgressBar* progress_;
    QPushButton* reveal_;
    QPushButton* done_;
    QString destination_;
};

} // namespace keldoran
