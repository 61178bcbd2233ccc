#pragma once

#include <QLabel>

namespace keldoran {

/// Text that must fit where it is drawn: names and paths come from the user's disk and the backup, and
/// a long one must neither run past its label nor draw over its neighbours.
namespace TextFitting {

/// `text` with a break opportunity (a zero-width space) inside every run of more than 24 characters
/// without one, so a word-wrapped label can wrap a 250-byte file name or a 200-character bucket.
QString wrappable(const QString& text);

} // namespace TextFitting

/// One line that shows its text elided in the middle ("/home/ann/Doc…/report.pdf") when it is wider
/// than the label, with the whole text as its tooltip.
class ElidingLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidingLabel(QWidget* parent = nullptr);

    void setFullText(const QString& text);
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void elide();

    QString fullText_;
};

} // namespace keldoran
