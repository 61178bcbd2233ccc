#include "screen_languages.h"

#include <QRegularExpression>

namespace keldoran {

QString PseudoTranslator::translate(const char*, const char* sourceText, const char*, int) const {
    const auto text = QString::fromUtf8(sourceText);
    // Words of five dots, so the longer text still wraps where a real translation would.
    QString padding;
    const auto extra = (text.size() * 2 + 4) / 5;
    while (padding.size() < extra) {
        padding += QStringLiteral(" ·····");
    }
    return QLatin1Char('[') + text + padding.left(extra) + QLatin1Char(']');
}

QString PseudoTranslator::withoutTranslatedParts(const QString& text) {
    QString outside;
    int depth = 0;
    for (const auto character : text) {
        if (character == QLatin1Char('[')) {
            ++depth;
        } else if (character == QLatin1Char(']') && depth > 0) {
            --depth;
        } else if (depth == 0) {
            outside += character;
        }
    }
    return outside;
}

RecordingTranslator::RecordingTranslator(const QString& language)
    : loaded_(catalogue_.load(QStringLiteral(":/i18n/keldoran_") + language)) {}

QString RecordingTranslator::translate(const char* context, const char* sourceText,
                                       const char* disambiguation, int n) const {
    auto text = catalogue_.translate(context, sourceText, disambiguation, n);
    static const QRegularExpression qtOwn(QStringLiteral("^Q[A-Z]"));
    if (text.isEmpty() && !QString::fromLatin1(context).contains(qtOwn)) {
        missing_.insert(QStringLiteral("%1: %2").arg(QLatin1String(context), QString::fromUtf8(sourceText)));
    }
    return text;
}

QStringList RecordingTranslator::missing() const {
    auto list = QStringList(missing_.cbegin(), missing_.cend());
    list.sort();
    return list;
}

} // namespace keldoran
