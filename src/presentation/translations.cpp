#include "translations.h"

#include "logging/log.h"

#include <map>
#include <memory>
#include <QCoreApplication>
#include <QLibraryInfo>

namespace keldoran {

namespace {

const QString builtIn = QStringLiteral(":/i18n");
const QStringList shipped{QStringLiteral("de"), QStringLiteral("fr")};

// The language a SpokenLanguage asks for; empty when none lives.
QString spokenLanguage;

// One catalogue per language, loaded the first time it is spoken.
const QTranslator& catalogueOf(const QString& language) {
    static std::map<QString, std::unique_ptr<QTranslator>> catalogues;
    auto& catalogue = catalogues[language];
    if (!catalogue) {
        catalogue = std::make_unique<QTranslator>();
        if (!catalogue->load(QStringLiteral("keldoran_") + language, builtIn)) {
            Log::lifecycle().error(QStringLiteral("the built-in catalogue %1 is missing").arg(language));
        }
    }
    return *catalogue;
}

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
    installed_.append(&spoken_);
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

QString InstalledTranslations::languageFor(const QLocale& locale) {
    for (const auto& name : locale.uiLanguages()) {
        const auto language = name.section(QLatin1Char('-'), 0, 0);
        if (shipped.contains(language)) {
            return language;
        }
        if (language == QLatin1String("en")) {
            break;
        }
    }
    return QStringLiteral("en");
}

QString InstalledTranslations::SpokenTranslator::translate(const char* context, const char* sourceText,
                                                           const char* disambiguation, int n) const {
    if (spokenLanguage.isEmpty()) {
        return {};
    }
    if (shipped.contains(spokenLanguage)) {
        if (auto text = catalogueOf(spokenLanguage).translate(context, sourceText, disambiguation, n);
            !text.isEmpty()) {
            return text;
        }
    }
    // English, and what a language lacks: never this process's own language instead.
    auto text = catalogueOf(QStringLiteral("en")).translate(context, sourceText, disambiguation, n);
    return text.isEmpty() ? QString::fromUtf8(sourceText) : text;
}

SpokenLanguage::SpokenLanguage(const QString& language, const QLocale& locale)
    : previousLocale_(QLocale()) {
    spokenLanguage = language;
    QLocale::setDefault(locale);
}

SpokenLanguage::~SpokenLanguage() {
    spokenLanguage.clear();
    QLocale::setDefault(previousLocale_);
}

} // namespace keldoran
