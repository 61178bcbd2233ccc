#include "line_splitter.h"

#include <cstring>

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
        const auto* carriageReturn = static_cast<const char*>(std::memchr(position, '\r', searchEnd - position));
        const char* terminator = carriageReturn ? carriageReturn : lineFeed;
        if (!terminator) {
            partial_.append(position, end - position);
            return;
        }
        if (partial_.isEmpty()) {
            lines.emplace_back(position, terminator - position);
        } else {
            partial_.append(position, terminator - position);
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

std::optional<QByteArray> LineSplitter::finish() {
    skipLineFeed_ = false;
    if (partial_.isEmpty()) {
        return std::nullopt;
    }
    return std::exchange(partial_, QByteArray());
}
