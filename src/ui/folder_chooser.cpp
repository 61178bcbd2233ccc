#include "folder_chooser.h"

#include <QFileDialog>

FolderChooser folderChooser(const QString& acceptLabel) {
    return [acceptLabel](QWidget* parent, std::function<void(QString)> chosen) {
        auto* dialog = new QFileDialog(parent);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setFileMode(QFileDialog::Directory);
        dialog->setOption(QFileDialog::ShowDirsOnly);
        dialog->setLabelText(QFileDialog::Accept, acceptLabel);
        QObject::connect(dialog, &QFileDialog::fileSelected, dialog,
                         [chosen](const QString& folder) { chosen(folder); });
        dialog->open();
    };
}
