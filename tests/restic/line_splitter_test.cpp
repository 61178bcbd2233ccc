#include "restic/line_splitter.h"

#include <gtest/gtest.h>
#include <QList>

namespace keldoran {

namespace {
QList<QByteArray> split(const QList<QByteArray>& chunks) {
    LineSplitter splitter;
    std::deque<QByteArray> lines;
    for (const auto& chunk : chunks) {
        splitter.feed(chunk, lines);
    }
    if (auto tail = splitter.finish()) {
        lines.push_back(*tail);
    }
    return QList<QByteArray>(lines.begin(), lines.end());
}
} // namespace

TEST(LineSplitter, endsLinesAtLfCrAndCrLfAcrossChunks) {
    using Lines = QList<QByteArray>;
    EXPECT_EQ(split({"a\nb\r\nc\rd"}), (Lines{"a", "b", "c", "d"}));
    // CR at the end of one chunk and LF at the start of the next are one terminator.
    EXPECT_EQ(split({"a\r", "\nb\r", "c"}), (Lines{"a", "b", "c"}));
    EXPECT_EQ(split({"par", "tial", " line\n", "\n"}), (Lines{"partial line", ""}));
    EXPECT_EQ(split({"\r\n\r\n"}), (Lines{"", ""}));
    EXPECT_EQ(split({"no terminator"}), (Lines{"no terminator"}));
    EXPECT_EQ(split({"", "x\n"}), (Lines{"x"}));
    const QByteArray longLine(300000, 'z');
    EXPECT_EQ(split({longLine.left(100), longLine.mid(100), "\n"}), (Lines{longLine}));
}

TEST(LineSplitter, keepsOnlyTheLimitOfALongLineAcrossChunks) {
    LineSplitter splitter(4);
    std::deque<QByteArray> lines;
    splitter.feed("abcdefgh\n12", lines);
    splitter.feed("345", lines);
    splitter.feed("6789\r\nxy", lines);
    EXPECT_EQ(QList<QByteArray>(lines.begin(), lines.end()), (QList<QByteArray>{"abcd", "1234"}));
    EXPECT_EQ(splitter.finish(), QByteArray("xy"));
}

} // namespace keldoran
