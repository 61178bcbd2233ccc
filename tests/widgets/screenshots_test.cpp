// Renders every screen and every status to PNG under build/screenshots/, for people to look at: in
// English, German (de/), French (fr/) and a pseudo-language (pseudo/) that lengthens every text by 40%
// and brackets it, so a text that never went through translation stands out.
#include "backup/backup_controller.h"
#include "model/app_model.h"
#include "platform/workspace.h"
#include "presentation/status_activity.h"
#include "restic/restic_error.h"
#include "restore/restore_messages.h"
#include "support/coroutines.h"
#include "support/event_loop.h"
#include "support/fake_restic.h"
#include "support/local_repository.h"
#include "support/screen_languages.h"
#include "support/test_platform.h"
#include "widgets/app_actions.h"
#include "widgets/change_keys_sheet.h"
#include "widgets/keldoran_mark.h"
#include "widgets/mark_animator.h"
#include "widgets/preferences_window.h"
#include "widgets/remove_data_sheet.h"
#include "widgets/restore/destination_sheet.h"
#include "widgets/restore/restore_progress_overlay.h"
#include "widgets/restore/restore_window.h"
#include "widgets/restore/versions_dialog.h"
#include "widgets/scope/scope_browser.h"
#include "widgets/setup/onboarding_window.h"
#include "widgets/status_popover.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextDocumentFragment>
#include <QTextLayout>
#include <QToolButton>

namespace keldoran {

namespace {

enum class ScreenLanguage { english, german, french, pseudo };

ScreenLanguage shownLanguage = ScreenLanguage::english;

QString folderFor(ScreenLanguage language) {
    switch (language) {
    case ScreenLanguage::english:
        return QStringLiteral(KELDORAN_SCREENSHOTS);
    case ScreenLanguage::german:
        return QStringLiteral(KELDORAN_SCREENSHOTS "/de");
    case ScreenLanguage::french:
        return QStringLiteral(KELDORAN_SCREENSHOTS "/fr");
    case ScreenLanguage::pseudo:
        break;
    }
    return QStringLiteral(KELDORAN_SCREENSHOTS "/pseudo");
}

// What real data puts on screens: deep paths, a bucket name of 200 characters, and a sentence as long as
// a translation makes it.
QString longPath(const QString& home, int i) {
    return home + QStringLiteral("/Documents/Projects/2024 Client Deliverables/Final Versions/Reviewed by "
                                 "Legal/Contract_Amendment_Schedule_B_revised_final_v%1_signed.pdf")
                      .arg(i);
}
// The words of longPath's folders, shown as they are.
const QString longFolderWords = QStringLiteral("2024 Client Deliverables/Final Versions/Reviewed by Legal");
const QString longBucket =
    QStringLiteral("family-photos-and-documents-backup-") + QString(165, QLatin1Char('x'));
// A stored configuration holds a valid name: the longest S3 allows is 63 characters.
const QString longestValidBucket =
    QStringLiteral("family-photos-and-documents-backup-") + QString(28, QLatin1Char('x'));
const QString translatedLength = QStringLiteral(
    "Die Sicherung konnte nicht abgeschlossen werden, weil der Speicheranbieter die Verbindung "
    "unerwartet beendet hat; Keldoran versucht es beim nächsten geplanten Zeitpunkt erneut.");

class NoWorkspace : public Workspace {
public:
    void openUrl(const QUrl&) override {}
    void reveal(const QString&, std::function<void()>) override {}
};

// Every control a user can reach has a name a screen reader can say, and can be reached from the keyboard.
void expectAccessible(QWidget* screen, const QString& name) {
    for (auto* control : screen->findChildren<QWidget*>()) {
        const bool interactive = qobject_cast<QAbstractButton*>(control) ||
                                 qobject_cast<QLineEdit*>(control) || qobject_cast<QComboBox*>(control) ||
                                 qobject_cast<QAbstractItemView*>(control);
        // A table's header belongs to the table, which carries the name and the focus.
        if (!interactive || qobject_cast<QHeaderView*>(control) || !control->isVisibleTo(screen) ||
            !control->isEnabled()) {
            continue;
        }
        auto* accessible = QAccessible::queryAccessibleInterface(control);
        const auto spoken = accessible ? accessible->text(QAccessible::Name) : QString();
        EXPECT_FALSE(spoken.trimmed().isEmpty())
            << name.toStdString() << ": a " << control->metaObject()->className() << " named \""
            << control->objectName().toStdString() << "\" has no accessible name";
        // In a group of radio buttons Tab reaches the chosen one and the arrow keys the others.
        const auto* radio = qobject_cast<QRadioButton*>(control);
        EXPECT_TRUE((control->focusPolicy() & Qt::TabFocus) || (radio && !radio->isChecked()))
            << name.toStdString() << ": " << control->objectName().toStdString()
            << " cannot be reached with Tab";
    }
}

QString describe(const QWidget* widget) {
    const auto* label = qobject_cast<const QLabel*>(widget);
    const auto* button = qobject_cast<const QAbstractButton*>(widget);
    const auto text = label ? label->text() : button ? button->text() : QString();
    return QStringLiteral("%1 \"%2\" (%3)")
        .arg(QLatin1String(widget->metaObject()->className()), widget->objectName(), text.left(60));
}

// Where a widget can be seen on `screen`: its rectangle cut by every parent's.
QRect visibleRect(const QWidget* widget, const QWidget* screen) {
    QRect visible(widget->mapTo(screen, QPoint()), widget->size());
    for (const auto* parent = widget->parentWidget(); parent && parent != screen;
         parent = parent->parentWidget()) {
        visible &= QRect(parent->mapTo(screen, QPoint()), parent->size());
    }
    return visible & screen->rect();
}

bool insideScrollArea(const QWidget* widget, const QWidget* screen) {
    for (const auto* parent = widget->parentWidget(); parent && parent != screen;
         parent = parent->parentWidget()) {
        if (qobject_cast<const QAbstractScrollArea*>(parent)) {
            return true;
        }
    }
    return false;
}

// The room a label's text needs at the label's width, as Qt lays it out.
QSizeF neededFor(const QLabel* label) {
    auto text = label->text();
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(text, label->font());
    QTextOption option;
    option.setWrapMode(label->wordWrap() ? QTextOption::WordWrap : QTextOption::ManualWrap);
    layout.setTextOption(option);
    const auto width = label->contentsRect().width() - 2 * label->margin();
    qreal widest = 0;
    qreal height = 0;
    layout.beginLayout();
    for (auto line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(label->wordWrap() ? width : 1e6);
        widest = std::max(widest, line.naturalTextWidth());
        height += line.height();
    }
    layout.endLayout();
    return {widest, height};
}

// Every piece of text is drawn whole and apart: no label needs more room than it has, no button is
// narrower than its words, nothing sticks out of its parent, and no two text-bearing widgets overlap.
void expectTextFits(QWidget* screen, const QString& name) {
    QList<QWidget*> texts;
    for (auto* widget : screen->findChildren<QWidget*>()) {
        const auto* label = qobject_cast<QLabel*>(widget);
        const auto* button = qobject_cast<QAbstractButton*>(widget);
        if (!widget->isVisibleTo(screen) ||
            !((label && !label->text().isEmpty()) || (button && !button->text().isEmpty()))) {
            continue;
        }
        texts.append(widget);
        if (label && !Qt::mightBeRichText(label->text())) {
            const auto needed = neededFor(label);
            const auto room = label->contentsRect().adjusted(label->margin(), label->margin(),
                                                             -label->margin(), -label->margin());
            EXPECT_TRUE(needed.width() <= room.width() + 1 && needed.height() <= room.height() + 1)
                << name.toStdString() << ": " << describe(label).toStdString() << " needs " << needed.width()
                << "x" << needed.height() << " but has " << room.width() << "x" << room.height();
        }
        if (button) {
            EXPECT_LE(button->sizeHint().width(), button->width() + 1)
                << name.toStdString() << ": " << describe(button).toStdString()
                << " is narrower than its words";
        }
        if (!insideScrollArea(widget, screen)) {
            EXPECT_EQ(visibleRect(widget, screen), QRect(widget->mapTo(screen, QPoint()), widget->size()))
                << name.toStdString() << ": " << describe(widget).toStdString()
                << " is cut off by its parent";
        }
    }
    for (qsizetype i = 0; i < texts.size(); ++i) {
        for (qsizetype j = i + 1; j < texts.size(); ++j) {
            if (texts[i]->isAncestorOf(texts[j]) || texts[j]->isAncestorOf(texts[i])) {
                continue;
            }
            const auto overlap = visibleRect(texts[i], screen) & visibleRect(texts[j], screen);
            EXPECT_TRUE(overlap.width() <= 1 || overlap.height() <= 1)
                << name.toStdString() << ": " << describe(texts[i]).toStdString() << " overlaps "
                << describe(texts[j]).toStdString();
        }
    }
}

// What a user reads on a widget, as plain text.
QStringList textsOf(const QWidget* widget) {
    QStringList texts{widget->isWindow() ? widget->windowTitle() : QString(), widget->toolTip(),
                      widget->accessibleName()};
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        texts << (Qt::mightBeRichText(label->text())
                      ? QTextDocumentFragment::fromHtml(label->text()).toPlainText()
                      : label->text());
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        texts << button->text();
    } else if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
        texts << edit->placeholderText();
    } else if (const auto* tabs = qobject_cast<const QTabWidget*>(widget)) {
        for (int tab = 0; tab < tabs->count(); ++tab) {
            texts << tabs->tabText(tab);
        }
    } else if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
        for (int item = 0; item < combo->count(); ++item) {
            texts << combo->itemText(item);
        }
    } else if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
        texts << group->title();
    } else if (const auto* view = qobject_cast<const QAbstractItemView*>(widget); view && view->model()) {
        const auto* model = view->model();
        for (int column = 0; column < model->columnCount(); ++column) {
            texts << model->headerData(column, Qt::Horizontal).toString();
            for (int row = 0; row < std::min(model->rowCount(), 50); ++row) {
                texts << model->index(row, column).data().toString();
            }
        }
    }
    for (const auto* action : widget->actions()) {
        texts << action->text() << action->toolTip();
    }
    return texts;
}

// Paths, file names and patterns a screen shows are data, whatever their words.
QString withoutPaths(QString text) {
    static const QRegularExpression pathOrPattern(QStringLiteral("\\S*[/~._*]\\S*"));
    return text.remove(pathOrPattern);
}

// In the pseudo-language every word a user reads went through translation, so it is bracketed; what
// is left outside the brackets is data (names of files, folders, buckets, brands) or digits and units.
void expectEveryTextTranslated(QWidget* screen, const QString& name, QStringList data) {
    static const QRegularExpression word(QStringLiteral("\\p{L}{3,}"));
    data << QStringLiteral("Keldoran") << QStringLiteral("Scaleway") << longFolderWords;
    auto widgets = screen->findChildren<QWidget*>();
    widgets.prepend(screen);
    for (const auto* widget : std::as_const(widgets)) {
        if (!widget->isVisibleTo(screen) && widget != screen) {
            continue;
        }
        for (const auto& text : textsOf(widget)) {
            auto outside = PseudoTranslator::withoutTranslatedParts(text).remove(QChar(0x200B));
            // A path shown alone, perhaps elided in its middle.
            if (outside.startsWith(QStringLiteral("~/")) || outside.startsWith(QLatin1Char('/'))) {
                continue;
            }
            for (const auto& shown : std::as_const(data)) {
                outside.remove(shown);
            }
            EXPECT_FALSE(withoutPaths(outside).contains(word))
                << name.toStdString() << ": " << describe(widget).toStdString() << " shows \""
                << text.toStdString() << "\", which was never translated";
        }
    }
}

// Sentences written for macOS are shown in this platform's words.
void expectNoMacFacilityNamed(QWidget* screen, const QString& name) {
    static const QRegularExpression macWords(
        QStringLiteral("\\b(macOS|Mac|Finder|Keychain|menu bar|Trash|System Settings|Full Disk Access)\\b"));
    auto widgets = screen->findChildren<QWidget*>();
    widgets.prepend(screen);
    for (const auto* widget : std::as_const(widgets)) {
        for (const auto& text : textsOf(widget)) {
            EXPECT_FALSE(withoutPaths(text).contains(macWords))
                << name.toStdString() << ": " << describe(widget).toStdString() << " says \""
                << text.toStdString() << "\"";
        }
    }
}

// Saves a rendering of `widget`, checks it holds more than a blank surface (some dark text), that its
// text fits, and that its controls are accessible.
void shoot(QWidget* widget, const QString& name, bool fit = true, const QStringList& data = {}) {
    for (int turn = 0; turn < 3; ++turn) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    if (fit) {
        widget->adjustSize();
    }
    const auto image = widget->grab().toImage();
    const auto folder = folderFor(shownLanguage);
    QDir().mkpath(folder);
    const auto path = QStringLiteral("%1/%2.png").arg(folder, name);
    ASSERT_TRUE(image.save(path)) << path.toStdString();
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            dark += qGray(image.pixel(x, y)) < 100;
        }
    }
    EXPECT_GT(dark, 200) << name.toStdString() << " looks empty";
    expectTextFits(widget, name);
    expectAccessible(widget, name);
    if (shownLanguage == ScreenLanguage::pseudo) {
        expectEveryTextTranslated(widget, name, data);
    }
    if (shownLanguage == ScreenLanguage::english) {
        expectNoMacFacilityNamed(widget, name);
    }
}

void settle() {
    for (int turn = 0; turn < 3; ++turn) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// Each screen is shown in every language Keldoran speaks, and in the pseudo-language. A shipped
// language must have every text the screens ask for.
class Screenshots : public testing::TestWithParam<ScreenLanguage> {
protected:
    void SetUp() override {
        shownLanguage = GetParam();
        if (shownLanguage == ScreenLanguage::german || shownLanguage == ScreenLanguage::french) {
            const bool german = shownLanguage == ScreenLanguage::german;
            catalogue_ =
                std::make_unique<RecordingTranslator>(german ? QStringLiteral("de") : QStringLiteral("fr"));
            ASSERT_TRUE(catalogue_->loaded());
            const auto locale = german ? QLocale(QLocale::German, QLocale::Germany)
                                       : QLocale(QLocale::French, QLocale::France);
            // Qt's own words (standard buttons, context menus), as an installed system has them.
            ASSERT_TRUE(qtOwn_.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
            QCoreApplication::installTranslator(&qtOwn_);
            QCoreApplication::installTranslator(catalogue_.get());
            QLocale::setDefault(locale);
        } else if (shownLanguage == ScreenLanguage::pseudo) {
            QCoreApplication::installTranslator(&pseudo_);
        }
    }
    void TearDown() override {
        QCoreApplication::removeTranslator(&pseudo_);
        QCoreApplication::removeTranslator(&qtOwn_);
        if (catalogue_) {
            QCoreApplication::removeTranslator(catalogue_.get());
            EXPECT_TRUE(catalogue_->missing().isEmpty())
                << "not translated: " << catalogue_->missing().join(QStringLiteral("\n")).toStdString();
        }
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        shownLanguage = ScreenLanguage::english;
    }

private:
    PseudoTranslator pseudo_;
    QTranslator qtOwn_;
    std::unique_ptr<RecordingTranslator> catalogue_;
};

std::string nameOf(const testing::TestParamInfo<ScreenLanguage>& info) {
    static const char* const names[] = {"english", "german", "french", "pseudo"};
    return names[int(info.param)];
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Languages, Screenshots,
                         testing::Values(ScreenLanguage::english, ScreenLanguage::german,
                                         ScreenLanguage::french, ScreenLanguage::pseudo),
                         nameOf);

TEST_P(Screenshots, popoverInEachStatus) {
    TestPlatform test;
    AppModel model(test.platform());
    MarkAnimator mark;
    mark.setReducedMotion(true);
    AppActions actions(model);
    StatusPopover popover(model, actions, mark);
    const auto now = test.clock.now();
    model.setLastBackup(now.addSecs(-1800));
    model.setNextBackup(now.addSecs(1800));
    model.setLastChecked(now.addDays(-2));
    model.setShowActivity(true);
    model.setStats({52'400'000'000, 183'204, 0.84});
    model.setStorage({QStringLiteral("Scaleway"), QStringLiteral("Paris, France"), 48'100'000'000, true});
    model.setRecentBackups({{QUuid::createUuid(), now.addSecs(-1800), 12'300'000, true, {}, 24},
                            {QUuid::createUuid(),
                             now.addSecs(-5400),
                             1'200'000,
                             true,
                             {{BackupWarning::Kind::vanished, {}}},
                             24},
                            {QUuid::createUuid(), now.addDays(-1), 310'000'000, true, {}, std::nullopt}});
    // As long as a translation makes a sentence: data to the pseudo-language.
    const auto longError =
        QStringLiteral("Couldn't find bucket \"%1\". %2").arg(longBucket, translatedLength);
    const QList<std::tuple<QString, AppStatus, bool, bool>> statuses{
        {"protected", AppStatus::protected_(), false, true},
        {"protectedWithWarnings", AppStatus::protectedWithWarnings(6), false, true},
        {"backingUp", AppStatus::backingUp({0.42, 4120, 9800, 1'200'000'000, 2'000'000'000, 190}), false,
         true},
        {"backingUpFilesOnly", AppStatus::backingUp({0.1, 120, 9800}), false, true},
        {"unfinished", AppStatus::protected_(), false, true},
        {"error", AppStatus::error(ResticError::tr("The backup repository could not be found.")), false,
         true},
        {"needsSetup", AppStatus::needsSetup(), false, true},
        {"credentialsUnavailable", AppStatus::credentialsUnavailable(), false, true},
        {"fullDiskAccessRequired", AppStatus::fullDiskAccessRequired(), false, true},
        {"paused", AppStatus::protected_(), true, true},
        {"offline", AppStatus::protected_(), false, false},
        {"longTexts", AppStatus::error(longError), false, true},
    };
    QList<BackupWarning> warnings;
    for (int i = 0; i < 6; ++i) {
        warnings.append({BackupWarning::Kind::permissionDenied,
                         test.home() + QStringLiteral("/Projects/locked file %1.txt").arg(i)});
    }
    popover.show();
    for (const auto& [name, status, paused, online] : statuses) {
        model.setBaseStatus(status);
        model.setIsPaused(paused);
        model.setIsOnline(online);
        mark.setState(KeldoranMark::stateFor(model.status()));
        QList<BackupWarning> shownWarnings;
        if (name == QLatin1String("protectedWithWarnings")) {
            shownWarnings = warnings;
        } else if (name == QLatin1String("longTexts")) {
            for (int i = 0; i < 6; ++i) {
                shownWarnings.append(
                    {i % 2 ? BackupWarning::Kind::vanished : BackupWarning::Kind::permissionDenied,
                     longPath(test.home(), i)});
            }
            model.recordRestore(
                {RestoreOutcome::Kind::incomplete, now.addSecs(-600),
                 QStringLiteral("“%1” is damaged in the backup. Everything else was restored to %2.")
                     .arg(QString(240, QLatin1Char('L')), longBucket)},
                true);
        }
        model.setLastBackupWarnings(shownWarnings);
        model.setLastBackupUnfinished(name == QLatin1String("unfinished"));
        model.setAgentRegistrationProblem(
            name == QLatin1String("unfinished")
                ? std::optional<QString>(QStringLiteral("no systemd user session"))
                : std::nullopt);
        auto* details = popover.findChild<QToolButton*>(QStringLiteral("detailsToggle"));
        if (!shownWarnings.isEmpty() && details->text() == StatusWords::detailsToggle(false)) {
            details->click();
        }
        popover.refresh();
        shoot(&popover, QStringLiteral("popover-") + name, true, {longError});
    }
}

TEST_P(Screenshots, setupSteps) {
    TestPlatform test;
    AppModel model(test.platform());
    NoWorkspace workspace;
    auto onboarding = std::make_unique<OnboardingModel>(StorageProvider::scaleway(), test.clock,
                                                        test.settings(), test.home());
    OnboardingWindow window(model, std::move(onboarding), workspace, [] { return true; });
    auto& steps = window.onboarding();
    steps.setValidator([](StorageConfig, QString, QString) -> QCoro::Task<Validation> {
        co_return Validation::reachableNeedsInit();
    });
    steps.validationDebounce = std::chrono::milliseconds(0);
    window.show();
    const QStringList names{"1-welcome", "2-access",   "3-provider", "4-connect",
                            "5-region",  "6-password", "7-scope",    "8-done"};
    for (int step = 1; step <= 8; ++step) {
        steps.setStep(*OnboardingModel::stepFromRaw(step));
        if (step == 2) {
            steps.setFullDiskAccessGranted(true);
        }
        if (step == 4) {
            steps.setBucket(QStringLiteral("family-photos"));
            steps.setAccessKey(QStringLiteral("SCWXXXXXXXXXXXXXXXXX"));
            steps.setSecretKey(QStringLiteral("a-secret"));
            steps.scheduleValidation();
            ASSERT_TRUE(spinUntil([&] {
                test.clock.advance(1);
                return steps.connection().state == OnboardingModel::Connection::State::connected;
            }));
        }
        if (step == 6) {
            steps.setPassword(QStringLiteral("short"));
        }
        shoot(&window, QStringLiteral("setup-") + names[step - 1]);
    }
    steps.setValidator([](StorageConfig, QString, QString) -> QCoro::Task<Validation> {
        co_return Validation::bucketMissing();
    });
    steps.setStep(OnboardingModel::Step::connectStorage);
    steps.setBucket(QStringLiteral("family-fotos"));
    steps.scheduleValidation();
    ASSERT_TRUE(spinUntil([&] {
        test.clock.advance(1);
        return steps.connection().state == OnboardingModel::Connection::State::bucketMissing;
    }));
    shoot(&window, QStringLiteral("setup-4-connect-missing-bucket"));
}

// The mark in its five states at tray sizes, on a light and a dark panel.
TEST(TrayMarkScreenshots, eachStateAtTraySizesOnLightAndDarkPanels) {
    using KeldoranMark::State;
    const QList<State> states{State::closed, State::broken, State::outlined, State::dimmed, State::lifted};
    const QList<int> sizes{16, 22, 24};
    QImage sheet(8 + 5 * 40, 8 + 2 * 3 * 30, QImage::Format_ARGB32);
    QPainter painter(&sheet);
    for (int panel = 0; panel < 2; ++panel) {
        const bool dark = panel == 1;
        painter.fillRect(0, 4 + panel * 90, sheet.width(), 90,
                         dark ? QColor(0x24, 0x24, 0x24) : QColor(0xf0, 0xf0, 0xf0));
        for (int row = 0; row < sizes.size(); ++row) {
            for (int column = 0; column < states.size(); ++column) {
                const QRectF where(8 + column * 40, 4 + panel * 90 + row * 30 + 3, sizes[row], sizes[row]);
                KeldoranMark::paint(painter, where, KeldoranMark::shapeOf(states[column]), 0,
                                    KeldoranMark::panelColour(dark));
            }
        }
    }
    painter.end();
    const auto path = QStringLiteral(KELDORAN_SCREENSHOTS "/tray-marks.png");
    QDir().mkpath(QStringLiteral(KELDORAN_SCREENSHOTS));
    ASSERT_TRUE(sheet.scaled(sheet.size() * 3).save(path)) << path.toStdString();
}

TEST_P(Screenshots, restoreWindowAndItsSheetAndOverlays) {
    TestPlatform test;
    test.storeConfiguration();
    FakeRestic fake;
    test.useFakeRestic(fake);
    const auto home = test.home();
    const auto node = [](const QString& path, const char* type, qint64 size) {
        return QStringLiteral(
                   R"({"name":"%1","type":"%2","path":"%3","size":%4,"mtime":"2026-12-04T09:30:00Z","struct_type":"node"})")
            .arg(path.section(QLatin1Char('/'), -1), QLatin1String(type), path)
            .arg(size);
    };
    QStringList root{node(home, "dir", 0)};
    for (const auto* folder : {"Documents", "Pictures", "Music", "Projects"}) {
        root.append(node(home + QLatin1Char('/') + QLatin1String(folder), "dir", 0));
    }
    root << node(home + "/budget 2026.xlsx", "file", 48'200) << node(home + "/holiday.jpg", "file", 3'400'000)
         << node(home + "/notes.txt", "file", 1'200);
    const auto now = test.clock.now();
    QStringList snapshots;
    for (const qint64 ago : {600, 4200, 90'000, 400'000}) {
        snapshots.append(
            QStringLiteral(
                R"({"time":"%1","tree":"t","paths":["/h"],"hostname":"vm","id":"s%2","short_id":"s%2"})")
                .arg(now.addSecs(-ago).toUTC().toString(Qt::ISODate))
                .arg(ago));
    }
    fake.respond(
        {{QStringLiteral("snapshots"), QStringLiteral("echo '[%1]'").arg(snapshots.join(QLatin1Char(',')))},
         {QStringLiteral("ls"),
          QStringLiteral("printf '%s\\n' '%1'").arg(root.join(QStringLiteral("' '")))}});
    AppModel model(test.platform());
    ASSERT_EQ(await(model.controller().configure()), ConfigurationOutcome::configured);
    NoWorkspace workspace;
    const QStringList names{"budget 2026.xlsx", "Documents", "Pictures", "Music", "Projects"};
    {
        RestoreWindow window(model, workspace);
        window.show();
        ASSERT_TRUE(spinUntil(
            [&] { return !window.browser().isBusy() && !window.browser().currentLevelEntries().isEmpty(); }));
        window.browser().setSelection(
            {home + QStringLiteral("/holiday.jpg"), home + QStringLiteral("/notes.txt")});
        settle();
        shoot(&window, QStringLiteral("restore-listing"), false, names);
        auto* sheet = window.openDestinationSheet();
        shoot(sheet, QStringLiteral("restore-destination-sheet"));
        sheet->chooseFolder = [&](QWidget*, std::function<void(QString)> chosen) {
            chosen(QFileInfo(longPath(home, 1)).absolutePath());
        };
        sheet->findChild<QPushButton*>(QStringLiteral("choose"))->click();
        shoot(sheet, QStringLiteral("restore-destination-sheet-long-folder"));
        sheet->close();
        window.browser().setSearchText(QStringLiteral("nothing like this"));
        shoot(&window, QStringLiteral("restore-no-results"), false, names);
        window.browser().setSearchText({});

        using Phase = RestoreBrowser::RestorePhase;
        const QList<std::pair<QString, Phase>> phases{
            {"restoring", Phase::restoring(0.37)},
            {"succeeded",
             Phase::succeeded(home,
                              RestoreMessages::restored(
                                  2, QStringLiteral("your home folder"),
                                  {{QStringLiteral("notes.txt"), QStringLiteral("notes (restored).txt")},
                                   {QStringLiteral("x"),
                                    QString(200, QLatin1Char('L')) + QStringLiteral(" (restored).txt")}}))},
            {"failed", Phase::failed(ResticError::tr("Repository is locked by another process."))}};
        // The overlay as the browser's phases put it up.
        auto* overlay = window.findChild<RestoreProgressOverlay*>(QStringLiteral("restoreOverlay"));
        for (const auto& [name, phase] : phases) {
            overlay->show(phase);
            shoot(&window, QStringLiteral("restore-overlay-") + name, false, names);
        }
    }
    const auto notes = home + QStringLiteral("/notes.txt");
    QList<SnapshotIndex::Version> versions;
    for (const qint64 ago : {600, 90'000, 400'000}) {
        const auto modified = now.addSecs(-ago - 3600);
        versions.append({QStringLiteral("s%1").arg(ago), now.addSecs(-ago),
                         LsEntry{std::nullopt, QStringLiteral("notes.txt"), QStringLiteral("file"), notes,
                                 quint64(1200 + ago), modified}});
    }
    VersionsDialog history(notes, versions, now);
    history.show();
    shoot(&history, QStringLiteral("restore-versions"));
    await(model.controller().whenIdle());
}

TEST_P(Screenshots, preferencesScopeBrowserAndRemoval) {
    TestPlatform test;
    for (const char* file :
         {"Documents/a.txt", "Pictures/b.jpg", "Music/c.flac", "Projects/keldoran/d.cpp", "Videos/e.mkv"}) {
        writeFile(test.home() + QLatin1Char('/') + QLatin1String(file), QByteArray(4096, 'x'));
    }
    StorageConfig{StorageProvider::scaleway().defaultRegion, longestValidBucket}.save(test.settings());
    AppModel model(test.platform());
    model.scope().toggle({test.home() + QStringLiteral("/Videos"), QStringLiteral("Videos"), true, 0});
    model.addExclusion(QFileInfo(longPath(test.home(), 2)).absolutePath());
    PreferencesWindow window(model);
    window.show();
    const QStringList tabs{"backup", "storage", "advanced"};
    for (int tab = 0; tab < tabs.size(); ++tab) {
        window.tabs()->setCurrentIndex(tab);
        shoot(&window, QStringLiteral("preferences-") + tabs[tab], false);
    }
    // The storage drawn is the one stored, its whole name wrapped, never "No storage set up yet".
    EXPECT_TRUE(window.findChild<QLabel*>(QStringLiteral("storageSummary"))
                    ->text()
                    .remove(QChar(0x200B))
                    .contains(longestValidBucket));
    auto* browser = window.openScopeBrowser();
    const QStringList folders{"Documents", "Pictures", "Music", "Projects", "Videos"};
    shoot(browser, QStringLiteral("scope-browser"), true, folders);
    browser->findChild<QCheckBox*>(QStringLiteral("showHidden"))->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    shoot(browser, QStringLiteral("scope-browser-hidden"), true, folders);
    browser->close();
    writeFile(test.platform().folders.caches + QStringLiteral("/restic/x"), QByteArray(80'000, 'x'));
    auto* keys = window.openChangeKeysSheet();
    shoot(keys, QStringLiteral("change-keys-sheet"));
    keys->close();
    auto* removal = window.openRemovalSheet();
    shoot(removal, QStringLiteral("removal-sheet"));
    removal->close();
}

} // namespace keldoran
