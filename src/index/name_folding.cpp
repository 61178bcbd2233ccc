#include "name_folding.h"

#include <algorithm>

namespace keldoran {

namespace NameFolding {

QString fold(const QString& name) {
    // Most names are plain ASCII, where folding is lowering; decomposing them would only cost time.
    const bool ascii = std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x80; });
    if (ascii) {
        return name.toLower();
    }
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

} // namespace keldoran
