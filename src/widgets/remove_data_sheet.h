#pragma once

#include <optional>
#include <QDialog>

class QCheckBox;

namespace keldoran {

/// "Remove Keldoran and its data?": what goes, the reassurance that backups stay, and the switch for
/// restic's shared cache when there is one.
class RemoveDataSheet : public QDialog {
    Q_OBJECT
public:
    RemoveDataSheet(std::optional<qint64> resticCacheBytes, QWidget* parent = nullptr);

signals:
    /// "Remove and quit", with whether restic's cache goes too.
    void removeRequested(bool includeResticCache);

private:
    QCheckBox* includeResticCache_ = nullptr;
};

} // namespace keldoran
