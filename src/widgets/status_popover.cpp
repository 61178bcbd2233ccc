#include "status_popover.h"

#include "app_actions.h"
#include "backup/backup_controller.h"
#include "layouts.h"
#include "mark_animator.h"
#include "mark_view.h"
#include "model/app_model.h"
#include "presentation/status_activity.h"
#include "presentation/status_presentation.h"
#include "symbols.h"
#include "text_fitting.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace keldoran {

namespace {

QLabel* label(QWidget* parent, const QString& name, bool secondary = false) {
    auto* text = new QLabel(parent);
    text->setObjectName(name);
    text->setWordWrap(true);
    text->setTextFormat(Qt::PlainText);
    if (secondary) {
        text->setForegroundRole(QPalette::PlaceholderText);
    }
    return text;
}

QFrame* divider(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

// A menu row: a flat button following its action, hidden with it (a tool button keeps showing a hidden
// action otherwise).
QToolButton* menuRow(QWidget* parent, QAction* action) {
    auto* button = new QToolButton(parent);
    button->setDefaultAction(action);
    button->setVisible(action->isVisible());
    QObject::connect(action, &QAction::changed, button,
                     [button, action] { button->setVisible(action->isVisible()); });
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    if (action->menu()) {
        button->setPopupMode(QToolButton::InstantPopup);
    }
    return button;
}

// A warning whose path is elided in the middle: to keep the line on one line where that leaves the path
// half the width, else to the whole width on a line of its own. The tooltip has the whole line.
QString elidedWarning(const QString& line, const QString& path, const QFontMetrics& metrics, int width) {
    const auto at = path.isEmpty() ? -1 : line.indexOf(path);
    if (at < 0) {
        return TextFitting::wrappable(line);
    }
    const auto prefix = line.left(at);
    const auto suffix = line.mid(at + path.size());
    const auto whole = width - metrics.averageCharWidth(); // rounding must not push the path off its line
    const auto room = whole - metrics.horizontalAdvance(prefix + suffix);
    return prefix + metrics.elidedText(path, Qt::ElideMiddle, room >= whole / 2 ? room : whole) + suffix;
}

} // namespace

StatusPopover::StatusPopover(AppModel& model, AppActions& actions, MarkAnimator& mark, QWidget* parent)
    : QWidget(parent)
    , model_(model)
    , mark_(mark) {
    setObjectName(QStringLiteral("statusPopover"));
    setWindowTitle(QStringLiteral("Keldoran"));
    setAccessibleName(StatusWords::windowName());
    setFixedWidth(340);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 10);
    layout->setSpacing(8);
    buildHeader(layout);
    buildActionRows(layout, actions);
    buildDetails(layout);
    activityToggle_ = new QToolButton(this);
    activityToggle_->setObjectName(QStringLiteral("activityToggle"));
    activityToggle_->setAutoRaise(true);
    activityToggle_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(activityToggle_, &QToolButton::clicked, this,
            [this] { model_.setShowActivity(!model_.showActivity()); });
    layout->addWidget(activityToggle_);
    activity_ = buildActivity();
    layout->addWidget(activity_);

    layout->addWidget(divider(this));
    for (auto* action : {actions.pause(), actions.resume(), actions.restore(), actions.preferences(),
                         actions.checkForUpdates(), actions.quit()}) {
        layout->addWidget(menuRow(this, action));
    }
    followModel();
    refresh();
}

void StatusPopover::buildHeader(QVBoxLayout* layout) {
    auto* header = new QHBoxLayout;
    header->setSpacing(12);
    header->addWidget(new MarkView(mark_, 32, this), 0, Qt::AlignTop);
    auto* headline = new QVBoxLayout;
    headline->setSpacing(2);
    title_ = label(this, QStringLiteral("title"));
    auto titleFont = title_->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
    title_->setFont(titleFont);
    subtitle_ = label(this, QStringLiteral("subtitle"), true);
    headline->addWidget(title_);
    headline->addWidget(subtitle_);
    header->addLayout(headline, 1);
    layout->addLayout(header);
}

void StatusPopover::buildActionRows(QVBoxLayout* layout, AppActions& actions) {
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("backupProgress"));
    progress_->setRange(0, 1000);
    progress_->setTextVisible(false);
    progress_->setFixedHeight(6);
    progress_->setAccessibleName(StatusWords::progressName());
    layout->addWidget(progress_);
    progressDetail_ = label(this, QStringLiteral("progressDetail"), true);
    layout->addWidget(progressDetail_);

    primaryAction_ = new QPushButton(this);
    primaryAction_->setObjectName(QStringLiteral("primaryAction"));
    primaryAction_->setDefault(true);
    // The button does what it said when it was drawn.
    connect(primaryAction_, &QPushButton::clicked, this, [this, &actions] { actions.perform(shownAction_); });
    layout->addWidget(primaryAction_);

    nextBackup_ = label(this, QStringLiteral("nextBackup"), true);
    layout->addWidget(nextBackup_);

    registration_ = new QWidget(this);
    registration_->setObjectName(QStringLiteral("registration"));
    auto* registrationLayout = new QVBoxLayout(registration_);
    registrationLayout->setContentsMargins(0, 0, 0, 0);
    registrationWarning_ = label(registration_, QStringLiteral("registrationWarning"));
    auto* registerAgain = new QPushButton(StatusWords::registerAgain(), registration_);
    registerAgain->setObjectName(QStringLiteral("registerAgain"));
    connect(registerAgain, &QPushButton::clicked, &model_, &AppModel::requestAgentRegistration);
    registrationLayout->addWidget(registrationWarning_);
    registrationLayout->addWidget(registerAgain, 0, Qt::AlignLeft);
    layout->addWidget(registration_);
}

void StatusPopover::buildDetails(QVBoxLayout* layout) {
    detailsToggle_ = new QToolButton(this);
    detailsToggle_->setObjectName(QStringLiteral("detailsToggle"));
    detailsToggle_->setAutoRaise(true);
    connect(detailsToggle_, &QToolButton::clicked, this, [this] {
        detailsShown_ = !detailsShown_;
        refresh();
    });
    layout->addWidget(detailsToggle_);
    details_ = new QWidget(this);
    detailLines_ = new QVBoxLayout(details_);
    detailLines_->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(details_);

    auto* check = new QHBoxLayout;
    checkIcon_ = new QLabel(this);
    checkIcon_->setFixedSize(16, 16);
    check_ = label(this, QStringLiteral("check"));
    check->addWidget(checkIcon_, 0, Qt::AlignTop);
    check->addWidget(check_, 1);
    layout->addLayout(check);
    checkDetail_ = label(this, QStringLiteral("checkDetail"), true);
    layout->addWidget(checkDetail_);
}

void StatusPopover::followModel() {
    refreshSoon_.setSingleShot(true);
    connect(&refreshSoon_, &QTimer::timeout, this, &StatusPopover::refresh);
    // Relative times ("2 minutes ago", "in 5 min") move on while the popover stays open.
    clockTick_.setInterval(20000);
    connect(&clockTick_, &QTimer::timeout, this, &StatusPopover::refresh);

    for (const auto signal :
         {&AppModel::statusChanged, &AppModel::lastBackupChanged, &AppModel::nextBackupChanged,
          &AppModel::pauseUntilChanged, &AppModel::lastCheckedChanged, &AppModel::lastCheckFailureChanged,
          &AppModel::statsChanged, &AppModel::storageChanged, &AppModel::recentBackupsChanged,
          &AppModel::lastBackupWarningsChanged, &AppModel::showActivityChanged, &AppModel::lastRestoreChanged,
          &AppModel::lastBackupUnfinishedChanged, &AppModel::agentRegistrationProblemChanged}) {
        connect(&model_, signal, this, &StatusPopover::scheduleRefresh);
    }
    auto& controller = model_.controller();
    connect(&controller, &BackupController::currentOperationChanged, this, &StatusPopover::scheduleRefresh);
    connect(&controller, &BackupController::queuedOperationCountChanged, this,
            &StatusPopover::scheduleRefresh);
}

QWidget* StatusPopover::buildActivity() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("activity"));
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    // One figure per row: the caption, the value on the right, and the detail under them. Boxes, not a
    // grid: a grid gets the height of a wrapped line spanning two columns wrong and squeezes the rows.
    const auto figure = [&](const QString& name, QLabel** caption, QLabel** value, QLabel** detail) {
        auto* heading = label(panel, name + QStringLiteral("Caption"));
        heading->setWordWrap(false);
        *caption = heading;
        *value = label(panel, name + QStringLiteral("Value"));
        (*value)->setWordWrap(false);
        (*value)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto font = (*value)->font();
        font.setBold(true);
        (*value)->setFont(font);
        *detail = label(panel, name + QStringLiteral("Detail"), true);
        auto* top = new QHBoxLayout;
        top->setSpacing(12);
        top->addWidget(heading, 1);
        top->addWidget(*value);
        layout->addLayout(top);
        layout->addWidget(*detail);
        layout->addSpacing(6);
    };
    layout->setSpacing(0);
    figure(QStringLiteral("protected"), &protectedCaption_, &protectedValue_, &protectedDetail_);
    figure(QStringLiteral("storage"), &storageCaption_, &storageValue_, &storageDetail_);
    figure(QStringLiteral("change"), &changeCaption_, &changeValue_, &changeDetail_);
    // A restore that went on after its window closed is told here too.
    lastRestore_ = label(panel, QStringLiteral("lastRestore"));
    layout->addWidget(lastRestore_);
    recentCaption_ = label(panel, QStringLiteral("recentCaption"), true);
    layout->addWidget(recentCaption_);
    auto* rows = new QWidget(panel);
    rows->setObjectName(QStringLiteral("recentBackups"));
    recentRows_ = new QVBoxLayout(rows);
    recentRows_->setContentsMargins(0, 0, 0, 0);
    recentRows_->setSpacing(2);
    layout->addWidget(rows);
    return panel;
}

void StatusPopover::showAsPopup(const QRect& anchor) {
    setWindowFlags(Qt::Popup);
    adjustSize();
    const auto* screen =
        anchor.isValid() ? QGuiApplication::screenAt(anchor.center()) : QGuiApplication::primaryScreen();
    const auto area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const auto origin = anchor.isValid() ? anchor : QRect(area.topRight() - QPoint(width(), 0), QSize(1, 1));
    // Below the icon when the tray is at the top of the screen, above it otherwise.
    QPoint place(origin.center().x() - width() / 2, origin.bottom() + 4);
    if (origin.center().y() > area.center().y()) {
        place.setY(origin.top() - height() - 4);
    }
    place.setX(std::clamp(place.x(), area.left(), std::max(area.left(), area.right() - width())));
    place.setY(std::clamp(place.y(), area.top(), std::max(area.top(), area.bottom() - height())));
    move(place);
    show();
    activateWindow();
}

void StatusPopover::showAsWindow() {
    setWindowFlags(Qt::Window);
    show();
    raise();
    activateWindow();
}

void StatusPopover::showEvent(QShowEvent* event) {
    refresh();
    clockTick_.start();
    QWidget::showEvent(event);
}

void StatusPopover::hideEvent(QHideEvent* event) {
    clockTick_.stop();
    QWidget::hideEvent(event);
}

void StatusPopover::scheduleRefresh() {
    // A burst of changes is drawn once, and a backup's stream of progress at most four times a second:
    // every drawing is a round trip to the display server, which is busy too while restic works.
    if (!isVisible() || refreshSoon_.isActive()) {
        return;
    }
    constexpr qint64 minimumSpacingMs = 250;
    const auto since = lastRefresh_.isValid() ? lastRefresh_.elapsed() : minimumSpacingMs;
    refreshSoon_.start(int(std::max<qint64>(0, minimumSpacingMs - since)));
}

void StatusPopover::refresh() {
    lastRefresh_.start();
    const auto shown = StatusPresentation::current(model_);
    shownAction_ = shown.action;

    title_->setText(TextFitting::wrappable(shown.title));
    subtitle_->setText(TextFitting::wrappable(shown.subtitle));
    progress_->setVisible(shown.progress.has_value());
    progress_->setValue(int(shown.progress.value_or(0) * 1000));
    progressDetail_->setVisible(shown.progressDetail.has_value());
    progressDetail_->setText(shown.progressDetail.value_or(QString()));
    primaryAction_->setText(shown.primaryAction);
    primaryAction_->setAccessibleName(shown.primaryAction);
    primaryAction_->setEnabled(shown.actionEnabled);
    nextBackup_->setVisible(shown.nextBackup.has_value());
    nextBackup_->setText(shown.nextBackup.value_or(QString()));
    registration_->setVisible(shown.registrationWarning.has_value());
    registrationWarning_->setText(TextFitting::wrappable(shown.registrationWarning.value_or(QString())));

    const bool hasWarnings = !shown.warnings.isEmpty();
    detailsToggle_->setVisible(hasWarnings);
    detailsToggle_->setText(StatusWords::detailsToggle(detailsShown_));
    details_->setVisible(hasWarnings && detailsShown_);
    clearLayout(detailLines_);
    if (hasWarnings && detailsShown_) {
        const auto width =
            contentsRect().width() - layout()->contentsMargins().left() - layout()->contentsMargins().right();
        for (qsizetype i = 0; i < shown.warnings.size(); ++i) {
            auto* text = label(details_, QStringLiteral("warningLine"));
            text->setText(
                elidedWarning(shown.warnings[i], shown.warningPaths.value(i), text->fontMetrics(), width));
            text->setToolTip(text->text() == shown.warnings[i] ? QString() : shown.warnings[i]);
            detailLines_->addWidget(text);
        }
        for (const auto& line : shown.guidance) {
            auto* text = label(details_, QStringLiteral("guidance"), true);
            text->setText(TextFitting::wrappable(line));
            detailLines_->addWidget(text);
        }
    }

    const bool verified = model_.checkHealth() == AppModel::CheckHealth::verified;
    checkIcon_->setPixmap(Symbols::icon(verified ? QStringLiteral("checkmark.circle.fill")
                                                 : QStringLiteral("exclamationmark.triangle.fill"))
                              .pixmap(16, 16));
    check_->setText(shown.check);
    checkDetail_->setVisible(shown.checkDetail.has_value());
    checkDetail_->setText(TextFitting::wrappable(shown.checkDetail.value_or(QString())));

    const bool activity = model_.showActivity();
    activityToggle_->setText(StatusWords::activityToggle(activity));
    activityToggle_->setIcon(
        Symbols::icon(activity ? QStringLiteral("chevron.up") : QStringLiteral("chevron.down")));
    activity_->setVisible(activity);
    if (activity) {
        refreshActivity();
    }
    fitHeight();
}

void StatusPopover::fitHeight() {
    // The width is fixed; wrapped lines decide the height, held fixed so no later sizing (a window
    // manager's, adjustSize's cap at two thirds of the screen) squeezes rows over each other. Rows
    // added just now appear on the next turn.
    setFixedHeight(layoutHeightForWidth(layout(), width()));
    QTimer::singleShot(0, this, [this] { setFixedHeight(layoutHeightForWidth(layout(), width())); });
}

void StatusPopover::refreshActivity() {
    const auto activity = StatusActivity::of(model_, model_.platform().clock->now());
    const auto show = [](const StatusActivity::Figure& figure, QLabel* caption, QLabel* value,
                         QLabel* detail) {
        caption->setText(figure.caption);
        value->setText(figure.value);
        detail->setText(figure.detail);
    };
    show(activity.protectedData, protectedCaption_, protectedValue_, protectedDetail_);
    show(activity.storage, storageCaption_, storageValue_, storageDetail_);
    show(activity.change, changeCaption_, changeValue_, changeDetail_);
    lastRestore_->setVisible(activity.lastRestore.has_value());
    lastRestore_->setText(TextFitting::wrappable(activity.lastRestore.value_or(QString())));
    recentCaption_->setText(activity.recentCaption);
    clearLayout(recentRows_);
    for (const auto& backup : activity.recent) {
        auto* line = new QWidget(recentRows_->parentWidget());
        line->setObjectName(QStringLiteral("recentBackup"));
        auto* layout = new QHBoxLayout(line);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* icon = new QLabel(line);
        icon->setPixmap(Symbols::icon(backup.warned ? QStringLiteral("exclamationmark.triangle.fill")
                                                    : QStringLiteral("checkmark"))
                            .pixmap(14, 14));
        auto* when = new QLabel(backup.when, line);
        auto* bytes = new QLabel(backup.added, line);
        bytes->setForegroundRole(QPalette::PlaceholderText);
        layout->addWidget(icon);
        layout->addWidget(when, 1);
        layout->addWidget(bytes);
        line->setToolTip(backup.exclusions);
        line->setAccessibleName(backup.accessibleName);
        recentRows_->addWidget(line);
    }
}

} // namespace keldoran
