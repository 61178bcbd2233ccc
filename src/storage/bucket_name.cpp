#include "bucket_name.h"

#include <algorithm>
#include <QStringList>

namespace keldoran {

namespace {
bool isLetterOrDigit(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
}

// Four groups of one to three digits: what S3 refuses as looking like an IPv4 address.
bool looksLikeAnAddress(const QString& name) {
    const auto parts = name.split(QLatin1Char('.'));
    return parts.size() == 4 && std::all_of(parts.begin(), parts.end(), [](const QString& part) {
               return !part.isEmpty() && part.size() <= 3 &&
                      std::all_of(part.begin(), part.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
           });
}
} // namespace

bool isValidBucketName(const QString& name) {
    if (name.size() < 3 || name.size() > 63 || !isLetterOrDigit(name.front()) ||
        !isLetterOrDigit(name.back())) {
        return false;
    }
    for (const auto c : name) {
        if (!isLetterOrDigit(c) && c != u'.' && c != u'-') {
            return false;
        }
    }
    for (const char* pair : {"..", ".-", "-."}) {
        if (name.contains(QLatin1String(pair))) {
            return false;
        }
    }
    return !looksLikeAnAddress(name);
}

} // namespace keldoran
