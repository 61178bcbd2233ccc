#pragma once

#include "setup/onboarding_model.h"

#include <functional>
#include <memory>
#include <QWidget>

class QCheckBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QToolButton;
class QVBoxLayout;

namespace keldoran {

class AppModel;
class Workspace;

/// The setup window: eight screens over the onboarding model, a common frame with the step counter and
/// Back / forward buttons. The screens only show the model and pass input to it.
class OnboardingWindow : public QWidget {
    Q_OBJECT
public:
    /// The product website; the setup guides live under its /setup/ path.
    static constexpr const char* website = "https://keldoran.app";

    OnboardingWindow(AppModel& model, std::unique_ptr<OnboardingModel> onboarding, Workspace& workspace,
                     std::function<bool()> fullDiskAccessProbe, QWidget* parent = nullptr);
    ~OnboardingWindow() override;

    OnboardingModel& onboarding() { return *onboarding_; }
    /// The setup error shown on the last screen, if finishing failed.
    QString setupError() const { return setupError_; }

signals:
    /// Setup finished and the first backup has been asked for.
    void completed();

protected:
    void closeEvent(QCloseEvent* event) override;
    /// Return moves forward from anywhere on the screen, as a dialog's default button would.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* welcomePage();
    QWidget* fullDiskAccessPage();
    QWidget* providerPage();
    QWidget* connectPage();
    void addCustomStorageFields(QWidget* screen, QVBoxLayout* body);
    void addKeyFields(QWidget* screen, QVBoxLayout* body);
    void addConnectionStatusAndGuide(QWidget* screen, QVBoxLayout* body);
    QWidget* regionPage();
    QWidget* passwordPage();
    QWidget* scopePage();
    QWidget* donePage();
    QWidget* page(const QString& title, const QStringList& texts, QVBoxLayout** body = nullptr);

    void goForward();
    QCoro::Task<void> finish();
    void refresh();
    void refreshProviders();
    void orderTabs();
    void refreshConnection();
    void refreshPassword();
    void refreshScope();
    void refreshDone();
    void refreshButtons();
    void refreshConnectPage();
    void refreshRegionPage();
    void checkAccess();

    AppModel& model_;
    std::unique_ptr<OnboardingModel> onboarding_;
    Workspace& workspace_;
    std::function<bool()> fullDiskAccessProbe_;
    QString setupError_;
    bool secretRevealed_ = false;

    QLabel* stepCounter_;
    QProgressBar* stepProgress_;
    QStackedWidget* pages_;
    QPushButton* back_;
    QPushButton* forward_;

    QLabel* accessGranted_;
    QVBoxLayout* defaultProviderRow_;
    QVBoxLayout* otherProviderRows_;
    QToolButton* otherProvidersToggle_;
    QWidget* otherProviders_;
    QLabel* connectText_;
    QWidget* customFields_;
    QLineEdit* customAddress_;
    QLineEdit* customRegion_;
    QCheckBox* customPathStyle_;
    QLineEdit* bucket_;
    QLineEdit* accessKey_;
    QLineEdit* secretKey_;
    QToolButton* revealSecret_;
    QLabel* connectionIcon_;
    QLabel* connection_;
    QCheckBox* createBucket_;
    QLabel* guideText_;
    QWidget* guide_;
    QLabel* regionText_;
    QLabel* regionBucket_;
    QLabel* regionName_;
    QLabel* otherRegions_;
    QLabel* passwordTitle_;
    QLabel* passwordText_;
    QFormLayout* passwordFields_;
    QLineEdit* password_;
    QLineEdit* confirmPassword_;
    QLabel* passwordMessage_;
    QListWidget* exclusionList_;
    QLabel* scopeSummary_;
    QCheckBox* appData_;
    QLabel* setupErrorLabel_;
    QLabel* doneText_;
    QLabel* finishStatus_;
    QProgressBar* finishBusy_;
    bool started_ = false;
};

} // namespace keldoran
