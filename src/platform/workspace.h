#pragma once

#include <QString>
#include <QUrl>

/// What the desktop does on Keldoran's behalf: opening a web address, showing a file in the file manager.
class Workspace {
public:
    virtual ~Workspace() = default;
    virtual void openUrl(const QUrl& url) = 0;
    /// Shows `path` selected in the file manager.
    virtual void reveal(const QString& path) = 0;
};
