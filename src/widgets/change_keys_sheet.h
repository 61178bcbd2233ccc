#pragma once

#include <functional>
#include <optional>
#include <qcoro/qcorotask.h>
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace keldoran {

/// "Change keys…": the two new keys, checked against the backup before they replace the stored ones.
/// The sheet stays with the reason when they do not open it.
class ChangeKeysSheet : public QDialog {
    Q_OBJECT
public:
    /// Checks and stores the keys; answers the reason they were refused, or none.
    using Change = std::function<QCoro::Task<std::optional<QString>>(QString accessKey, QString secretKey)>;

    ChangeKeysSheet(Change change, QWidget* parent = nullptr);

private:
    QCoro::Task<void> save();
    void refresh();

    Change change_;
    bool checking_ = false;
    QLineEdit* accessKey_;
    QLineEdit* secretKey_;
    QLabel* message_;
    QPushButton* save_;
};

} // namespace keldoran
