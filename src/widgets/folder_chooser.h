#pragma once

#include <functional>
#include <QString>

class QWidget;

namespace keldoran {

/// Asks the user for one folder; `chosen` runs with it if the user confirms, and not at all otherwise.
using FolderChooser = std::function<void(QWidget* parent, std::function<void(QString)> chosen)>;

/// The desktop's folder chooser (folders only, one at a time) with `acceptLabel` on its confirm button,
/// starting in the home folder. It opens without a nested event loop.
FolderChooser folderChooser(const QString& acceptLabel);

} // namespace keldoran
