#pragma once

#include "platform/workspace.h"

#include <QObject>

namespace keldoran {

/// The desktop's URL opener, and the file manager's ShowItems over D-Bus; where no file manager answers
/// it, the folder holding the file is opened with the desktop's default handler instead.
class DesktopWorkspace : public QObject, public Workspace {
    Q_OBJECT
public:
    using QObject::QObject;
    void openUrl(const QUrl& url) override;
    void reveal(const QString& path, std::function<void()> failed) override;
};

} // namespace keldoran
