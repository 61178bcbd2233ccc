#include "logging/log.h"
#include "logging/log_file.h"
#include "platform/system_log.h"
#include "support/file_tree.h"
#include "support/local_repository.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <set>
#include <thread>

namespace keldoran {

namespace {

QStringList logLines(const LogFile& file) {
    const auto text = QString::fromUtf8(readFile(file.previousPath()) + readFile(file.currentPath()));
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void fill(const QString& path, qint64 size) {
    writeFile(path, QByteArray(size - 1, 'x') + '\n');
}

} // namespace

TEST(Log, writesEachMessageAsOneLineInTheFileFormat) {
    Log::backup().info(QStringLiteral("first\nsecond\nthird"));
    Log::check().error(QStringLiteral("broken"));
    LogFile::shared().flush();

    EXPECT_EQ(LogFile::shared().directory(),
              qEnvironmentVariable("XDG_STATE_HOME") + QStringLiteral("/Logs/Keldoran"));
    const auto lines = logLines(LogFile::shared());
    ASSERT_GE(lines.size(), 2);
    const QRegularExpression info(QStringLiteral(
        R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z \[INFO\] backup: first ⏎ second ⏎ third$)"));
    const QRegularExpression error(
        QStringLiteral(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z \[ERROR\] check: broken$)"));
    EXPECT_TRUE(info.match(lines[lines.size() - 2]).hasMatch()) << lines[lines.size() - 2].toStdString();
    EXPECT_TRUE(error.match(lines.last()).hasMatch()) << lines.last().toStdString();
}

// The system log gets every line, in order, written off the caller's thread; the one replaced gets what
// was logged before.
TEST(Log, theSystemLogIsWrittenInOrderByTheWriterNotTheCaller) {
    class Recording : public SystemLog {
    public:
        void write(Level level, const QString& channel, const QString& message) override {
            lines.append((level == Level::error ? QStringLiteral("E ") : QStringLiteral("I ")) + channel +
                         QLatin1Char(' ') + message);
            threads.insert(std::this_thread::get_id());
        }
        QStringList lines;
        std::set<std::thread::id> threads;
    };
    auto owned = std::make_unique<Recording>();
    auto* recording = owned.get();
    Log::setSystemLog(std::move(owned));
    for (int i = 0; i < 200; ++i) {
        Log::queue().info(QString::number(i));
    }
    Log::check().error(QStringLiteral("last"));
    LogFile::shared().flush();
    QStringList expected;
    for (int i = 0; i < 200; ++i) {
        expected.append(QStringLiteral("I queue %1").arg(i));
    }
    expected.append(QStringLiteral("E check last"));
    EXPECT_EQ(recording->lines, expected);
    EXPECT_EQ(recording->threads.count(std::this_thread::get_id()), 0u);
    class Quiet : public SystemLog {
    public:
        void write(Level, const QString&, const QString&) override {}
    };
    Log::setSystemLog(std::make_unique<Quiet>());
}

TEST(LogFile, rotatesBeforeTheLineThatFindsTheFileAtTwoMillionBytes) {
    QTemporaryDir folder;
    LogFile file(folder.path());

    fill(file.currentPath(), LogFile::rotationSize - 1);
    file.append("below\n");
    file.flush();
    EXPECT_FALSE(QFile::exists(file.previousPath()));
    EXPECT_EQ(QFileInfo(file.currentPath()).size(), LogFile::rotationSize - 1 + 6);

    fill(file.currentPath(), LogFile::rotationSize);
    writeFile(file.previousPath(), "older generation, lost by the rotation\n");
    file.append("first of the new file\n");
    file.flush();
    EXPECT_EQ(QFileInfo(file.previousPath()).size(), LogFile::rotationSize);
    EXPECT_EQ(readFile(file.currentPath()), QByteArray("first of the new file\n"));
}

TEST(LogFile, recreatesADeletedFolder) {
    QTemporaryDir root;
    LogFile file(root.filePath(QStringLiteral("Logs/Keldoran")));
    file.append("one\n");
    file.flush();
    ASSERT_TRUE(QDir(root.filePath(QStringLiteral("Logs"))).removeRecursively());
    file.append("two\n");
    file.flush();
    EXPECT_EQ(readFile(file.currentPath()), QByteArray("two\n"));
}

TEST(Log, linesFromManyThreadsStayWholeAndInOrderPerThread) {
    constexpr int threads = 8;
    constexpr int linesPerThread = 4000;
    std::vector<std::thread> writers;
    for (int thread = 0; thread < threads; ++thread) {
        writers.emplace_back([thread] {
            for (int line = 0; line < linesPerThread; ++line) {
                Log::queue().info(
                    QStringLiteral("writer-%1 line %2 of a message long enough to make it rotate")
                        .arg(thread)
                        .arg(line));
            }
        });
    }
    for (auto& writer : writers) {
        writer.join();
    }
    LogFile::shared().flush();

    // About 3 MB of lines rotate the file; together the two generations hold an unbroken run of each
    // writer's lines, ending with its last one.
    EXPECT_TRUE(QFile::exists(LogFile::shared().previousPath()));
    const QRegularExpression shape(QStringLiteral(
        R"(^\S+Z \[INFO\] queue: writer-(\d) line (\d+) of a message long enough to make it rotate$)"));
    std::vector<int> previous(threads, -1);
    for (const auto& line : logLines(LogFile::shared())) {
        if (!line.contains(QStringLiteral("writer-"))) {
            continue;
        }
        const auto match = shape.match(line);
        ASSERT_TRUE(match.hasMatch()) << "torn line: " << line.toStdString();
        const int thread = match.captured(1).toInt();
        const int number = match.captured(2).toInt();
        if (previous[thread] >= 0) {
            ASSERT_EQ(number, previous[thread] + 1) << "writer " << thread << " out of order";
        }
        previous[thread] = number;
    }
    for (int thread = 0; thread < threads; ++thread) {
        EXPECT_EQ(previous[thread], linesPerThread - 1) << "writer " << thread;
    }
}

// The log names folders, buckets and endpoints: no one else reads it, also when an older file was wider.
TEST(LogFile, isPrivateInAPrivateFolder) {
    QTemporaryDir root;
    LogFile file(root.filePath(QStringLiteral("Logs/Keldoran")));
    file.append("one\n");
    file.flush();
    EXPECT_EQ(FileTree::modeOf(file.currentPath()), 0600u);
    EXPECT_EQ(FileTree::modeOf(file.directory()), 0700u);
    QFile::setPermissions(file.currentPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ReadGroup | QFileDevice::ReadOther);
    file.append("two\n");
    file.flush();
    EXPECT_EQ(FileTree::modeOf(file.currentPath()), 0600u);
}

} // namespace keldoran
