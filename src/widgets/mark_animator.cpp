#include "mark_animator.h"

namespace keldoran {

MarkAnimator::MarkAnimator(QObject* parent)
    : QObject(parent) {
    transition_.setDuration(250);
    transition_.setEasingCurve(QEasingCurve::InOutQuad);
    transition_.setStartValue(0.0);
    transition_.setEndValue(1.0);
    connect(&transition_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        shape_ = KeldoranMark::interpolate(from_, KeldoranMark::shapeOf(state_), value.toDouble());
        emit changed();
    });
    spin_.setDuration(1600);
    spin_.setStartValue(0.0);
    spin_.setEndValue(360.0);
    spin_.setLoopCount(-1);
    connect(&spin_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        rotation_ = value.toDouble();
        emit changed();
    });
}

void MarkAnimator::setState(KeldoranMark::State state) {
    if (state == state_) {
        return;
    }
    state_ = state;
    from_ = shape_;
    transition_.stop();
    if (reducedMotion_) {
        shape_ = KeldoranMark::shapeOf(state_);
        emit changed();
    } else {
        transition_.start();
    }
    updateSpin();
}

void MarkAnimator::setReducedMotion(bool reduced) {
    if (reduced == reducedMotion_) {
        return;
    }
    reducedMotion_ = reduced;
    updateSpin();
}

void MarkAnimator::updateSpin() {
    const bool spin = state_ == KeldoranMark::State::broken && !reducedMotion_;
    if (spin && spin_.state() != QAbstractAnimation::Running) {
        spin_.start();
    } else if (!spin && spin_.state() == QAbstractAnimation::Running) {
        spin_.stop();
        rotation_ = 0;
        emit changed();
    }
}

} // namespace keldoran
