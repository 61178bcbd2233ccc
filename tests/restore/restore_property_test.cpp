// The restore promise over generated cases: real restic restores through the browser's public interface,
// compared byte for byte with a bare `restic restore` of the same snapshot. Runs under support/with-keyring
// (the controller reads its secrets); restic works on a local repository.
//
// Each seed makes a tree (nested folders, modes such as 0700 and read-only ones, links, empty folders,
// sparse files, names with spaces, unicode, glob characters, leading dashes, names of 250 bytes and, deep
// down, names that are not UTF-8), a destination already holding some of the same paths with other
// contents (links to a folder outside among them), a selection, a conflict rule and a timing of the
// browser's listings against the sheet. KELDORAN_RESTORE_SEED_BASE and KELDORAN_RESTORE_SEED_COUNT choose
// other seeds (bench/restore_property.sh).
#include "backup/backup_controller.h"
#include "model/app_model.h"
#include "restic/file_name_text.h"
#include "restore/restore_browser.h"
#include "support/coroutines.h"
#include "support/fake_restic.h"
#include "support/file_tree.h"
#include "support/local_repository.h"
#include "support/test_platform.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <iostream>
#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace keldoran {

namespace {

using FileTree::Entry;
using FileTree::Tree;
using Location = RestoreBrowser::Destination::Location;
using PhaseKind = RestoreBrowser::RestorePhase::Kind;

class Random {
public:
    explicit Random(int seed)
        : engine_(std::uint32_t(seed) * 7919u + 17u) {}
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(engine_); }
    template <typename T> const T& pick(const QList<T>& items) { return items[below(int(items.size()))]; }
    QByteArray bytes(int size) {
        QByteArray data(size, '\0');
        for (auto& byte : data) {
            byte = char(below(256));
        }
        return data;
    }
    qint64 time() { return 1'500'000'000 + below(200'000'000); }

private:
    std::mt19937 engine_;
};

const QList<QByteArray>& namePool() {
    static const QList<QByteArray> names{"notes.txt",
                                         "Report 2024.pdf",
                                         "my file.txt",
                                         "café.txt",
                                         "日本語のメモ.txt",
                                         "Ünïcödé folder",
                                         "Photos [2019]",
                                         "Photos 2",
                                         "a*b.txt",
                                         "ab.txt",
                                         "what?",
                                         "whats",
                                         "x{1,2}.md",
                                         "-rf",
                                         "--help.txt",
                                         "-",
                                         ".hidden",
                                         "back\\slash.txt",
                                         "tab\tname",
                                         "new\nline.txt",
                                         "Makefile",
                                         "archive.tar.gz",
                                         "space at end ",
                                         " leading space",
                                         "emoji 📁",
                                         "%d %s",
                                         "$HOME",
                                         "`cmd`",
                                         "report (restored).pdf",
                                         "report.pdf",
                                         "x.",
                                         "..dots"};
    return names;
}

// Names restic shows with replacement characters, with a look-alike its patterns also match.
const QList<QByteArray>& brokenNames() {
    static const QList<QByteArray> names{"caf\xe9", "cafe", "\xff\xfe.bin", "na\xefve.txt"};
    return names;
}

// One generated scenario's tree below `root`, entries at `depth` (2 = directly in the seed's folder).
void generate(Random& random, FileTree::Builder& tree, const QByteArray& folder, int depth) {
    QList<QByteArray> names;
    const int count = 2 + random.below(depth == 2 ? 6 : 4);
    while (names.size() < count) {
        QByteArray name = random.pick(namePool());
        if (random.chance(0.06)) {
            name = QByteArray(225 + random.below(25), 'L') + (random.chance(0.5) ? ".txt" : "");
        } else if (depth >= 3 && random.chance(0.2)) {
            name = random.pick(brokenNames());
        }
        if (!names.contains(name)) {
            names.append(name);
        }
    }
    for (const auto& name : names) {
        const auto path = folder.isEmpty() ? name : folder + '/' + name;
        const int kind = random.below(100);
        if (kind < 30 && depth < 5) {
            static const QList<mode_t> modes{0755, 0700, 0555, 0750};
            tree.folder(path, random.pick(modes), random.time());
            generate(random, tree, path, depth + 1);
        } else if (kind < 36) {
            tree.folder(path, random.chance(0.5) ? 0755 : 0555, random.time()); // empty
        } else if (kind < 44) {
            static const QList<QByteArray> targets{"notes.txt", "../elsewhere", "/nonexistent/target",
                                                   "sub dir"};
            tree.link(path, random.pick(targets));
        } else if (kind < 46) {
            tree.sparseFile(path, (1 + random.below(3)) << 20, random.bytes(100));
        } else {
            static const QList<mode_t> modes{0644, 0600, 0755, 0444, 0640};
            tree.file(path, random.bytes(random.below(3000)), random.pick(modes), random.time());
        }
    }
}

QString shown(const QByteArray& path) {
    return FileTree::describe(path);
}

bool isUnder(const QByteArray& path, const QByteArray& folder) {
    return path.startsWith(folder + '/');
}

// Whether `name` is `original` or a keep-both name for it: "stem (restored[ n]).ext", the stem perhaps
// shortened to fit.
bool isRestoredName(const QByteArray& name, const QByteArray& original, bool folder) {
    if (name == original) {
        return true;
    }
    static const QRegularExpression suffix(QStringLiteral(R"(^(.*) \(restored( [0-9]+)?\)$)"),
                                           QRegularExpression::DotMatchesEverythingOption);
    const auto dot = folder ? -1 : original.lastIndexOf('.');
    QList<std::pair<QByteArray, QByteArray>> splits{{original, QByteArray()}};
    if (dot > 0 && dot < original.size() - 1) {
        splits.prepend({original.left(dot), original.mid(dot)});
    }
    for (const auto& [stem, extension] : splits) {
        if (!name.endsWith(extension)) {
            continue;
        }
        const auto match = suffix.match(QString::fromLatin1(name.left(name.size() - extension.size())));
        if (match.hasMatch() && stem.startsWith(match.captured(1).toLatin1())) {
            return true;
        }
    }
    return false;
}

// Where the chosen items of a restore had to arrive, and what was there before.
struct Expectation {
    Tree reference; // the restored folder in a bare restore, relative to it
    QList<QByteArray> chosen;
    Tree before; // the destination before
};

class Checker {
public:
    explicit Checker(const Expectation& expected)
        : expected_(expected) {}

    QStringList violations;
    int renamed = 0;

    // Keep both: everything that was there stays as it was, and each chosen item arrives whole under
    // its name or a free one.
    void keepBoth(const Tree& after) {
        for (const auto& [path, entry] : expected_.before) {
            const auto found = after.find(path);
            if (found == after.end() || !sameIgnoringFolderTime(found->second, entry)) {
                violations.append(QStringLiteral("an existing item was changed: ") + shown(path));
            }
        }
        for (const auto& name : expected_.chosen) {
            arrive(after, name, {});
        }
        for (const auto& [path, entry] : after) {
            if (!expected_.before.count(path) && !claimed(path)) {
                violations.append(QStringLiteral("unexpected item: ") + shown(path));
            }
        }
    }

    // Replace: each chosen item's every entry is the snapshot's, except where restic reported an item;
    // anything else there before is as it was.
    void replace(const Tree& after, const QList<QByteArray>& failed) {
        const auto excused = [&](const QByteArray& path) {
            return std::any_of(failed.begin(), failed.end(),
                               [&](const QByteArray& item) { return path == item || isUnder(path, item); });
        };
        for (const auto& [path, entry] : expected_.reference) {
            if (!chosen(path) || excused(path)) {
                continue;
            }
            const auto found = after.find(path);
            if (found == after.end() ||
                !(entry.type == Entry::Type::folder ? sameIgnoringFolderTime(found->second, entry)
                                                    : found->second == entry)) {
                violations.append(QStringLiteral("not restored as in the snapshot: ") + shown(path));
            }
        }
        for (const auto& [path, entry] : expected_.before) {
            if ((chosen(path) && expected_.reference.count(path)) || excused(path)) {
                continue;
            }
            const auto found = after.find(path);
            if (found == after.end() || !sameIgnoringFolderTime(found->second, entry)) {
                violations.append(QStringLiteral("an item outside the selection was changed: ") +
                                  shown(path));
            }
        }
    }

private:
    static bool sameIgnoringFolderTime(Entry a, Entry b) {
        if (a.type == Entry::Type::folder && b.type == Entry::Type::folder) {
            a.mtime = b.mtime = 0;
        }
        return a == b;
    }

    bool chosen(const QByteArray& path) const {
        return std::any_of(expected_.chosen.begin(), expected_.chosen.end(),
                           [&](const QByteArray& name) { return path == name || isUnder(path, name); });
    }

    bool claimed(const QByteArray& path) const {
        return std::any_of(claimed_.begin(), claimed_.end(),
                           [&](const QByteArray& item) { return path == item || isUnder(path, item); });
    }

    // The snapshot's `relative` arrived in the destination folder `folder` (same relative path so far).
    void arrive(const Tree& after, const QByteArray& name, const QByteArray& folder) {
        const auto source = folder.isEmpty() ? name : folder + '/' + name;
        const auto& entry = expected_.reference.at(source);
        const bool isFolder = entry.type == Entry::Type::folder;
        const auto existing = expected_.before.find(source);
        if (isFolder && existing != expected_.before.end() && existing->second.type == Entry::Type::folder) {
            for (const auto& [path, child] : FileTree::below(expected_.reference, source)) {
                if (!path.contains('/')) {
                    arrive(after, path, source);
                }
            }
            return;
        }
        const auto wanted = FileTree::below(expected_.reference, source);
        for (const auto& [path, candidate] : after) {
            const auto slash = path.lastIndexOf('/');
            const auto parent = slash < 0 ? QByteArray() : path.left(slash);
            const auto candidateName = path.mid(slash + 1);
            if (parent != folder || expected_.before.count(path) || claimed(path) ||
                !isRestoredName(candidateName, name, isFolder) || !(candidate == entry) ||
                FileTree::below(after, path) != wanted) {
                continue;
            }
            claimed_.append(path);
            renamed += candidateName != name;
            return;
        }
        violations.append(QStringLiteral("did not arrive whole: ") + shown(source));
    }

    const Expectation& expected_;
    QList<QByteArray> claimed_;
};

} // namespace

namespace {

void writeBytes(const QByteArray& path, const QByteArray& content) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd >= 0) {
        [[maybe_unused]] const auto written = ::write(fd, content.constData(), size_t(content.size()));
        ::close(fd);
    }
}

QByteArray squatterFor(const QByteArray& name) {
    const auto dot = name.lastIndexOf('.');
    return dot > 0 && dot < name.size() - 1 ? name.left(dot) + " (restored)" + name.mid(dot)
                                            : name + " (restored)";
}

// Puts something else where a chosen item will arrive: other contents, another kind of item, a link to
// the folder outside, or a name that a keep-both restore would take first.
void occupy(Random& random, const QByteArray& path, const QByteArray& outside) {
    const auto slash = path.lastIndexOf('/');
    switch (random.below(7)) {
    case 0:
        return;
    case 1:
        FileTree::remove(path);
        writeBytes(path, "mine " + random.bytes(20).toHex());
        return;
    case 2:
        FileTree::remove(path);
        ::mkdir(path.constData(), 0755);
        writeBytes(path + "/mine.txt", "mine");
        return;
    case 3:
        FileTree::remove(path);
        ::symlink(outside.constData(), path.constData());
        return;
    case 4:
        FileTree::remove(path);
        return;
    case 5:
        if (path.size() - slash < 200) {
            writeBytes(path.left(slash + 1) + squatterFor(path.mid(slash + 1)), "squatter");
        }
        return;
    default: {
        // Inside a folder of the same name: change some of what it holds.
        struct stat status {};
        if (::lstat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode)) {
            for (const auto& entry : FileTree::read(path)) {
                if (!entry.first.contains('/') && random.chance(0.4)) {
                    occupy(random, path + '/' + entry.first, outside);
                }
            }
        } else if (random.chance(0.5)) {
            FileTree::remove(path);
            ::mkdir(path.constData(), 0755);
        }
    }
    }
}

struct Scenario {
    int seed = 0;
    QByteArray level; // relative to the home folder
    QList<QByteArray> chosen;
    bool replace = false;
    bool original = true;
    int timing = 0; // 0 listings done before, 1 one finishing during the restore, 2 one finishing before it

    QString describe() const {
        QStringList names;
        for (const auto& name : chosen) {
            names.append(FileTree::describe(name));
        }
        static const char* timings[] = {"listings before the sheet", "a listing during the restore",
                                        "a listing after the sheet"};
        return QStringLiteral("seed %1: %2 of %3 %4 to %5, %6")
            .arg(seed)
            .arg(names.join(QStringLiteral(", ")), FileTree::describe(level),
                 replace ? QStringLiteral("replacing") : QStringLiteral("keeping both"),
                 original ? QStringLiteral("the original location") : QStringLiteral("another folder"),
                 QLatin1String(timings[timing]));
    }
};

int environmentNumber(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

class RestoreProperty : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        repository.initialise();
        test.storeConfiguration();
        test.useFakeRestic(restic);
        // The controller's restic is the real one, on the local repository.
        restic.defaultStep(
            QStringLiteral("exec '%1' -r '%2' \"$@\"").arg(realRestic().path, repository.path()));
        model = std::make_unique<AppModel>(test.platform());
        ASSERT_EQ(await(model->controller().configure()), ConfigurationOutcome::configured);
        browser = std::make_unique<RestoreBrowser>(model->controller(), test.clock, test.home());
        home = QFile::encodeName(test.home());
        elsewhere = QFile::encodeName(repository.scratch(QStringLiteral("elsewhere")));
        outside = QFile::encodeName(repository.scratch(QStringLiteral("outside")));
    }

    void TearDown() override {
        browser.reset();
        await(model->controller().whenIdle());
        // Names that are not UTF-8 and read-only folders are beyond QTemporaryDir's clean-up.
        for (const auto& folder :
             {home, elsewhere, outside, QFile::encodeName(repository.scratch(QStringLiteral("reference")))}) {
            FileTree::remove(folder);
        }
    }

    // restic itself, as a user would run it.
    void bareRestic(const QStringList& arguments) {
        QProcess process;
        auto environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("RESTIC_REPOSITORY"), repository.path());
        environment.insert(QStringLiteral("RESTIC_PASSWORD"), QLatin1String(LocalRepository::password));
        environment.insert(QStringLiteral("RESTIC_CACHE_DIR"), repository.scratch(QStringLiteral("cache")));
        process.setProcessEnvironment(environment);
        process.start(realRestic().path, arguments);
        ASSERT_TRUE(process.waitForFinished(300000));
        ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    }

    QCoro::Task<void> openLevel(Random& random, Scenario& scenario);
    void prepareDestination(Random& random, const Scenario& scenario, const QByteArray& target);
    std::pair<Scenario, QStringList> run(int seed);
    QStringList check(const Scenario& scenario, const Expectation& expected, const QByteArray& target);

    LocalRepository repository;
    TestPlatform test;
    FakeRestic restic;
    std::unique_ptr<AppModel> model;
    std::unique_ptr<RestoreBrowser> browser;
    QByteArray home;
    QByteArray elsewhere;
    QByteArray outside;
    Tree reference;
};

// Opens the seed's folder or one of its subfolders, as ctl does: straight to the folder, one listing.
QCoro::Task<void> RestoreProperty::openLevel(Random& random, Scenario& scenario) {
    scenario.level = "s" + QByteArray::number(scenario.seed);
    QList<QByteArray> folders;
    for (const auto& [path, entry] : FileTree::below(reference, scenario.level)) {
        if (entry.type == Entry::Type::folder && !path.contains('/') &&
            !FileTree::below(reference, scenario.level + '/' + path).empty()) {
            folders.append(path);
        }
    }
    if (!folders.isEmpty() && random.chance(0.5)) {
        scenario.level += '/' + random.pick(folders);
    }
    co_await browser->navigate(0);
    LsEntry level;
    level.type = QStringLiteral("dir");
    level.path = QString::fromUtf8(home + '/' + scenario.level);
    co_await browser->openFolder(level);
}

void RestoreProperty::prepareDestination(Random& random, const Scenario& scenario, const QByteArray& target) {
    const auto outsideFolder = outside + "/s" + QByteArray::number(scenario.seed);
    if (!scenario.original) {
        QDir().mkpath(QString::fromUtf8(target));
    }
    for (const auto& name : scenario.chosen) {
        if (scenario.original || random.chance(0.6)) {
            occupy(random, target + '/' + name, outsideFolder);
        }
    }
    if (random.chance(0.3)) {
        writeBytes(target + "/fresh.txt", "not in the snapshot");
    }
}

std::pair<Scenario, QStringList> RestoreProperty::run(int seed) {
    Random random(seed * 31 + 5);
    Scenario scenario;
    scenario.seed = seed;
    await(openLevel(random, scenario));
    const auto entries = browser->currentLevelEntries();
    QSet<QString> chosenPaths;
    QSet<QString> chosenNames;
    while (chosenPaths.isEmpty()) {
        for (const auto& entry : entries) {
            if (random.chance(0.4)) {
                chosenPaths.insert(entry.path);
                chosenNames.insert(entry.name);
            }
        }
    }
    browser->setSelection(chosenPaths);
    const auto request = browser->restoreRequest();
    if (!request || request->paths.size() != chosenPaths.size()) {
        return {scenario, {QStringLiteral("the selection gave no restore request")}};
    }
    const auto levelReference = FileTree::below(reference, scenario.level);
    for (const auto& [path, entry] : levelReference) {
        if (!path.contains('/') && chosenNames.contains(fileNameText(path))) {
            scenario.chosen.append(path);
        }
    }
    scenario.replace = random.chance(0.35);
    scenario.original = random.chance(0.5);
    scenario.timing = random.below(3);
    const auto target =
        scenario.original ? home + '/' + scenario.level : elsewhere + "/s" + QByteArray::number(seed);
    prepareDestination(random, scenario, target);
    const Expectation expected{levelReference, scenario.chosen, FileTree::read(target)};
    const auto homeBefore = FileTree::read(home);
    const auto elsewhereBefore = FileTree::read(elsewhere);
    const auto outsideBefore = FileTree::read(outside);

    QStringList violations;
    std::optional<QCoro::Task<void>> listing;
    if (scenario.timing > 0) {
        // The browser moves on while the sheet is up: the restore must act on what the sheet captured.
        QList<LsEntry> folders;
        std::copy_if(entries.begin(), entries.end(), std::back_inserter(folders),
                     [](const LsEntry& e) { return e.isDirectory(); });
        listing = folders.isEmpty() ? browser->navigate(0) : browser->openFolder(random.pick(folders));
        if (browser->isLoading()) {
            browser->setSelection(chosenPaths);
            if (!browser->selection().isEmpty() || browser->restoreRequest()) {
                violations.append(QStringLiteral("something of a level still loading could be chosen"));
            }
        }
        if (scenario.timing == 2) {
            await(std::move(*listing));
            listing.reset();
        }
    }
    const RestoreBrowser::Destination destination{
        scenario.original ? Location::original : Location::another, QString::fromUtf8(target),
        scenario.replace ? RestoreConflict::replace : RestoreConflict::keepBoth};
    await(browser->runRestore(*request, destination));
    if (listing) {
        await(std::move(*listing));
    }
    violations += check(scenario, expected, target);

    if (FileTree::read(outside) != outsideBefore) {
        violations.append(QStringLiteral("something was written through a link:\n") +
                          FileTree::difference(outsideBefore, FileTree::read(outside)));
    }
    const auto targetInHome = scenario.original ? scenario.level : QByteArray("\n");
    for (const auto& [before, after, folder] :
         {std::tuple{homeBefore, FileTree::read(home), targetInHome},
          std::tuple{elsewhereBefore, FileTree::read(elsewhere), "s" + QByteArray::number(seed)}}) {
        for (const auto& [path, entry] : after) {
            if (path.contains("keldoran-restore-")) {
                violations.append(QStringLiteral("a staging folder was left: ") + FileTree::describe(path));
            }
        }
        auto outsideTarget = [&](const Tree& tree) {
            Tree kept;
            for (const auto& [path, entry] : tree) {
                if (!isUnder(path, folder)) {
                    kept[path] = entry;
                    if (path == folder) {
                        kept[path].mtime = 0; // gains entries
                    }
                }
            }
            return kept;
        };
        if (outsideTarget(before) != outsideTarget(after)) {
            violations.append(QStringLiteral("something outside the target changed:\n") +
                              FileTree::difference(outsideTarget(before), outsideTarget(after)));
        }
    }
    browser->dismissPhase();
    return {scenario, violations};
}

QStringList RestoreProperty::check(const Scenario& scenario, const Expectation& expected,
                                   const QByteArray& target) {
    const auto after = FileTree::read(target);
    const auto& phase = browser->restorePhase();
    Checker checker(expected);
    const bool brokenName =
        std::any_of(scenario.chosen.begin(), scenario.chosen.end(), [](const QByteArray& name) {
            return fileNameText(name).contains(QChar::ReplacementCharacter);
        });
    if (scenario.replace && brokenName) {
        // Replace cannot tell such a name from a look-alike: it is refused and nothing is touched.
        if (phase.kind != PhaseKind::failed || after != expected.before) {
            checker.violations.append(QStringLiteral("Replace with a name that is not UTF-8 went ahead"));
        }
        return checker.violations;
    }
    if (scenario.replace) {
        // A file cannot replace a folder that holds something: restic reports the item.
        QList<QByteArray> failed;
        for (const auto& [path, entry] : expected.reference) {
            const auto before = expected.before.find(path);
            const bool chosen =
                std::any_of(scenario.chosen.begin(), scenario.chosen.end(),
                            [&](const QByteArray& name) { return path == name || isUnder(path, name); });
            if (chosen && entry.type != Entry::Type::folder && before != expected.before.end() &&
                before->second.type == Entry::Type::folder &&
                !FileTree::below(expected.before, path).empty()) {
                failed.append(path);
            }
        }
        checker.replace(after, failed);
        if (phase.kind != (failed.isEmpty() ? PhaseKind::succeeded : PhaseKind::incomplete)) {
            checker.violations.append(QStringLiteral("the result was told as: ") + phase.message);
        }
        return checker.violations;
    }
    checker.keepBoth(after);
    const auto place = scenario.original
                           ? fileNameText(scenario.level.mid(scenario.level.lastIndexOf('/') + 1))
                           : QStringLiteral("s%1").arg(scenario.seed);
    const auto items = QSet<QString>([&] {
                           QSet<QString> names;
                           for (const auto& name : scenario.chosen) {
                               names.insert(fileNameText(name));
                           }
                           return names;
                       }())
                           .size();
    const auto said = items == 1 ? QStringLiteral("Restored 1 item to %1.").arg(place)
                                 : QStringLiteral("Restored %1 items to %2.").arg(items).arg(place);
    const auto renames = checker.renamed == 0   ? said
                         : checker.renamed == 1 ? said + QStringLiteral(" 1 existing ")
                                                : said + QStringLiteral(" %1 existing ").arg(checker.renamed);
    if (phase.kind != PhaseKind::succeeded || !phase.message.startsWith(renames) ||
        (checker.renamed == 0 && phase.message != said)) {
        checker.violations.append(QStringLiteral("the result was told as: ") + phase.message);
    }
    return checker.violations;
}

} // namespace

TEST_P(RestoreProperty, keepsItsPromise) {
    const int count = environmentNumber("KELDORAN_RESTORE_SEED_COUNT", 10);
    const int base = environmentNumber("KELDORAN_RESTORE_SEED_BASE", 0) + GetParam() * count;
    for (int seed = base; seed < base + count; ++seed) {
        Random random(seed);
        FileTree::Builder tree(test.home() + QStringLiteral("/s%1").arg(seed));
        generate(random, tree, {}, 2);
        FileTree::Builder(QString::fromUtf8(outside) + QStringLiteral("/s%1").arg(seed))
            .file("untouched.txt", "outside");
    }
    bareRestic({QStringLiteral("backup"), QStringLiteral("--quiet"), test.home()});
    const auto referenceFolder = repository.scratch(QStringLiteral("reference"));
    bareRestic({QStringLiteral("restore"), QStringLiteral("latest:") + test.home(),
                QStringLiteral("--target"), referenceFolder, QStringLiteral("--sparse")});
    reference = FileTree::read(referenceFolder);
    await(browser->loadSnapshots());
    ASSERT_TRUE(browser->selectedSnapshot());

    int violations = 0;
    for (int seed = base; seed < base + count; ++seed) {
        const auto [scenario, found] = run(seed);
        if (!found.isEmpty()) {
            ++violations;
            ADD_FAILURE() << scenario.describe().toStdString() << "\n"
                          << found.join(QLatin1Char('\n')).toStdString();
        }
    }
    std::cout << "restore scenarios: " << count << "\nrestore property violations: " << violations
              << std::endl;
}

INSTANTIATE_TEST_SUITE_P(Seeds, RestoreProperty, ::testing::Range(0, 3));

} // namespace keldoran
