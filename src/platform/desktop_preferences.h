#pragma once

#include <optional>
#include <QObject>

namespace keldoran {

/// What the desktop asks of applications, read from the desktop portal's settings: whether the user wants
/// reduced motion (GNOME's "enable-animations" off, or KDE's animation speed at zero), and whether the
/// desktop is dark or light. Read once at start, asynchronously; until the answer arrives, and without a
/// portal, motion is allowed and the colour scheme is unknown.
class DesktopPreferences : public QObject {
    Q_OBJECT
public:
    explicit DesktopPreferences(QObject* parent = nullptr);

    bool reducedMotion() const { return reducedMotion_; }
    /// The portal's colour scheme: dark, light, or none when the desktop does not say.
    std::optional<bool> darkScheme() const { return darkScheme_; }

signals:
    void reducedMotionChanged();
    void darkSchemeChanged();

private:
    void read(const QString& nameSpace, const QString& key);
    void setReducedMotion(bool reduced);

    bool reducedMotion_ = false;
    std::optional<bool> darkScheme_;
};

} // namespace keldoran
