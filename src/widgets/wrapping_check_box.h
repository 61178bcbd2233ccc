#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;

namespace keldoran {

/// A check box whose sentence wraps at the width it is given, as a translation may need; a click on the
/// sentence ticks the box, and the box carries the sentence for screen readers.
class WrappingCheckBox : public QWidget {
    Q_OBJECT
public:
    explicit WrappingCheckBox(const QString& text, QWidget* parent = nullptr);

    QCheckBox* box() const { return box_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QCheckBox* box_;
    QLabel* sentence_;
};

} // namespace keldoran
