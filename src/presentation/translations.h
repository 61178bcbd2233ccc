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

private:
    QTranslator english_;
    QTranslator chosen_;
    QTranslator qtOwn_;
    QList<QTranslator*> installed_;
};

} // namespace keldoran
