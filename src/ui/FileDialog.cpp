#include "FileDialog.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>

#include "core/Texts.h"

namespace tavorin {

void FileDialog::accept() {
    // Only Qt's own widgets come here with a name still to judge; a desktop's native chooser
    // has closed already (its name box is not one of our children) and checks folders itself.
    const bool ownWidgets = findChild<QLineEdit*>("fileNameEdit") != nullptr;
    const QStringList files = selectedFiles();
    if (acceptMode() == AcceptSave && ownWidgets && !files.isEmpty()) {
        const QString folder = QFileInfo(files.first()).absolutePath();
        if (!QFileInfo(folder).isDir()) {
            const std::string text = fillText(texts().noSuchFolder, {folder.toStdString()});
            QMessageBox::warning(this, windowTitle(), QString::fromStdString(text));
            return;
        }
    }
    QFileDialog::accept();
}

}  // namespace tavorin
