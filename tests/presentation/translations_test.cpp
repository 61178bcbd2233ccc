#include "presentation/translations.h"
#include "presentation/wording.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace keldoran {

namespace {

struct CatalogueEntry {
    QString context;
    QString source;
    bool numerus = false;
    QStringList translations; // one, or one per plural form
};

QList<CatalogueEntry> entriesOf(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QXmlStreamReader xml(&file);
    QList<CatalogueEntry> entries;
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const auto element = xml.name();
        if (element == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (element == QLatin1String("message")) {
            entries.append(
                {context, {}, xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes"), {}});
        } else if (element == QLatin1String("source")) {
            entries.last().source = xml.readElementText();
        } else if (element == QLatin1String("translation") && !entries.last().numerus) {
            entries.last().translations.append(xml.readElementText());
        } else if (element == QLatin1String("numerusform")) {
            entries.last().translations.append(xml.readElementText());
        }
    }
    EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
    return entries;
}

// The %1…%99 a text fills in, each once in the set; %n and %Ln stand for the count.
QSet<QString> placeholdersOf(const QString& text, bool withCount) {
    static const QRegularExpression placeholder(QStringLiteral("%(\\d{1,2}|L?n)"));
    QSet<QString> found;
    for (const auto& match : placeholder.globalMatch(text)) {
        const auto name = match.captured(1);
        if (withCount || !name.endsWith(QLatin1Char('n'))) {
            found.insert(name == QLatin1String("Ln") ? QStringLiteral("n") : name);
        }
    }
    return found;
}

const QStringList languages{QStringLiteral("en"), QStringLiteral("de"), QStringLiteral("fr")};

} // namespace

// A translation that lost a placeholder would drop a name, a count or a reason from the sentence.
TEST(Catalogues, everyTranslationFillsInWhatItsEnglishTextFillsIn) {
    for (const auto& language : languages) {
        const auto entries = entriesOf(QStringLiteral(KELDORAN_CATALOGUES "/keldoran_%1.ts").arg(language));
        EXPECT_FALSE(entries.isEmpty()) << language.toStdString();
        for (const auto& entry : entries) {
            const auto where =
                (language + QStringLiteral(" ") + entry.context + QStringLiteral(": ") + entry.source)
                    .toStdString();
            // Two forms, one and many, in each language shipped.
            EXPECT_EQ(entry.translations.size(), entry.numerus ? 2 : 1) << where;
            for (const auto& translation : entry.translations) {
                EXPECT_FALSE(translation.isEmpty()) << where;
                // The form for one may say "one" instead of the number.
                EXPECT_EQ(placeholdersOf(translation, !entry.numerus),
                          placeholdersOf(entry.source, !entry.numerus))
                    << where << " → " << translation.toStdString();
            }
        }
    }
}

// Every sentence with a count has its English singular: "1 item", not "1 items".
TEST(Catalogues, everyCountedSentenceTakesTheFormItsCountNeeds) {
    // Words that are the same for one and many.
    const QStringList invariable{QStringLiteral("about %Ln min left"), QStringLiteral("about %Ln s left"),
                                 QStringLiteral("%1 and %Ln more"), QStringLiteral("and %Ln more")};
    const auto entries = entriesOf(QStringLiteral(KELDORAN_CATALOGUES "/keldoran_en.ts"));
    EXPECT_GT(entries.size(), 10);
    for (const auto& entry : entries) {
        ASSERT_TRUE(entry.numerus) << "English holds only plural forms: " << entry.source.toStdString();
        const auto context = entry.context.toUtf8();
        const auto source = entry.source.toUtf8();
        const auto withCount = [&](const QString& text, const char* count) {
            return QString(text)
                .replace(QStringLiteral("%Ln"), QLatin1String(count))
                .replace(QStringLiteral("%n"), QLatin1String(count));
        };
        const auto one = QCoreApplication::translate(context.constData(), source.constData(), nullptr, 1);
        EXPECT_EQ(QCoreApplication::translate(context.constData(), source.constData(), nullptr, 2),
                  withCount(entry.source, "2"));
        EXPECT_EQ(one == withCount(entry.source, "1"), invariable.contains(entry.source))
            << entry.source.toStdString() << " → " << one.toStdString();
    }
    EXPECT_EQ(QCoreApplication::translate("StatusPresentation", "Completed with %Ln warnings", nullptr, 1),
              QStringLiteral("Completed with 1 warning"));
    EXPECT_EQ(
        QCoreApplication::translate("StatusPresentation", "Completed with %Ln warnings", nullptr, 183204),
        QStringLiteral("Completed with 183,204 warnings"));
}

// On this platform no English sentence names a macOS facility once it is worded for the platform.
TEST(Catalogues, noEnglishTextNamesAMacFacilityOnceWordedForThisPlatform) {
    static const QRegularExpression macWords(
        QStringLiteral("\\b(macOS|Mac|Finder|Keychain|menu bar|Trash|System Settings|Full Disk Access)\\b"));
    for (const auto& entry : entriesOf(QStringLiteral(KELDORAN_CATALOGUES "/keldoran_de.ts"))) {
        const auto shown = Wording::forPlatform(entry.source);
        EXPECT_FALSE(shown.contains(macWords)) << entry.context.toStdString() << ": " << shown.toStdString();
    }
}

// German and French users read their own language; anyone else reads English, and so does a German
// user of a text whose translation is missing.
TEST(Translations, speakTheUsersLanguageWhenShippedAndEnglishOtherwise) {
    const QList<std::tuple<QLocale, QString>> locales{
        {QLocale(QLocale::German, QLocale::Germany), QStringLiteral("de")},
        {QLocale(QLocale::German, QLocale::Switzerland), QStringLiteral("de")},
        {QLocale(QLocale::French, QLocale::Canada), QStringLiteral("fr")},
        {QLocale(QLocale::Spanish, QLocale::Spain), QStringLiteral("en")},
        {QLocale(QLocale::English, QLocale::UnitedKingdom), QStringLiteral("en")},
    };
    for (const auto& [locale, language] : locales) {
        const InstalledTranslations installed(locale);
        EXPECT_EQ(installed.language(), language) << locale.name().toStdString();
        const auto protectedText = QCoreApplication::translate("StatusPresentation", "Protected");
        if (language == QLatin1String("en")) {
            EXPECT_EQ(protectedText, QStringLiteral("Protected"));
        } else {
            EXPECT_NE(protectedText, QStringLiteral("Protected")) << language.toStdString();
        }
    }
    EXPECT_EQ(QCoreApplication::translate("StatusPresentation", "Protected"), QStringLiteral("Protected"));
}

} // namespace keldoran
