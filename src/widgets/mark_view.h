#pragma once

#include <QWidget>

namespace keldoran {

class MarkAnimator;

/// The mark drawn at any size in the interface's text colour, following the animator.
class MarkView : public QWidget {
    Q_OBJECT
public:
    MarkView(MarkAnimator& animator, int size, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    MarkAnimator& animator_;
};

} // namespace keldoran
