#include "plural.h"

#include "logging/log.h"

#include <QLocale>
#include <QTranslator>

namespace keldoran {

namespace Plural {

QString of(const char* sourceText, qint64 count) {
    // Loaded once from the resource the build compiles from i18n/keldoran_en.ts.
    static const auto* const english = [] {
        auto* translator = new QTranslator;
        if (!translator->load(QStringLiteral(":/i18n/keldoran_en.qm"))) {
            Log::lifecycle().error(QStringLiteral("the built-in plural forms are missing"));
        }
        return translator;
    }();
    auto text = english->translate("Keldoran", sourceText, nullptr, int(count));
    if (text.isEmpty()) {
        text = QString::fromUtf8(sourceText);
    }
    return text.replace(QStringLiteral("%Ln"), QLocale().toString(count))
        .replace(QStringLiteral("%n"), QString::number(count));
}

} // namespace Plural

} // namespace keldoran
