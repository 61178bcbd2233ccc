#include "line_splitter.h"

#include <algorithm>
#include <cstring>

namespace keldoran {

void LineSplitter::feed(QByteArrayView chunk, std::deque<QByteArray>& lines) {
    const char* position = chunk.data();
    const char* const end = position + chunk.size();
    if (skipLineFeed_ && position < end) {
        skipLineFeed_ = false;
        if (*position == '\n') {
            ++position;
        }
    }
    while (position < end) {
        const auto* lineFeed = static_cast<const char*>(std::memchr(position, '\n', end - position));
        const auto* searchEnd = lineFeed ? lineFeed : end;
        const auto* carriageReturn =
            static_cast<const char*>(std::memchr(position, '\r', searchEnd - position));
        const char* terminator = carriageReturn ? carriageReturn : lineFeed;
        if (!terminator) {
            keep(position, end);
            return;
        }
        if (partial_.isEmpty()) {
            lines.emplace_back(position, std::min<qsizetype>(terminator - position, maximumLineBytes_));
        } else {
            keep(position, terminator);
            lines.push_back(std::exchange(partial_, QByteArray()));
        }
        if (*terminator == '\r') {
            if (terminator + 1 == end) {
                skipLineFeed_ = true;
            } else if (terminator[1] == '\n') {
                ++terminator;
            }
        }
        position = terminator + 1;
    }
}

void LineSplitter::keep(const char* begin, const char* end) {
    const auto room = maximumLineBytes_ - partial_.size();
    partial_.append(begin, std::min<qsizetype>(end - begin, room));
}

std::optional<QByteArray> LineSplitter::finish() {
    skipLineFeed_ = false;
    if (partial_.isEmpty()) {
        return std::nullopt;
    }
    return std::exchange(partial_, QByteArray());
}

} // namespace keldoran
