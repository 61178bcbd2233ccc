#pragma once

#include "keldoran_mark.h"

#include <QObject>
#include <QVariantAnimation>

namespace keldoran {

/// Moves the mark from one state to the next over 0.25 s (ease-in-out) and spins it while broken, unless
/// the desktop asks for reduced motion.
class MarkAnimator : public QObject {
    Q_OBJECT
public:
    explicit MarkAnimator(QObject* parent = nullptr);

    KeldoranMark::State state() const { return state_; }
    void setState(KeldoranMark::State state);
    void setReducedMotion(bool reduced);
    bool isSpinning() const { return spin_.state() == QAbstractAnimation::Running; }

    KeldoranMark::Shape shape() const { return shape_; }
    double rotation() const { return rotation_; }

signals:
    /// The shape or rotation moved: repaint.
    void changed();

private:
    void updateSpin();

    KeldoranMark::State state_ = KeldoranMark::State::closed;
    KeldoranMark::Shape shape_ = KeldoranMark::shapeOf(KeldoranMark::State::closed);
    KeldoranMark::Shape from_ = shape_;
    double rotation_ = 0;
    bool reducedMotion_ = false;
    QVariantAnimation transition_;
    QVariantAnimation spin_;
};

} // namespace keldoran
