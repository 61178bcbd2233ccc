#include "file_name_text.h"

namespace keldoran {

namespace {

// The length of the well-formed UTF-8 sequence starting at `at`, or 0 (RFC 3629, as Go decodes it).
qsizetype sequenceLength(QByteArrayView bytes, qsizetype at) {
    const auto byte = [&](qsizetype i) {
        return i < bytes.size() ? quint8(bytes[i]) : quint8(0);
    };
    const auto lead = byte(at);
    const auto continuation = [&](qsizetype i, quint8 low = 0x80, quint8 high = 0xBF) {
        return byte(i) >= low && byte(i) <= high;
    };
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return continuation(at + 1) ? 2 : 0;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        const quint8 low = lead == 0xE0 ? 0xA0 : 0x80;
        const quint8 high = lead == 0xED ? 0x9F : 0xBF; // no surrogates
        return continuation(at + 1, low, high) && continuation(at + 2) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const quint8 low = lead == 0xF0 ? 0x90 : 0x80;
        const quint8 high = lead == 0xF4 ? 0x8F : 0xBF;
        return continuation(at + 1, low, high) && continuation(at + 2) && continuation(at + 3) ? 4 : 0;
    }
    return 0;
}

} // namespace

QString fileNameText(QByteArrayView name) {
    QString text;
    text.reserve(name.size());
    for (qsizetype at = 0; at < name.size();) {
        const auto length = sequenceLength(name, at);
        if (length == 0) {
            text.append(QChar::ReplacementCharacter);
            ++at;
        } else {
            text.append(QString::fromUtf8(name.sliced(at, length)));
            at += length;
        }
    }
    return text;
}

} // namespace keldoran
