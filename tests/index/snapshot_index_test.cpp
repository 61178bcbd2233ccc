// The snapshot index against the real restic on temporary repositories.
#include "index/index_database.h"
#include "index/name_folding.h"
#include "index/snapshot_indexer.h"
#include "model/file_name_order.h"
#include "restic/restore_selection.h"
#include "support/coroutines.h"
#include "support/event_loop.h"
#include "support/file_tree.h"
#include "support/local_repository.h"

#include <gtest/gtest.h>
#include <map>
#include <QFile>
#include <QSqlQuery>
#include <sys/stat.h>

namespace keldoran {

namespace {

// Names restic must list exactly: spaces, glob characters, leading dashes, control characters, accents,
// names of 250 bytes and names that are not UTF-8.
const QList<QByteArray>& hostileNames() {
    static const QList<QByteArray> names{"notes.txt",
                                         "Report 2024.pdf",
                                         "café.txt",
                                         "日本語のメモ.txt",
                                         "Photos [2019]",
                                         "a*b.txt",
                                         "what?",
                                         "-rf",
                                         "--help.txt",
                                         "-",
                                         ".hidden",
                                         "back\\slash.txt",
                                         "tab\tname",
                                         "new\nline.txt",
                                         "space at end ",
                                         " leading space",
                                         "emoji 📁",
                                         "%d %s",
                                         "$HOME",
                                         "caf\xe9",
                                         "\xff\xfe.bin",
                                         "na\xefve.txt",
                                         QByteArray(250, 'L')};
    return names;
}

// Folders nested three deep, each holding every hostile name, some as folders, some empty.
void buildHostileTree(const QString& root) {
    FileTree::Builder tree(root);
    int counter = 0;
    const std::function<void(const QByteArray&, int)> fill = [&](const QByteArray& folder, int depth) {
        for (const auto& name : hostileNames()) {
            const auto path = folder.isEmpty() ? name : folder + '/' + name;
            const int kind = counter++ % 5;
            if (kind == 0 && depth < 3) {
                tree.folder(path, 0755, 1600000000 + counter);
                fill(path, depth + 1);
            } else if (kind == 1) {
                tree.folder(path, 0755, 1600000000 + counter); // empty
            } else if (kind == 2) {
                tree.link(path, "../" + name);
            } else {
                tree.file(path, "content " + QByteArray::number(counter), 0644, 1600000000 + counter);
            }
        }
    };
    fill({}, 0);
    tree.finish();
}

void buildManyFiles(const QString& root, int folders, int filesPerFolder, const QByteArray& salt = {}) {
    for (int folder = 0; folder < folders; ++folder) {
        for (int file = 0; file < filesPerFolder; ++file) {
            writeFile(QStringLiteral("%1/folder %2/file %3.txt").arg(root).arg(folder).arg(file),
                      QByteArray::number(file) + salt);
        }
    }
}

Snapshot backUp(const LocalRepository& repository, const QString& source) {
    const auto restic = repository.restic();
    await(collect(restic.backup(Restic::backupArguments({}, std::nullopt, {source}))));
    auto snapshots = await(restic.snapshots());
    std::sort(snapshots.begin(), snapshots.end(),
              [](const auto& a, const auto& b) { return a.time < b.time; });
    return snapshots.last();
}

SnapshotIndexer::Request requestFor(const Snapshot& snapshot) {
    std::optional<qint64> files;
    if (snapshot.summary && snapshot.summary->totalFilesProcessed) {
        files = qint64(*snapshot.summary->totalFilesProcessed);
    }
    return {snapshot.id, snapshot.time, files};
}

// Indexes the snapshot and answers whether it was indexed.
bool indexFully(SnapshotIndexer& indexer, const LocalRepository& repository, const Snapshot& snapshot) {
    indexer.request(repository.restic(), requestFor(snapshot));
    EXPECT_TRUE(spinUntil([&] { return !indexer.isBusy(); }, 120000));
    return indexer.index().isIndexed(snapshot.id);
}

// Every folder of the snapshot, each with its entries in restic's order, from restic's own listing.
std::map<QString, QList<LsEntry>> foldersListedByRestic(const LocalRepository& repository,
                                                        const QString& id) {
    std::map<QString, QList<LsEntry>> folders{{QStringLiteral("/"), {}}};
    for (const auto& entry : await(repository.restic().ls(id, {}))) {
        folders[parentPath(entry.path)].append(entry);
        if (entry.isDirectory()) {
            folders[entry.path];
        }
    }
    return folders;
}

qint64 count(const QString& indexFolder, const QString& table) {
    IndexDatabase database(IndexDatabase::fileIn(indexFolder));
    EXPECT_FALSE(database.open(IndexDatabase::Trust::verify));
    auto query = database.prepare(QStringLiteral("SELECT count(*) FROM ") + table);
    return query.exec() && query.next() ? query.value(0).toLongLong() : -1;
}

QSet<qint64> listingIds(const QString& indexFolder) {
    IndexDatabase database(IndexDatabase::fileIn(indexFolder));
    EXPECT_FALSE(database.open(IndexDatabase::Trust::verify));
    auto query = database.prepare(QStringLiteral("SELECT id FROM listing"));
    QSet<qint64> ids;
    query.exec();
    while (query.next()) {
        ids.insert(query.value(0).toLongLong());
    }
    return ids;
}

} // namespace

TEST(SnapshotIndex, listsEveryFolderOfAHostileTreeExactlyAsResticDoes) {
    LocalRepository repository;
    repository.initialise();
    const auto source = repository.scratch(QStringLiteral("home"));
    buildHostileTree(source);
    const auto snapshot = backUp(repository, source);

    SnapshotIndexer indexer(repository.scratch(QStringLiteral("index")));
    ASSERT_TRUE(indexFully(indexer, repository, snapshot));

    const auto folders = foldersListedByRestic(repository, snapshot.id);
    ASSERT_GT(folders.size(), 20u);
    for (const auto& [folder, entries] : folders) {
        const auto indexed = indexer.index().level(snapshot.id, folder);
        ASSERT_TRUE(indexed.has_value());
        EXPECT_EQ(*indexed, entries) << folder.toStdString();
    }
    // And folder by folder, as the restore window asks restic today, including one named in broken UTF-8.
    QStringList asked{source, source + QStringLiteral("/notes.txt"), QStringLiteral("/no/such/folder")};
    for (const auto& [folder, entries] : folders) {
        if (folder.contains(QChar::ReplacementCharacter) && asked.size() < 4) {
            asked.append(folder);
        }
    }
    ASSERT_EQ(asked.size(), 4);
    for (const auto& folder : asked) {
        QList<LsEntry> children;
        for (const auto& entry : await(repository.restic().ls(snapshot.id, {folder}))) {
            if (parentPath(entry.path) == folder) {
                children.append(entry);
            }
        }
        EXPECT_EQ(indexer.index().level(snapshot.id, folder), children) << folder.toStdString();
    }
}

TEST(SnapshotIndex, anInterruptedIndexingKeepsItsWorkAndResumes) {
    LocalRepository repository;
    repository.initialise();
    const auto source = repository.scratch(QStringLiteral("home"));
    buildManyFiles(source, 60, 100);
    const auto snapshot = backUp(repository, source);
    const auto indexFolder = repository.scratch(QStringLiteral("index"));

    std::optional<QSet<qint64>> storedBeforeQuit;
    {
        SnapshotIndexer indexer(indexFolder);
        QObject::connect(&indexer, &SnapshotIndexer::progressChanged, [&] {
            if (indexer.progress(snapshot.id).value_or(0) > 0.3) {
                indexer.cancel();
            }
        });
        indexer.request(repository.restic(), requestFor(snapshot));
        ASSERT_TRUE(spinUntil([&] { return !indexer.isBusy(); }, 120000));
        EXPECT_FALSE(indexer.index().isIndexed(snapshot.id));
        EXPECT_FALSE(indexer.index().level(snapshot.id, source).has_value());
        storedBeforeQuit = listingIds(indexFolder);
    }
    ASSERT_FALSE(storedBeforeQuit->isEmpty()) << "nothing was stored before the interruption";
    // Not everything: the snapshot has 60 folders of files below the path to the source.
    EXPECT_LT(storedBeforeQuit->size(), 60);

    SnapshotIndexer resumed(indexFolder);
    ASSERT_TRUE(indexFully(resumed, repository, snapshot));
    const auto after = listingIds(indexFolder);
    EXPECT_TRUE(after.contains(*storedBeforeQuit)) << "work stored before the interruption was redone";
    for (const auto& [folder, entries] : foldersListedByRestic(repository, snapshot.id)) {
        EXPECT_EQ(resumed.index().level(snapshot.id, folder), entries) << folder.toStdString();
    }
}

TEST(SnapshotIndex, anIndexerTornDownMidBuildStopsQuietlyAndTheNextOneFinishes) {
    LocalRepository repository;
    repository.initialise();
    const auto source = repository.scratch(QStringLiteral("home"));
    buildManyFiles(source, 60, 100);
    const auto snapshot = backUp(repository, source);
    const auto indexFolder = repository.scratch(QStringLiteral("index"));

    auto indexer = std::make_unique<SnapshotIndexer>(indexFolder);
    indexer->request(repository.restic(), requestFor(snapshot));
    ASSERT_TRUE(spinUntil([&] { return indexer->progress(snapshot.id).value_or(0) > 0.1; }, 120000));
    // Torn down without a cancel or a wait, as when its owner goes away: the build's later
    // resumptions must not reach it.
    indexer.reset();
    spinUntil([] { return false; }, 400);

    SnapshotIndexer next(indexFolder);
    ASSERT_TRUE(indexFully(next, repository, snapshot));
}

TEST(SnapshotIndex, sharesUnchangedFoldersAndDropsForgottenSnapshots) {
    LocalRepository repository;
    repository.initialise();
    const auto source = repository.scratch(QStringLiteral("home"));
    buildManyFiles(source, 10, 20);
    const auto first = backUp(repository, source);
    writeFile(source + QStringLiteral("/folder 3/file 7.txt"), "changed");
    const auto second = backUp(repository, source);
    const auto indexFolder = repository.scratch(QStringLiteral("index"));

    SnapshotIndexer indexer(indexFolder);
    ASSERT_TRUE(indexFully(indexer, repository, first));
    const auto entriesOfOne = count(indexFolder, QStringLiteral("entry"));
    ASSERT_TRUE(indexFully(indexer, repository, second));
    // The second snapshot adds only the changed folder and the folders above it.
    const auto depth = source.count(QLatin1Char('/')) + 1;
    EXPECT_LE(count(indexFolder, QStringLiteral("entry")), entriesOfOne + 20 + 10 + depth + 1);

    RetentionPolicy policy;
    policy.keepLast = 1;
    await(repository.restic().forget(policy, true));
    QSet<QString> existing;
    for (const auto& snapshot : await(repository.restic().snapshots())) {
        existing.insert(snapshot.id);
    }
    ASSERT_EQ(existing, QSet<QString>{second.id});
    await(indexer.keepOnly(existing));

    EXPECT_FALSE(indexer.index().isIndexed(first.id));
    EXPECT_FALSE(indexer.index().level(first.id, source).has_value());
    EXPECT_EQ(count(indexFolder, QStringLiteral("entry")), entriesOfOne) << "the forgotten folder stayed";
    for (const auto& [folder, entries] : foldersListedByRestic(repository, second.id)) {
        EXPECT_EQ(indexer.index().level(second.id, folder), entries) << folder.toStdString();
    }
}

TEST(SnapshotIndex, aTruncatedOrForeignFileIsRebuiltNeverTrusted) {
    LocalRepository repository;
    repository.initialise();
    const auto source = repository.scratch(QStringLiteral("home"));
    buildManyFiles(source, 30, 40);
    const auto snapshot = backUp(repository, source);
    const auto indexFolder = repository.scratch(QStringLiteral("index"));
    const auto file = IndexDatabase::fileIn(indexFolder);
    // It names every file backed up: the user's alone, whoever made the file before.
    const auto expectPrivate = [&](const char* what) {
        EXPECT_EQ(FileTree::modeOf(indexFolder), 0700u) << what;
        for (const auto& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
            if (QFile::exists(file + suffix)) {
                EXPECT_EQ(FileTree::modeOf(file + suffix), 0600u) << what << suffix.toStdString();
            }
        }
    };
    {
        SnapshotIndexer indexer(indexFolder);
        ASSERT_TRUE(indexFully(indexer, repository, snapshot));
        expectPrivate("made");
    }
    {
        // Everything checkpointed into the main file, then cut in half.
        IndexDatabase database(file);
        ASSERT_FALSE(database.open(IndexDatabase::Trust::verify));
        ASSERT_FALSE(database.execute(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")));
    }
    QFile::remove(file + QStringLiteral("-wal"));
    QFile::remove(file + QStringLiteral("-shm"));
    QFile truncated(file);
    ASSERT_TRUE(truncated.open(QIODevice::ReadWrite));
    ASSERT_GT(truncated.size(), 64 * 1024);
    ASSERT_TRUE(truncated.resize(truncated.size() / 2));
    truncated.close();

    const auto reopenAndRebuild = [&](const char* what) {
        SnapshotIndexer indexer(indexFolder);
        EXPECT_FALSE(indexer.index().isIndexed(snapshot.id)) << what;
        EXPECT_TRUE(indexer.index().wasReplaced()) << what;
        ASSERT_TRUE(indexFully(indexer, repository, snapshot)) << what;
        for (const auto& [folder, entries] : foldersListedByRestic(repository, snapshot.id)) {
            EXPECT_EQ(indexer.index().level(snapshot.id, folder), entries) << what << folder.toStdString();
        }
    };
    reopenAndRebuild("truncated");

    // Another program's database in its place.
    QFile::remove(file);
    {
        auto other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("foreign"));
        other.setDatabaseName(file);
        ASSERT_TRUE(other.open());
        QSqlQuery(other).exec(QStringLiteral("CREATE TABLE snapshot(id TEXT, time INTEGER, root INTEGER)"));
        QSqlQuery(other).exec(QStringLiteral("INSERT INTO snapshot VALUES ('%1', 0, 1)").arg(snapshot.id));
        other.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("foreign"));
    ::chmod(QFile::encodeName(file).constData(), 0644);
    ::chmod(QFile::encodeName(indexFolder).constData(), 0755);
    reopenAndRebuild("foreign");
    expectPrivate("rebuilt over a file readable by others");

    // Not a database at all.
    QFile::remove(file);
    writeFile(file, QByteArray(8192, 'x'));
    reopenAndRebuild("garbage");
}

TEST(SnapshotIndex, searchFindsWhatAScanOfResticsListingFinds) {
    LocalRepository repository;
    repository.initialise();
    const auto source = repository.scratch(QStringLiteral("home"));
    buildHostileTree(source);
    const auto snapshot = backUp(repository, source);
    SnapshotIndexer indexer(repository.scratch(QStringLiteral("index")));
    ASSERT_TRUE(indexFully(indexer, repository, snapshot));

    const auto listed = await(repository.restic().ls(snapshot.id, {}));
    for (const auto* text :
         {"CAFE", "txt", "ÜBER", "l", "-", "[2019]", "\xef\xbf\xbd", "tab\t", "no such name"}) {
        const auto needle = QString::fromUtf8(text);
        QSet<QString> expected;
        for (const auto& entry : listed) {
            if (entry.path.startsWith(source + QLatin1Char('/')) &&
                NameFolding::contains(entry.name, needle)) {
                expected.insert(entry.path);
            }
        }
        const auto found = indexer.index().search(snapshot.id, needle, source, 100000);
        QSet<QString> paths;
        for (const auto& match : found.matches) {
            EXPECT_EQ(parentPath(match.entry.path), match.folder);
            EXPECT_TRUE(NameFolding::contains(match.entry.name, needle));
            paths.insert(match.entry.path);
        }
        EXPECT_EQ(paths, expected) << text;
        EXPECT_EQ(found.matches.size(), expected.size()) << text;
        EXPECT_FALSE(found.truncated) << text;
    }
    // "cafe" finds "café.txt": case and accents do not matter.
    EXPECT_FALSE(indexer.index().search(snapshot.id, QStringLiteral("CAFE"), source, 10).matches.isEmpty());
    const auto limited = indexer.index().search(snapshot.id, QStringLiteral("t"), source, 3);
    EXPECT_EQ(limited.matches.size(), 3);
    EXPECT_TRUE(limited.truncated);
}

TEST(SnapshotIndex, aFilesVersionsAreEveryDifferentOneNewestFirst) {
    LocalRepository repository;
    repository.initialise();
    const auto source = repository.scratch(QStringLiteral("home"));
    const auto file = source + QStringLiteral("/Documents/report.pdf");
    const auto setFile = [&](const QByteArray& content, qint64 mtime) {
        writeFile(file, content);
        QFile handle(file);
        handle.open(QIODevice::ReadWrite);
        handle.setFileTime(QDateTime::fromSecsSinceEpoch(mtime), QFileDevice::FileModificationTime);
    };
    writeFile(source + QStringLiteral("/other.txt"), "other");
    QList<Snapshot> snapshots;
    setFile("first", 1700000000);
    snapshots.append(backUp(repository, source));
    setFile("second version", 1700100000);
    snapshots.append(backUp(repository, source));
    writeFile(source + QStringLiteral("/other.txt"), "other changed"); // the report unchanged
    snapshots.append(backUp(repository, source));
    QFile::remove(file);
    snapshots.append(backUp(repository, source));
    setFile("third, back again", 1700200000);
    snapshots.append(backUp(repository, source));

    SnapshotIndexer indexer(repository.scratch(QStringLiteral("index")));
    for (const auto& snapshot : snapshots) {
        ASSERT_TRUE(indexFully(indexer, repository, snapshot));
    }
    const auto versions = indexer.index().versions(file);
    ASSERT_EQ(versions.size(), 3);
    EXPECT_EQ(versions[0].snapshotId, snapshots[4].id);
    EXPECT_EQ(versions[1].snapshotId, snapshots[2].id) << "the newest snapshot holding the second version";
    EXPECT_EQ(versions[2].snapshotId, snapshots[0].id);
    EXPECT_EQ(versions[0].entry.size, 17u);
    EXPECT_EQ(versions[1].entry.size, 14u);
    EXPECT_EQ(versions[2].entry.size, 5u);
    // Each as restic lists it in that snapshot.
    for (const auto& version : versions) {
        const auto listed = await(repository.restic().ls(version.snapshotId, {file}));
        ASSERT_FALSE(listed.isEmpty());
        EXPECT_EQ(version.entry, listed.last());
        EXPECT_EQ(version.snapshotTime, [&] {
            for (const auto& snapshot : snapshots) {
                if (snapshot.id == version.snapshotId) {
                    return snapshot.time;
                }
            }
            return QDateTime();
        }());
    }
    EXPECT_TRUE(indexer.index().versions(source + QStringLiteral("/Documents/missing.pdf")).isEmpty());
}

} // namespace keldoran
