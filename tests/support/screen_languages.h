#pragma once

#include <QSet>
#include <QTranslator>

namespace keldoran {

/// Answers every lookup with the English text lengthened by 40% and wrapped in brackets, so a screen
/// shows at a glance which of its words went through translation and whether it has room for longer ones.
class PseudoTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override;
    bool isEmpty() const override { return false; }

    /// `text` with every bracketed part (nested too) taken out.
    static QString withoutTranslatedParts(const QString& text);
};

/// One shipped catalogue, noting each of our texts it has no translation for (Qt's own are not ours).
class RecordingTranslator : public QTranslator {
public:
    explicit RecordingTranslator(const QString& language);
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override;
    bool isEmpty() const override { return false; }
    bool loaded() const { return loaded_; }
    QStringList missing() const;

private:
    QTranslator catalogue_;
    bool loaded_ = false;
    mutable QSet<QString> missing_;
};

} // namespace keldoran
