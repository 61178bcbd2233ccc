#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <deque>
#include <optional>

/// Cuts a byte stream into lines; LF, CR and CR LF each end a line, also when CR and LF arrive in
/// different chunks. Lines exclude their terminator and are passed on unchanged.
class LineSplitter {
public:
    void feed(QByteArrayView chunk, std::deque<QByteArray>& lines);
    /// The unterminated tail, if any, once the stream has ended.
    std::optional<QByteArray> finish();

private:
    QByteArray partial_;
    bool skipLineFeed_ = false;
};
