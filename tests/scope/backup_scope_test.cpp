#include "model/app_model.h"
#include "model/settings_keys.h"
#include "scope/backup_scope.h"
#include "scope/default_excludes.h"
#include "support/coroutines.h"
#include "support/event_loop.h"
#include "support/local_repository.h"
#include "support/test_platform.h"

#include <gtest/gtest.h>
#include <QDir>

namespace keldoran {

namespace {

using TriState = BackupScope::TriState;

void makeHome(const QString& home) {
    for (const char* folder : {".ssh", ".gnupg", ".config", ".cache", ".Trash", ".mozilla", "Movies", "Music",
                               "Photos [2019]", "Photos 2", "Documents/Taxes/2024", "Documents/Letters"}) {
        QDir().mkpath(home + QLatin1Char('/') + QLatin1String(folder));
    }
    writeFile(home + QStringLiteral("/.bashrc"), "hidden file");
    writeFile(home + QStringLiteral("/notes.txt"), QByteArray(1234, 'n'));
    writeFile(home + QStringLiteral("/file10.txt"), "x");
    writeFile(home + QStringLiteral("/File2.txt"), "x");
    QFile::link(home + QStringLiteral("/Documents"), home + QStringLiteral("/.docs-link"));
}

QStringList namesOf(const QList<BackupNode>& nodes) {
    QStringList names;
    for (const auto& node : nodes) {
        names.append(node.name);
    }
    return names;
}

BackupNode node(BackupScope& scope, const QString& folder, const QString& name) {
    for (const auto& child : scope.children(folder, true)) {
        if (child.name == name) {
            return child;
        }
    }
    ADD_FAILURE() << "no " << name.toStdString();
    return {};
}

} // namespace

TEST(BackupScope, listsFoldersLikeAFileBrowserAndCachesTheListing) {
    TestPlatform test;
    makeHome(test.home());
    BackupScope scope(test.settings(), test.home());
    EXPECT_EQ(scope.root(), (BackupNode{test.home(), QStringLiteral("Home"), true, 0}));
    EXPECT_EQ(namesOf(scope.children(test.home(), true)),
              (QStringList{"Documents", "File2.txt", "file10.txt", "Movies", "Music", "notes.txt",
                           "Photos [2019]", "Photos 2"}));
    EXPECT_EQ(node(scope, test.home(), QStringLiteral("notes.txt")).sizeBytes, 1234);
    QDir().mkpath(test.home() + QStringLiteral("/Zebra"));
    EXPECT_FALSE(
        namesOf(scope.children(test.home(), true)).contains(QStringLiteral("Zebra"))); // read once per run
    EXPECT_TRUE(scope.children(test.home() + QStringLiteral("/notes.txt"), false).isEmpty());
    EXPECT_TRUE(scope.children(test.home() + QStringLiteral("/missing"), true).isEmpty());
}

TEST(BackupScope, untickingAndTickingKeepTheSetMinimalAndSaveAtOnce) {
    TestPlatform test;
    makeHome(test.home());
    BackupScope scope(test.settings(), test.home());
    const auto documents = node(scope, test.home(), QStringLiteral("Documents"));
    const auto taxes = node(scope, documents.id, QStringLiteral("Taxes"));
    const auto letters = node(scope, documents.id, QStringLiteral("Letters"));

    scope.toggle(taxes);
    EXPECT_EQ(scope.triState(documents.id, true), TriState::partial);
    EXPECT_EQ(scope.skippedChildNames(documents.id), QStringList{QStringLiteral("Taxes")});
    EXPECT_TRUE(scope.isExcluded(taxes.id + QStringLiteral("/2024")));
    // Toggling a partly skipped folder ticks all of it.
    scope.toggle(documents);
    EXPECT_TRUE(scope.excluded().isEmpty());
    scope.toggle(taxes);

    // In a later run nothing is listed yet, so the folder shows as included: unticking it leaves only
    // the folder in the set, saved at once.
    BackupScope later(test.settings(), test.home());
    EXPECT_EQ(later.triState(documents.id, true), TriState::included);
    later.toggle(documents);
    EXPECT_EQ(later.excluded(), QSet<QString>{documents.id});
    EXPECT_EQ(BackupScope(test.settings(), test.home()).excluded(), later.excluded());

    // Ticking a child of an unticked folder unticks its siblings instead.
    later.toggle(letters);
    EXPECT_EQ(later.excluded(), QSet<QString>{taxes.id});
    EXPECT_EQ(later.triState(letters.id, true), TriState::included);

    // A folder whose listed children are all unticked shows as unticked; ticking it clears them.
    later.toggle(letters);
    EXPECT_EQ(later.triState(documents.id, true), TriState::excluded);
    EXPECT_FALSE(later.excluded().contains(documents.id));
    later.toggle(documents);
    EXPECT_TRUE(later.excluded().isEmpty());

    // Ticking a node two levels below an unticked folder backs up only that node's path.
    later.toggle(documents);
    const auto year = node(later, taxes.id, QStringLiteral("2024"));
    later.toggle(year);
    EXPECT_EQ(later.excluded(), QSet<QString>{letters.id});
    EXPECT_EQ(later.triState(year.id, true), TriState::included);
}

TEST(BackupScope, talliesSizesOnlyOnceTheirParentsWereListed) {
    TestPlatform test;
    makeHome(test.home());
    writeFile(test.home() + QStringLiteral("/Music/song.flac"), QByteArray(5000, 's'));
    test.settings().setValue(
        SettingsKeys::excludedScopePaths,
        QByteArray("[\"" + (test.home() + QStringLiteral("/Music/song.flac")).toUtf8() + "\"]"));
    BackupScope scope(test.settings(), test.home());
    EXPECT_FALSE(scope.allExcludedSizesKnown());
    scope.children(test.home() + QStringLiteral("/Music"), true);
    EXPECT_TRUE(scope.allExcludedSizesKnown());
    EXPECT_EQ(scope.excludedBytes(), 5000);

    test.settings().setValue(SettingsKeys::excludedScopePaths, QByteArray("{not json"));
    EXPECT_TRUE(BackupScope(test.settings(), test.home()).excluded().isEmpty());
}

TEST(BackupScope, countsAnUntickedFoldersContentsInTheBackground) {
    TestPlatform test;
    const auto videos = test.home() + QStringLiteral("/Videos");
    writeFile(videos + QStringLiteral("/a.mkv"), QByteArray(7000, 'v'));
    writeFile(videos + QStringLiteral("/old/b.mkv"), QByteArray(3000, 'v'));
    QFile::link(videos + QStringLiteral("/a.mkv"),
                videos + QStringLiteral("/link.mkv")); // a link counts as a link
    BackupScope scope(test.settings(), test.home());
    const auto listed = scope.children(test.home(), true);
    ASSERT_EQ(listed.size(), 1);
    scope.toggle(listed.first());
    // A folder's listing says nothing of its contents: unknown, not zero, until counted.
    EXPECT_FALSE(scope.allExcludedSizesKnown());
    ASSERT_TRUE(spinUntil([&] { return scope.allExcludedSizesKnown(); }));
    EXPECT_EQ(scope.excludedBytes(), 10000);
}

TEST(BackupScope, mergesEveryExclusionIntoTheBackupsExcludeEntries) {
    TestPlatform test;
    makeHome(test.home());
    AppModel model(test.platform());
    auto& scope = model.scope();
    const auto home = test.home();

    const auto hidden = scope.hiddenFolderExcludes();
    EXPECT_EQ(QSet<QString>(hidden.begin(), hidden.end()),
              (QSet<QString>{home + "/.cache", home + "/.Trash", home + "/.mozilla", home + "/.docs-link"}));
    auto entries = scope.effectiveExcludes(model.excludes());
    EXPECT_EQ(entries.count(home + QStringLiteral("/.Trash")), 1);
    EXPECT_EQ(entries.count(home + QStringLiteral("/.cache")), 1);
    EXPECT_TRUE(entries.contains(home + QStringLiteral("/Library")));
    EXPECT_TRUE(entries.contains(QStringLiteral("node_modules")));
    EXPECT_TRUE(entries.contains(QStringLiteral("*.vmdk")));
    for (const char* kept : {"/.ssh", "/.gnupg", "/.config", "/.bashrc"}) {
        EXPECT_FALSE(entries.contains(home + QLatin1String(kept))) << kept;
    }
    // 22 defaults, of which ~/.cache and ~/.Trash are also hidden folders, plus two more hidden ones.
    EXPECT_EQ(entries.size(), 22 + 2);

    // An unticked folder is a literal path: "Photos [2019]" must not also exclude "Photos 2".
    scope.toggle(node(scope, home, QStringLiteral("Photos [2019]")));
    entries = scope.effectiveExcludes(model.excludes());
    EXPECT_TRUE(entries.contains(home + QStringLiteral("/Photos \\[2019\\]")));
    const auto tally = scope.scopeTally(model.excludes());
    EXPECT_EQ(tally, (BackupScope::Tally{22, 1, 4}));
}

namespace {

// Counts the writes that reach the settings file.
class CountingSettings : public SettingsStore {
public:
    explicit CountingSettings(SettingsStore& inner)
        : inner_(inner) {}
    QVariant value(const QString& key) const override { return inner_.value(key); }
    bool contains(const QString& key) const override { return inner_.contains(key); }
    void setValue(const QString& key, const QVariant& value) override {
        ++writes;
        inner_.setValue(key, value);
    }
    void remove(const QString& key) override {
        ++writes;
        inner_.remove(key);
    }
    void removeAll() override { inner_.removeAll(); }
    int writes = 0;

private:
    SettingsStore& inner_;
};

} // namespace

// Each tick is one write, whatever it changes: a photo ticked back in a folder of 2,000 unticks 1,999.
TEST(BackupScope, writesTheScopeOncePerTick) {
    TestPlatform test;
    const auto photos = test.home() + QStringLiteral("/Photos");
    for (int i = 0; i < 2000; ++i) {
        writeFile(photos + QStringLiteral("/IMG_%1.jpg").arg(i, 4, 10, QLatin1Char('0')), "j");
    }
    CountingSettings settings(test.settings());
    BackupScope scope(settings, test.home());
    scope.toggle(node(scope, test.home(), QStringLiteral("Photos")));
    EXPECT_EQ(settings.writes, 1);
    scope.toggle(node(scope, photos, QStringLiteral("IMG_0042.jpg")));
    EXPECT_EQ(settings.writes, 2);
    EXPECT_EQ(BackupScope(test.settings(), test.home()).excluded().size(), 1999);
    EXPECT_EQ(scope.triState(photos + QStringLiteral("/IMG_0042.jpg"), false), TriState::included);
}

// What a backup leaves out is exactly what the user excluded, through "Add exclusion…" or a tick, with
// glob characters in the names: a real backup of generated folders, listed back.
TEST(BackupScope, aRealBackupLeavesOutExactlyWhatWasExcluded) {
    LocalRepository repository;
    repository.initialise();
    TestPlatform test;
    AppModel model(test.platform());
    auto& scope = model.scope();
    const QStringList names{"Photos [2019]", "Photos 2", "What?", "Whats", "a*b", "ab", "back\\slash",
                            "x{1,2}",        "x1",       "-rf",   "[abc]", "a",   "c",  "space name",
                            "café",          "**",       "notes"};
    QSet<QString> expected;
    QStringList excluded;
    for (int seed = 0; seed < 3; ++seed) {
        const auto root = test.home() + QStringLiteral("/s%1").arg(seed);
        for (const auto& name : names) {
            writeFile(root + QStringLiteral("/Chosen/") + name + QStringLiteral("/file.txt"), "in a folder");
            writeFile(root + QStringLiteral("/Ticked/") + name, "a file");
        }
        for (int i = 0; i < names.size(); ++i) {
            const auto chosen = root + QStringLiteral("/Chosen/") + names[i];
            const auto ticked = root + QStringLiteral("/Ticked/") + names[i];
            if ((i * 7 + seed * 3) % 3 == 0) {
                model.addExclusion(chosen);
                excluded.append(chosen);
            } else {
                expected << chosen << chosen + QStringLiteral("/file.txt");
            }
            if ((i * 5 + seed) % 3 == 0) {
                scope.toggle(node(scope, root + QStringLiteral("/Ticked"), names[i]));
                excluded.append(ticked);
            } else {
                expected << ticked;
            }
        }
        expected << root << root + QStringLiteral("/Chosen") << root + QStringLiteral("/Ticked");
    }
    const auto restic = repository.restic();
    const auto events = await(collect(restic.backup(
        Restic::backupArguments(scope.effectiveExcludes(model.excludes()), std::nullopt, {test.home()}))));
    ASSERT_TRUE(std::holds_alternative<BackupSummary>(events.last()));
    QSet<QString> backedUp;
    for (const auto& entry :
         await(restic.ls(std::get<BackupSummary>(events.last()).snapshotId.value(), {}))) {
        if (entry.path.startsWith(test.home() + QLatin1Char('/'))) {
            backedUp.insert(entry.path);
        }
    }
    EXPECT_EQ(backedUp - expected, QSet<QString>()) << "excluded: " << excluded.join(", ").toStdString();
    EXPECT_EQ(expected - backedUp, QSet<QString>());
}

// App data kept at setup is backed up, without the trash and the caches inside it; every other hidden
// folder stays out, and a hidden folder ticked in the scope browser comes back in: a real backup, listed.
TEST(BackupScope, keptAppDataAndTickedHiddenFoldersAreBackedUpWithoutTheirTrashAndCaches) {
    LocalRepository repository;
    repository.initialise();
    TestPlatform test;
    AppModel model(test.platform());
    auto& scope = model.scope();
    const auto home = test.home();
    const QStringList backedUp{".local/share/evolution/mail/inbox",
                               ".mozilla/firefox/places.sqlite",
                               ".thunderbird/abc.default/Mail/inbox",
                               ".var/app/org.gnome.Maps/data/places",
                               ".var/app/org.gnome.Maps/config/settings",
                               ".ssh/id_ed25519",
                               ".kube/config",
                               "Documents/letter.txt"};
    const QStringList leftOut{".local/share/Trash/files/old.txt",
                              ".local/state/history",
                              ".local/bin/tool",
                              ".var/app/org.gnome.Maps/cache/tiles",
                              ".var/other/x",
                              ".cache/thumbs/a.png",
                              ".steam/game.bin"};
    for (const auto& file : backedUp + leftOut) {
        writeFile(home + QLatin1Char('/') + file, "data");
    }
    EXPECT_FALSE(scope.keepsAppData());
    scope.keepAppData(true);
    model.setListed(BackupScope::appDataExclusions(), true);
    EXPECT_TRUE(scope.keepsAppData());
    EXPECT_TRUE(model.excludes().last().path == QStringLiteral(".var/app/*/cache"));
    scope.toggle({home + QStringLiteral("/.kube"), QStringLiteral(".kube"), true, 0, true}); // ticked in
    EXPECT_EQ(scope.triState(home + QStringLiteral("/.kube"), true), TriState::included);
    EXPECT_EQ(scope.triState(home + QStringLiteral("/.local"), true), TriState::partial);
    EXPECT_EQ(scope.triState(home + QStringLiteral("/.steam"), true), TriState::excluded);
    EXPECT_EQ(scope.scopeTally(model.excludes()).keptHiddenCount, 5);

    const auto restic = repository.restic();
    const auto events = await(collect(restic.backup(
        Restic::backupArguments(scope.effectiveExcludes(model.excludes()), std::nullopt, {home}))));
    ASSERT_TRUE(std::holds_alternative<BackupSummary>(events.last()));
    QSet<QString> files;
    for (const auto& entry :
         await(restic.ls(std::get<BackupSummary>(events.last()).snapshotId.value(), {}))) {
        if (entry.type == QStringLiteral("file")) {
            files.insert(entry.path.mid(home.size() + 1));
        }
    }
    EXPECT_EQ(files, QSet<QString>(backedUp.begin(), backedUp.end()));

    // Switched off again, app data is skipped like every hidden folder.
    scope.keepAppData(false);
    model.setListed(BackupScope::appDataExclusions(), false);
    EXPECT_TRUE(scope.hiddenFolderExcludes().contains(home + QStringLiteral("/.mozilla")));
    EXPECT_FALSE(model.excludes().last().path == QStringLiteral(".var/app/*/cache"));
    EXPECT_EQ(BackupScope(test.settings(), home).keptHidden(),
              QSet<QString>{home + QStringLiteral("/.kube")});
}

} // namespace keldoran
