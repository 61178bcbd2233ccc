#pragma once

#include <QObject>

/// What the desktop asks of applications, read from the desktop portal's settings: whether the user wants
/// reduced motion (GNOME's "enable-animations" off, or KDE's animation speed at zero). Read once at
/// start, asynchronously; until the answer arrives, and without a portal, motion is allowed.
class DesktopPreferences : public QObject {
    Q_OBJECT
public:
    explicit DesktopPreferences(QObject* parent = nullptr);

    bool reducedMotion() const { return reducedMotion_; }

signals:
    void reducedMotionChanged();

private:
    void read(const QString& nameSpace, const QString& key);
    void setReducedMotion(bool reduced);

    bool reducedMotion_ = false;
};
