#include "FileDialog.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QSplitter>
#include <QTreeView>
#include <algorithm>

#include "core/Texts.h"

namespace tavorin {

void FileDialog::fitToContents() {
    resize(sizeHint().expandedTo(QSize(800, 520)));
    if (auto* list = findChild<QTreeView*>("treeView")) {
        list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    auto* sidebar = findChild<QListView*>("sidebar");
    auto* splitter = findChild<QSplitter*>("splitter");
    if (!sidebar || !splitter || splitter->count() != 2) return;  // a native chooser
    if (layout()) layout()->activate();  // the splitter gets its width before the dialog shows
    const int side = sidebar->sizeHintForColumn(0) + 2 * sidebar->frameWidth() + 12;
    const int total = splitter->width() - splitter->handleWidth();
    splitter->setSizes({side, std::max(total - side, side)});
}

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
