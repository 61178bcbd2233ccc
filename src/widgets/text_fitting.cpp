#include "text_fitting.h"

#include <QResizeEvent>

namespace keldoran {

namespace TextFitting {

QString wrappable(const QString& text) {
    constexpr int longestRun = 24;
    QString result;
    result.reserve(text.size() + text.size() / longestRun);
    int run = 0;
    for (const QChar character : text) {
        result.append(character);
        const bool breaks = character.isSpace() || character == QChar(0x200B);
        run = breaks ? 0 : run + 1;
        // Break after a separator where there is one, else at the limit.
        const bool separator = character == QLatin1Char('/') || character == QLatin1Char('-') ||
                               character == QLatin1Char('_') || character == QLatin1Char('.');
        if (!character.isHighSurrogate() && (run >= longestRun || (separator && run >= longestRun / 2))) {
            result.append(QChar(0x200B));
            run = 0;
        }
    }
    return result;
}

} // namespace TextFitting

ElidingLabel::ElidingLabel(QWidget* parent)
    : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void ElidingLabel::setFullText(const QString& text) {
    fullText_ = text;
    setAccessibleName(text);
    elide();
}

QSize ElidingLabel::minimumSizeHint() const {
    return {fontMetrics().horizontalAdvance(QStringLiteral("…")) * 4, QLabel::minimumSizeHint().height()};
}

QSize ElidingLabel::sizeHint() const {
    return {fontMetrics().horizontalAdvance(fullText_) + 2 * margin(), QLabel::sizeHint().height()};
}

void ElidingLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    elide();
}

void ElidingLabel::elide() {
    const auto shown = fontMetrics().elidedText(fullText_, Qt::ElideMiddle, contentsRect().width());
    setText(shown);
    setToolTip(shown == fullText_ ? QString() : fullText_);
}

} // namespace keldoran
