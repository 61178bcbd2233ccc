#include "name_folding.h"

namespace NameFolding {

QString fold(const QString& name) {
    const auto decomposed = name.normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(decomposed.size());
    for (const auto c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing) {
            folded.append(c);
        }
    }
    return folded.toCaseFolded();
}

bool contains(const QString& name, const QString& text) {
    return fold(name).contains(fold(text));
}

} // namespace NameFolding
