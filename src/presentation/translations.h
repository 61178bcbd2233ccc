#pragma once

#include <QLocale>
#include <QTranslator>

namespace keldoran {

/// The built-in translations, installed for as long as this object lives: the English plural forms
/// always, and the first of the user's languages that Keldoran ships (German, French), with Qt's own
/// texts in that language when the system has them. English needs no catalogue of its own beyond plurals.
class InstalledTranslations {
public:
    explicit InstalledTranslations(const QLocale& locale = QLocale::system());
    ~InstalledTranslations();
    InstalledTranslations(const InstalledTranslations&) = delete;
    InstalledTranslations& operator=(const InstalledTranslations&) = delete;

    /// The language the texts are in: "de", "fr" or "en".
    QString language() const;
    /// The language a user of `locale` reads Keldoran in.
    static QString languageFor(const QLocale& locale);

private:
    /// Asked before the others, it answers only while a SpokenLanguage lives.
    class SpokenTranslator : public QTranslator {
    public:
        QString translate(const char* context, const char* sourceText, const char* disambiguation,
                          int n) const override;
        bool isEmpty() const override { return false; }
    };

    QTranslator english_;
    QTranslator chosen_;
    QTranslator qtOwn_;
    SpokenTranslator spoken_;
    QList<QTranslator*> installed_;
};

/// While it lives, Keldoran's texts are looked up in `language` ("en", "de", "fr") and numbers and times
/// shown for `locale`, whatever this process's own language: to answer a keldoranctl whose user reads
/// another one. Main thread only, with an InstalledTranslations alive; Qt's own texts are not covered.
class SpokenLanguage {
public:
    SpokenLanguage(const QString& language, const QLocale& locale);
    ~SpokenLanguage();
    SpokenLanguage(const SpokenLanguage&) = delete;
    SpokenLanguage& operator=(const SpokenLanguage&) = delete;

private:
    QLocale previousLocale_;
};

} // namespace keldoran
