#include "translations.h"

#include "logging/log.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace keldoran {

namespace {
const QString builtIn = QStringLiteral(":/i18n");
} // namespace

InstalledTranslations::InstalledTranslations(const QLocale& locale) {
    if (english_.load(QStringLiteral("keldoran_en"), builtIn)) {
        installed_.append(&english_);
    } else {
        Log::lifecycle().error(QStringLiteral("the built-in plural forms are missing"));
    }
    // Installed after English, so asked first; a locale whose first shipped language is English
    // finds keldoran_en again, which is already there.
    if (chosen_.load(locale, QStringLiteral("keldoran"), QStringLiteral("_"), builtIn) &&
        chosen_.language() != QLatin1String("en")) {
        installed_.append(&chosen_);
        // Standard buttons and dialogs of Qt's own, where the system carries them.
        if (qtOwn_.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            installed_.append(&qtOwn_);
        }
    }
    for (auto* translator : std::as_const(installed_)) {
        QCoreApplication::installTranslator(translator);
    }
}

InstalledTranslations::~InstalledTranslations() {
    for (auto* translator : std::as_const(installed_)) {
        QCoreApplication::removeTranslator(translator);
    }
}

QString InstalledTranslations::language() const {
    return installed_.contains(&chosen_) ? chosen_.language().section(QLatin1Char('_'), 0, 0)
                                         : QStringLiteral("en");
}

} // namespace keldoran
