#include "folder_chooser.h"

#include <QDir>
#include <QFileDialog>

namespace keldoran {

FolderChooser folderChooser(const QString& acceptLabel) {
    return [acceptLabel](QWidget* parent, std::function<void(QString)> chosen) {
        auto* dialog = new QFileDialog(parent);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setFileMode(QFileDialog::Directory);
        dialog->setOption(QFileDialog::ShowDirsOnly);
        dialog->setLabelText(QFileDialog::Accept, acceptLabel);
        // Not the folder Keldoran happened to be started from.
        dialog->setDirectory(QDir::homePath());
        QObject::connect(dialog, &QFileDialog::fileSelected, dialog,
                         [chosen](const QString& folder) { chosen(folder); });
        dialog->open();
    };
}

} // namespace keldoran
