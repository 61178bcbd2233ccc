#pragma once

#include <functional>
#include <QString>
#include <QUrl>

namespace keldoran {

/// What the desktop does on Keldoran's behalf: opening a web address, showing a file in the file manager.
class Workspace {
public:
    virtual ~Workspace() = default;
    virtual void openUrl(const QUrl& url) = 0;
    /// Shows `path` selected in the file manager, or else its folder with the desktop's default handler;
    /// `failed` runs when nothing could show it.
    virtual void reveal(const QString& path, std::function<void()> failed) = 0;
};

} // namespace keldoran
