#include "onboarding_window.h"

#include "backup/backup_controller.h"
#include "model/app_model.h"
#include "platform/workspace.h"
#include "presentation/formatters.h"
#include "presentation/wording.h"
#include "scope/backup_scope.h"
#include "widgets/deferred_close.h"
#include "widgets/layouts.h"
#include "widgets/scope/scope_browser.h"
#include "widgets/symbols.h"
#include "widgets/wrapping_check_box.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace keldoran {

namespace {

using Step = OnboardingModel::Step;
using State = OnboardingModel::Connection::State;

struct Text {
    Q_DECLARE_TR_FUNCTIONS(OnboardingWindow)
};

QString providerDescription(StorageProviderId id) {
    switch (id) {
    case StorageProviderId::ovhcloud:
        return Text::tr("French cloud provider. Storage in France, Germany or Poland.");
    case StorageProviderId::scaleway:
        return Text::tr("French cloud provider. Storage in Paris, Amsterdam or Warsaw.");
    case StorageProviderId::ionos:
        return Text::tr("German hosting company. Storage in Berlin, Frankfurt or Logroño.");
    case StorageProviderId::custom:
        return Text::tr("Any storage that speaks S3, at the address you give.");
    }
    return {};
}

QString city(const StorageRegion& region) {
    return region.shownName().section(QLatin1Char(','), 0, 0);
}

// "A", "A or B", "A, B or C".
QString alternatives(const QStringList& names) {
    if (names.size() <= 1) {
        return names.value(0);
    }
    return Text::tr("%1 or %2").arg(names.mid(0, names.size() - 1).join(QStringLiteral(", ")), names.last());
}

QLabel* text(const QString& content, QWidget* parent, const QString& name = {}) {
    auto* label = new QLabel(content, parent);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    if (!name.isEmpty()) {
        label->setObjectName(name);
    }
    return label;
}

// A box with a symbol and a sentence: the information and warning boxes of the screens.
QFrame* notice(const QString& symbol, const QString& content, QWidget* parent, QLabel** label = nullptr) {
    auto* box = new QFrame(parent);
    box->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QHBoxLayout(box);
    auto* icon = new QLabel(box);
    icon->setPixmap(Symbols::icon(symbol).pixmap(18, 18));
    layout->addWidget(icon, 0, Qt::AlignTop);
    auto* words = text(content, box);
    layout->addWidget(words, 1);
    if (label) {
        *label = words;
    }
    return box;
}

QLineEdit* field(const QString& placeholder, QWidget* parent, const QString& name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setPlaceholderText(placeholder);
    edit->setAccessibleName(placeholder);
    return edit;
}

} // namespace

OnboardingWindow::OnboardingWindow(AppModel& model, std::unique_ptr<OnboardingModel> onboarding,
                                   Workspace& workspace, std::function<bool()> fullDiskAccessProbe,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window)
    , model_(model)
    , onboarding_(std::move(onboarding))
    , workspace_(workspace)
    , fullDiskAccessProbe_(std::move(fullDiskAccessProbe)) {
    setObjectName(QStringLiteral("setupWindow"));
    setWindowTitle(tr("Set up Keldoran"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(560, 520);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 20, 28, 18);
    stepCounter_ = text({}, this, QStringLiteral("stepCounter"));
    stepCounter_->setForegroundRole(QPalette::PlaceholderText);
    stepProgress_ = new QProgressBar(this);
    stepProgress_->setTextVisible(false);
    stepProgress_->setFixedHeight(6);
    stepProgress_->setAccessibleName(tr("Setup progress"));
    layout->addWidget(stepCounter_);
    layout->addWidget(stepProgress_);

    pages_ = new QStackedWidget(this);
    for (auto* screen : {welcomePage(), fullDiskAccessPage(), providerPage(), connectPage(), regionPage(),
                         passwordPage(), scopePage(), donePage()}) {
        pages_->addWidget(screen);
    }
    layout->addWidget(pages_, 1);

    auto* navigation = new QHBoxLayout;
    back_ = new QPushButton(Symbols::icon(QStringLiteral("arrow.left")), tr("Back"), this);
    back_->setObjectName(QStringLiteral("back"));
    forward_ = new QPushButton(Symbols::icon(QStringLiteral("arrow.right")), QString(), this);
    forward_->setObjectName(QStringLiteral("forward"));
    forward_->setLayoutDirection(Qt::RightToLeft); // the arrow after the words
    forward_->setDefault(true);
    navigation->addWidget(back_);
    navigation->addStretch(1);
    navigation->addWidget(forward_);
    layout->addLayout(navigation);
    connect(back_, &QPushButton::clicked, this, [this] {
        setupError_.clear();
        onboarding_->goBack();
    });
    connect(forward_, &QPushButton::clicked, this, &OnboardingWindow::goForward);

    auto& model_ref = *onboarding_;
    for (const auto signal :
         {&OnboardingModel::stepChanged, &OnboardingModel::providerChanged,
          &OnboardingModel::fullDiskAccessGrantedChanged, &OnboardingModel::connectionChanged,
          &OnboardingModel::regionChanged, &OnboardingModel::passwordChanged,
          &OnboardingModel::canContinueChanged, &OnboardingModel::finishingChanged}) {
        connect(&model_ref, signal, this, &OnboardingWindow::refresh);
    }
    connect(&model_ref, &OnboardingModel::stepChanged, this, [this] {
        if (onboarding_->step() == Step::fullDiskAccess) {
            checkAccess();
        }
    });
    connect(&model_ref.scope(), &BackupScope::changed, this, &OnboardingWindow::refresh);
    connect(&model_, &AppModel::excludesChanged, this, &OnboardingWindow::refresh);
    // The connect screen checks the keys with the controller, region by region.
    auto* controller = &model_.controller();
    model_ref.setValidator([controller](StorageConfig config, QString access, QString secret) {
        return controller->validate(std::move(config), std::move(access), std::move(secret));
    });
    model_ref.setPasswordChecker(
        [controller](StorageConfig config, QString access, QString secret, QString password) {
            return controller->probe(std::move(config), std::move(access), std::move(secret),
                                     std::move(password));
        });
    // A home folder that can be read needs no step about reading it.
    if (fullDiskAccessProbe_()) {
        onboarding_->setFullDiskAccessGranted(true);
        onboarding_->setFullDiskAccessStepShown(false);
    }
    if (onboarding_->step() == Step::fullDiskAccess) {
        checkAccess();
    }
    refreshProviders();
    refresh();
}

void OnboardingWindow::orderTabs() {
    // The screen's own controls first, then Back, then the forward button.
    QWidget* previous = nullptr;
    for (int index = 0; index < pages_->count(); ++index) {
        for (auto* control : pages_->widget(index)->findChildren<QWidget*>()) {
            if (control->focusPolicy() & Qt::TabFocus) {
                if (previous) {
                    QWidget::setTabOrder(previous, control);
                }
                previous = control;
            }
        }
    }
    if (previous) {
        QWidget::setTabOrder(previous, back_);
    }
    QWidget::setTabOrder(back_, forward_);
}

OnboardingWindow::~OnboardingWindow() = default;

QWidget* OnboardingWindow::page(const QString& title, const QStringList& texts, QVBoxLayout** body) {
    auto* screen = new QWidget(this);
    auto* layout = new QVBoxLayout(screen);
    layout->setContentsMargins(0, 16, 0, 8);
    layout->setSpacing(10);
    auto* heading = text(title, screen, QStringLiteral("pageTitle"));
    auto font = heading->font();
    font.setPointSizeF(font.pointSizeF() * 1.5);
    font.setBold(true);
    heading->setFont(font);
    layout->addWidget(heading);
    for (const auto& paragraph : texts) {
        layout->addWidget(text(Wording::forPlatform(paragraph), screen));
    }
    if (body) {
        *body = layout;
    } else {
        layout->addStretch(1);
    }
    return screen;
}

QWidget* OnboardingWindow::welcomePage() {
    return page(tr("Welcome to Keldoran"),
                {tr("Encrypted backups to European storage you own. Set up once — then never "
                    "think about it again.")});
}

QWidget* OnboardingWindow::fullDiskAccessPage() {
    QVBoxLayout* body = nullptr;
    auto* screen =
        page(tr("Allow Keldoran to see your files"),
             {tr("macOS keeps your files behind Full Disk Access. Keldoran needs it — for the app and its "
                 "background helper — so it can protect everything, not just some folders.")},
             &body);
    // This platform has no settings pane to open: the probe answers as soon as the home folder is readable.
    auto* again = new QPushButton(tr("Check again"), screen);
    again->setObjectName(QStringLiteral("checkAgain"));
    connect(again, &QPushButton::clicked, this, &OnboardingWindow::checkAccess);
    body->addWidget(again, 0, Qt::AlignLeft);
    auto* granted = new QHBoxLayout;
    auto* icon = new QLabel(screen);
    icon->setPixmap(Symbols::icon(QStringLiteral("checkmark.circle.fill")).pixmap(18, 18));
    accessGranted_ = text(tr("Access granted"), screen, QStringLiteral("accessGranted"));
    granted->addWidget(icon);
    granted->addWidget(accessGranted_, 1);
    auto* grantedRow = new QWidget(screen);
    grantedRow->setObjectName(QStringLiteral("accessGrantedRow"));
    grantedRow->setLayout(granted);
    body->addWidget(grantedRow);
    body->addStretch(1);
    return screen;
}

QWidget* OnboardingWindow::providerPage() {
    QVBoxLayout* body = nullptr;
    auto* screen =
        page(tr("Choose where your backups live"),
             {tr("Every option is a European provider. The bucket is yours, and you pay the provider "
                 "directly — Keldoran never sees your data."),
              tr("You can't switch providers later inside Keldoran — switching means setting up a fresh "
                 "backup. Your existing backup stays restorable.")},
             &body);
    defaultProviderRow_ = new QVBoxLayout;
    body->addLayout(defaultProviderRow_);
    otherProvidersToggle_ = new QToolButton(screen);
    otherProvidersToggle_->setObjectName(QStringLiteral("otherProvidersToggle"));
    otherProvidersToggle_->setText(tr("Show other providers"));
    otherProvidersToggle_->setCheckable(true);
    otherProvidersToggle_->setAutoRaise(true);
    otherProvidersToggle_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    otherProvidersToggle_->setIcon(Symbols::icon(QStringLiteral("chevron.right")));
    body->addWidget(otherProvidersToggle_);
    otherProviders_ = new QWidget(screen);
    otherProviderRows_ = new QVBoxLayout(otherProviders_);
    otherProviderRows_->setContentsMargins(0, 0, 0, 0);
    body->addWidget(otherProviders_);
    connect(otherProvidersToggle_, &QToolButton::toggled, this, [this](bool shown) {
        otherProviders_->setVisible(shown);
        otherProvidersToggle_->setIcon(
            Symbols::icon(shown ? QStringLiteral("chevron.down") : QStringLiteral("chevron.right")));
    });
    otherProviders_->setVisible(false);
    body->addStretch(1);
    return screen;
}

QWidget* OnboardingWindow::connectPage() {
    QVBoxLayout* body = nullptr;
    auto* screen = page(tr("Connect your storage"), {}, &body);
    connectText_ = text({}, screen, QStringLiteral("connectText"));
    body->addWidget(connectText_);
    addCustomStorageFields(screen, body);
    addKeyFields(screen, body);
    addConnectionStatusAndGuide(screen, body);
    return screen;
}

// Only for another S3-compatible storage: where it is.
void OnboardingWindow::addCustomStorageFields(QWidget* screen, QVBoxLayout* body) {
    customFields_ = new QWidget(screen);
    customAddress_ =
        field(QStringLiteral("https://s3.example.com"), customFields_, QStringLiteral("customAddress"));
    customAddress_->setAccessibleName(tr("Address"));
    customRegion_ = field(QString::fromLatin1(StorageProvider::defaultCustomRegion), customFields_,
                          QStringLiteral("customRegion"));
    customRegion_->setAccessibleName(tr("Region"));
    customPathStyle_ = new QCheckBox(tr("Buckets are part of the address's path"), customFields_);
    customPathStyle_->setObjectName(QStringLiteral("customPathStyle"));
    auto* customRows = new QFormLayout(customFields_);
    customRows->setContentsMargins(0, 0, 0, 0);
    customRows->addRow(tr("Address"), customAddress_);
    customRows->addRow(tr("Region"), customRegion_);
    customRows->addRow(QString(), customPathStyle_);
    body->addWidget(customFields_);
    const auto customEdited = [this] {
        onboarding_->setCustomStorage(customAddress_->text(), customRegion_->text(),
                                      customPathStyle_->isChecked());
        onboarding_->scheduleValidation();
    };
    connect(customAddress_, &QLineEdit::textEdited, this, customEdited);
    connect(customRegion_, &QLineEdit::textEdited, this, customEdited);
    connect(customPathStyle_, &QCheckBox::clicked, this, customEdited);
}

void OnboardingWindow::addKeyFields(QWidget* screen, QVBoxLayout* body) {
    bucket_ = field(tr("Bucket name"), screen, QStringLiteral("bucket"));
    accessKey_ = field(tr("Access key"), screen, QStringLiteral("accessKey"));
    secretKey_ = field(tr("Secret key"), screen, QStringLiteral("secretKey"));
    secretKey_->setEchoMode(QLineEdit::Password);
    auto* fields = new QFormLayout;
    fields->addRow(tr("Bucket name"), bucket_);
    fields->addRow(tr("Access key"), accessKey_);
    auto* secretRow = new QHBoxLayout;
    secretRow->addWidget(secretKey_, 1);
    revealSecret_ = new QToolButton(screen);
    revealSecret_->setObjectName(QStringLiteral("revealSecret"));
    revealSecret_->setAutoRaise(true);
    secretRow->addWidget(revealSecret_);
    fields->addRow(tr("Secret key"), secretRow);
    body->addLayout(fields);
    connect(revealSecret_, &QToolButton::clicked, this, [this] {
        secretRevealed_ = !secretRevealed_;
        refresh();
    });
    connect(bucket_, &QLineEdit::textEdited, this, [this](const QString& value) {
        onboarding_->setBucket(value);
        onboarding_->scheduleValidation();
    });
    connect(accessKey_, &QLineEdit::textEdited, this, [this](const QString& value) {
        onboarding_->setAccessKey(value);
        onboarding_->scheduleValidation();
    });
    connect(secretKey_, &QLineEdit::textEdited, this, [this](const QString& value) {
        onboarding_->setSecretKey(value);
        onboarding_->scheduleValidation();
    });
}

void OnboardingWindow::addConnectionStatusAndGuide(QWidget* screen, QVBoxLayout* body) {
    auto* status = new QHBoxLayout;
    connectionIcon_ = new QLabel(screen);
    connectionIcon_->setFixedSize(18, 18);
    connection_ = text({}, screen, QStringLiteral("connection"));
    status->addWidget(connectionIcon_, 0, Qt::AlignTop);
    status->addWidget(connection_, 1);
    body->addLayout(status);
    createBucket_ = new QCheckBox(screen);
    createBucket_->setObjectName(QStringLiteral("createBucket"));
    connect(createBucket_, &QCheckBox::clicked, onboarding_.get(), &OnboardingModel::setCreatesBucket);
    body->addWidget(createBucket_);

    auto* guide = notice(QStringLiteral("info.circle.fill"), {}, screen, &guideText_);
    guide_ = guide;
    auto* link = new QPushButton(tr("View guide"), guide);
    link->setObjectName(QStringLiteral("viewGuide"));
    link->setFlat(true);
    connect(link, &QPushButton::clicked, this, [this] {
        workspace_.openUrl(QUrl(QString::fromLatin1(website) + QStringLiteral("/setup/") +
                                onboarding_->provider().setupGuideSlug));
    });
    guide->layout()->addWidget(link);
    body->addStretch(1);
    body->addWidget(guide);
}

QWidget* OnboardingWindow::regionPage() {
    QVBoxLayout* body = nullptr;
    auto* screen = page(tr("Where your data lives"), {}, &body);
    regionText_ = text({}, screen, QStringLiteral("regionText"));
    body->addWidget(regionText_);
    auto* found = new QHBoxLayout;
    auto* pin = new QLabel(screen);
    pin->setPixmap(Symbols::icon(QStringLiteral("mappin.and.ellipse")).pixmap(18, 18));
    regionBucket_ = text({}, screen, QStringLiteral("regionBucket"));
    auto bold = regionBucket_->font();
    bold.setBold(true);
    regionBucket_->setFont(bold);
    regionName_ = text({}, screen, QStringLiteral("regionName"));
    found->addWidget(pin);
    found->addWidget(regionBucket_);
    found->addWidget(regionName_, 1);
    body->addLayout(found);
    otherRegions_ = text({}, screen, QStringLiteral("otherRegions"));
    otherRegions_->setForegroundRole(QPalette::PlaceholderText);
    body->addWidget(otherRegions_);
    body->addStretch(1);
    return screen;
}

QWidget* OnboardingWindow::passwordPage() {
    QVBoxLayout* body = nullptr;
    auto* screen = page({}, {}, &body);
    passwordTitle_ = screen->findChild<QLabel*>(QStringLiteral("pageTitle"));
    passwordTitle_->setObjectName(QStringLiteral("passwordTitle"));
    passwordText_ = text({}, screen, QStringLiteral("passwordText"));
    body->addWidget(passwordText_);
    body->addWidget(
        notice(QStringLiteral("exclamationmark.triangle.fill"),
               tr("If you lose this password, your backups can't be opened — not even by us. Store it "
                  "somewhere safe, like a password manager."),
               screen));
    password_ = field(tr("Password"), screen, QStringLiteral("password"));
    confirmPassword_ = field(tr("Confirm password"), screen, QStringLiteral("confirmPassword"));
    password_->setEchoMode(QLineEdit::Password);
    confirmPassword_->setEchoMode(QLineEdit::Password);
    passwordFields_ = new QFormLayout;
    passwordFields_->addRow(tr("Password"), password_);
    passwordFields_->addRow(tr("Confirm password"), confirmPassword_);
    body->addLayout(passwordFields_);
    passwordMessage_ = text({}, screen, QStringLiteral("passwordMessage"));
    body->addWidget(passwordMessage_);
    connect(password_, &QLineEdit::textEdited, onboarding_.get(), &OnboardingModel::setPassword);
    connect(confirmPassword_, &QLineEdit::textEdited, onboarding_.get(),
            &OnboardingModel::setConfirmPassword);
    body->addStretch(1);
    return screen;
}

QWidget* OnboardingWindow::scopePage() {
    QVBoxLayout* body = nullptr;
    auto* screen =
        page(tr("What Keldoran backs up"),
             {tr("Your whole home folder, minus the noise that doesn't need saving. You can adjust this "
                 "anytime in Preferences.")},
             &body);
    // The summary counts "entries from this list": the list is shown with it.
    exclusionList_ = new QListWidget(screen);
    exclusionList_->setObjectName(QStringLiteral("exclusionList"));
    exclusionList_->setAccessibleName(tr("Exclusions"));
    exclusionList_->setSelectionMode(QAbstractItemView::NoSelection);
    exclusionList_->setFixedHeight(150);
    exclusionList_->setIconSize(QSize(16, 16));
    body->addWidget(exclusionList_);
    scopeSummary_ = text({}, screen, QStringLiteral("scopeSummary"));
    body->addWidget(scopeSummary_);
    auto* review = new QPushButton(tr("Review…"), screen);
    review->setObjectName(QStringLiteral("reviewScope"));
    review->setToolTip(tr("Choose what's backed up"));
    connect(review, &QPushButton::clicked, this, [this] {
        auto* browser = new ScopeBrowser(onboarding_->scope(), model_.excludes(), this);
        browser->setAttribute(Qt::WA_DeleteOnClose);
        browser->open();
    });
    body->addWidget(review, 0, Qt::AlignLeft);
    auto* appData =
        new WrappingCheckBox(tr("Also back up app data such as mail and browser profiles"), screen);
    appData_ = appData->box();
    appData_->setObjectName(QStringLiteral("appData"));
    // On the whole row: the box and its sentence show it.
    appData->setToolTip(tr("Keeps ~/.local/share, ~/.mozilla, ~/.thunderbird and ~/.var/app, "
                           "without their trash and caches."));
    connect(appData_, &QCheckBox::clicked, this, [this](bool on) {
        onboarding_->scope().keepAppData(on);
        model_.setListed(BackupScope::appDataExclusions(), on);
    });
    body->addWidget(appData);
    body->addStretch(1);
    return screen;
}

void OnboardingWindow::refreshScope() {
    QStringList entries;
    for (const auto& item : model_.excludes()) {
        entries.append(item.path);
    }
    if (entries.size() != exclusionList_->count() ||
        std::any_of(entries.begin(), entries.end(), [&, row = 0](const QString& entry) mutable {
            return exclusionList_->item(row++)->text() != entry;
        })) {
        exclusionList_->clear();
        for (const auto& entry : entries) {
            exclusionList_->addItem(
                new QListWidgetItem(Symbols::icon(QStringLiteral("folder.badge.minus")), entry));
        }
    }
    // Counting the hidden folders lists the home folder: only while the step is shown.
    scopeSummary_->setText(ScopeBrowser::summary(onboarding_->scope().scopeTally(model_.excludes())));
    appData_->setChecked(onboarding_->scope().keepsAppData());
}

QWidget* OnboardingWindow::donePage() {
    QVBoxLayout* body = nullptr;
    // Nothing is protected yet: the repository is created, and the first backup started, by the button.
    auto* screen = page(tr("Ready to start"), {}, &body);
    doneText_ = text({}, screen, QStringLiteral("doneText"));
    body->addWidget(doneText_);
    auto* progress = new QHBoxLayout;
    finishBusy_ = new QProgressBar(screen);
    finishBusy_->setObjectName(QStringLiteral("finishBusy"));
    finishBusy_->setRange(0, 0); // no measure of how far: it moves while the work goes on
    finishBusy_->setTextVisible(false);
    finishBusy_->setFixedSize(80, 6);
    finishStatus_ = text({}, screen, QStringLiteral("finishStatus"));
    progress->addWidget(finishBusy_, 0, Qt::AlignVCenter);
    progress->addWidget(finishStatus_, 1);
    body->addLayout(progress);
    auto* error = notice(QStringLiteral("exclamationmark.triangle.fill"), {}, screen, &setupErrorLabel_);
    error->setObjectName(QStringLiteral("setupErrorBox"));
    setupErrorLabel_->setObjectName(QStringLiteral("setupError"));
    body->addWidget(error);
    body->addStretch(1);
    return screen;
}

void OnboardingWindow::closeEvent(QCloseEvent* event) {
    auto* onboarding = onboarding_.get();
    if (!deferCloseWhileBusy(
            this, event, [onboarding] { return onboarding->isFinishing(); }, onboarding,
            &OnboardingModel::finishingChanged)) {
        QWidget::closeEvent(event);
    }
}

void OnboardingWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        goForward();
        return;
    }
    QWidget::keyPressEvent(event);
}

void OnboardingWindow::checkAccess() {
    onboarding_->setFullDiskAccessGranted(fullDiskAccessProbe_());
}

void OnboardingWindow::goForward() {
    if (!forward_->isEnabled()) {
        return;
    }
    if (onboarding_->step() == Step::done) {
        finish();
        return;
    }
    onboarding_->goForward();
}

QCoro::Task<void> OnboardingWindow::finish() {
    setupError_.clear();
    refresh();
    const auto error = co_await onboarding_->finish(model_);
    if (error) {
        setupError_ = *error;
        refresh();
        co_return;
    }
    started_ = true;
    refresh();
    emit completed();
}

void OnboardingWindow::refreshProviders() {
    clearLayout(defaultProviderRow_);
    clearLayout(otherProviderRows_);
    auto providers = StorageProvider::offered();
    const auto& chosenFirst = onboarding_->defaultProvider();
    if (!providers.contains(chosenFirst)) {
        providers.prepend(chosenFirst);
    }
    if (chosenFirst.id != StorageProviderId::custom) {
        providers.append(StorageProvider::withId(StorageProviderId::custom));
    }
    for (const auto& provider : providers) {
        const bool selected = provider.id == onboarding_->provider().id;
        auto* row = new QToolButton;
        row->setObjectName(QStringLiteral("provider-") + rawValue(provider.id));
        row->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        row->setAutoRaise(true);
        row->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        row->setIcon(
            Symbols::icon(selected ? QStringLiteral("largecircle.fill.circle") : QStringLiteral("circle")));
        row->setText(provider.shownName());
        row->setAccessibleName(provider.shownName());
        row->setAccessibleDescription(providerDescription(provider.id));
        row->setCheckable(true);
        row->setChecked(selected);
        connect(row, &QToolButton::clicked, this, [this, provider] {
            onboarding_->selectProvider(provider);
            refreshProviders();
        });
        // The description wraps under the name, as a translation may need.
        auto* description = new QLabel(providerDescription(provider.id));
        description->setWordWrap(true);
        description->setIndent(row->iconSize().width() + 12);
        auto* rows = provider == chosenFirst ? defaultProviderRow_ : otherProviderRows_;
        rows->addWidget(row);
        rows->addWidget(description);
    }
    otherProvidersToggle_->setVisible(otherProviderRows_->count() > 0);
    orderTabs(); // new rows join the end of the chain
}

void OnboardingWindow::refreshPassword() {
    // A bucket that already holds a backup needs that backup's password, checked before Continue.
    const bool existing = onboarding_->joinsExistingBackup();
    passwordTitle_->setText(existing ? tr("Enter your backup password") : tr("Create your backup password"));
    passwordText_->setText(Wording::forPlatform(
        existing ? tr("Enter the backup password you chose when you first set up Keldoran")
                 : tr("This password encrypts everything before it leaves your Mac. Only you can "
                      "unlock your backups with it.")));
    passwordFields_->setRowVisible(confirmPassword_, !existing);
    passwordMessage_->setText(onboarding_->passwordMessage().value_or(QString()));
}

void OnboardingWindow::refreshConnection() {
    const auto connection = onboarding_->connection();
    QString symbol;
    switch (connection.state) {
    case State::idle:
        connection_->clear();
        break;
    case State::validating:
        connection_->setText(tr("Checking…"));
        break;
    case State::connected:
        connection_->setText(
            tr("Connected — bucket %1 found in %2").arg(onboarding_->bucket(), onboarding_->regionCity()));
        symbol = QStringLiteral("checkmark.circle.fill");
        break;
    case State::failed:
    case State::bucketMissing:
        connection_->setText(connection.message);
        symbol = QStringLiteral("exclamationmark.triangle.fill");
        break;
    }
    createBucket_->setVisible(connection.state == State::bucketMissing);
    createBucket_->setText(tr("Let Keldoran create the bucket %1").arg(onboarding_->bucket()));
    createBucket_->setChecked(onboarding_->createsBucket());
    connectionIcon_->setPixmap(symbol.isEmpty() ? QPixmap() : Symbols::icon(symbol).pixmap(18, 18));
}

void OnboardingWindow::refreshDone() {
    const bool existing = onboarding_->joinsExistingBackup();
    doneText_->setText(Wording::forPlatform(
        (existing ? tr("Keldoran will connect to your existing backup in bucket %1 and back up "
                       "this computer's changes to it.")
                  : tr("Keldoran will create your encrypted backup in bucket %1 and start the first "
                       "backup."))
            .arg(onboarding_->bucket()) +
        QLatin1Char(' ') + tr("Keldoran lives in the menu bar — look for the ring icon.")));
    const bool finishing = onboarding_->isFinishing();
    finishBusy_->setVisible(finishing);
    finishStatus_->setVisible(finishing || started_);
    if (started_) {
        finishStatus_->setText(tr("Your first backup is starting now."));
    } else if (finishing) {
        finishStatus_->setText(existing ? tr("Connecting to your backup…") : tr("Creating your backup…"));
    }
}

void OnboardingWindow::refresh() {
    const auto step = onboarding_->step();
    const int number = int(step);
    pages_->setCurrentIndex(number - 1);
    stepCounter_->setText(
        tr("Step %1 of %2").arg(onboarding_->shownStepNumber()).arg(onboarding_->shownStepCount()));
    stepProgress_->setRange(0, onboarding_->shownStepCount());
    stepProgress_->setValue(onboarding_->shownStepNumber());

    refreshButtons();
    accessGranted_->parentWidget()->setVisible(onboarding_->fullDiskAccessGranted());
    refreshConnectPage();
    refreshRegionPage();
    refreshPassword();
    if (step == Step::scope) {
        refreshScope();
    }
    refreshDone();
    setupErrorLabel_->setText(setupError_);
    setupErrorLabel_->parentWidget()->setVisible(!setupError_.isEmpty());
}

// Forward names the next step; neither button works while setup finishes.
void OnboardingWindow::refreshButtons() {
    const auto step = onboarding_->step();
    const auto& provider = onboarding_->provider();
    switch (step) {
    case Step::welcome:
        forward_->setText(tr("Get started"));
        break;
    case Step::chooseProvider:
        forward_->setText(tr("Continue with %1").arg(provider.shownName()));
        break;
    case Step::done:
        forward_->setText(tr("Start using Keldoran"));
        break;
    default:
        forward_->setText(tr("Continue"));
        break;
    }
    forward_->setEnabled(onboarding_->canContinue() && !onboarding_->isFinishing());
    back_->setEnabled(step != Step::welcome && !onboarding_->isFinishing());
}

void OnboardingWindow::refreshConnectPage() {
    const auto& provider = onboarding_->provider();
    const bool custom = provider.id == StorageProviderId::custom;
    connectText_->setText(Wording::forPlatform(
        custom ? tr("Enter your storage's address and the two keys it gave you. Keldoran keeps the "
                    "keys in your Mac's Keychain — they never leave this device.")
               : tr("Paste the two keys from your %1 storage page. Keldoran keeps them in your Mac's "
                    "Keychain — they "
                    "never leave this device.")
                     .arg(provider.shownName())));
    customFields_->setVisible(custom);
    guide_->setVisible(!custom); // there is no guide for a storage we do not know
    guideText_->setText(
        tr("Don't have these yet? Creating a %1 account, a bucket and the two keys takes about "
           "ten minutes, start to finish.")
            .arg(provider.shownName()));
    secretKey_->setEchoMode(secretRevealed_ ? QLineEdit::Normal : QLineEdit::Password);
    revealSecret_->setIcon(
        Symbols::icon(secretRevealed_ ? QStringLiteral("eye.slash") : QStringLiteral("eye")));
    const auto reveal = secretRevealed_ ? tr("Hide secret key") : tr("Show secret key");
    revealSecret_->setToolTip(reveal);
    revealSecret_->setAccessibleName(reveal);
    // Keep what the user is typing: only a change from the model (a new provider) rewrites a field.
    for (const auto& [edit, value] :
         {std::pair{bucket_, onboarding_->bucket()}, std::pair{accessKey_, onboarding_->accessKey()},
          std::pair{secretKey_, onboarding_->secretKey()},
          std::pair{customAddress_, onboarding_->customAddress()},
          std::pair{customRegion_, onboarding_->customRegionCode()}}) {
        if (edit->text() != value) {
            edit->setText(value);
        }
    }
    refreshConnection();
}

void OnboardingWindow::refreshRegionPage() {
    const auto& provider = onboarding_->provider();
    const bool custom = provider.id == StorageProviderId::custom;
    customPathStyle_->setChecked(onboarding_->customPathStyle());
    regionText_->setText(
        custom ? tr("Your backups stay where your storage keeps them. Keldoran simply uses it.")
               : tr("Your backups stay in the European region you chose when you created your %1 storage. "
                    "Keldoran simply uses it.")
                     .arg(provider.shownName()));
    regionBucket_->setText(tr("Bucket %1").arg(onboarding_->bucket()));
    regionName_->setText(onboarding_->region().shownName());
    QStringList others;
    for (const auto& region : provider.allRegions()) {
        if (!(region == onboarding_->region())) {
            others.append(city(region));
        }
    }
    otherRegions_->setText(
        tr("Want a different region? Create your bucket in %1 at %2 instead — the location is "
           "set there, not here.")
            .arg(alternatives(others), provider.shownName()));
    otherRegions_->setVisible(!others.isEmpty());
}

} // namespace keldoran
