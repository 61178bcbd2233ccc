#pragma once

#include <deque>
#include <limits>
#include <optional>
#include <QByteArray>
#include <QByteArrayView>

namespace keldoran {

/// Cuts a byte stream into lines; LF, CR and CR LF each end a line, also when CR and LF arrive in
/// different chunks. Lines exclude their terminator and are passed on unchanged, except that a line
/// longer than the limit keeps only its first `maximumLineBytes` bytes.
class LineSplitter {
public:
    explicit LineSplitter(qsizetype maximumLineBytes = std::numeric_limits<qsizetype>::max())
        : maximumLineBytes_(maximumLineBytes) {}

    void feed(QByteArrayView chunk, std::deque<QByteArray>& lines);
    /// The unterminated tail, if any, once the stream has ended.
    std::optional<QByteArray> finish();

private:
    void keep(const char* begin, const char* end);

    qsizetype maximumLineBytes_;
    QByteArray partial_;
    bool skipLineFeed_ = false;
};

} // namespace keldoran
