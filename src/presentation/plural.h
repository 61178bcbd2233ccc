#pragma once

#include <QString>

namespace keldoran {

/// Sentences with a count, in the plural form the count needs: the text is Qt's source text with %n
/// (or %Ln for the locale's digit grouping), looked up in the built-in translations, so "1 place" and
/// "2 places" come from one entry. Every such sentence is listed in i18n/keldoran_en.ts.
namespace Plural {
QString of(const char* sourceText, qint64 count);
} // namespace Plural

} // namespace keldoran
