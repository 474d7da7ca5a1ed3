#pragma once
// Qt's file dialog, refusing to save into a folder that does not exist: the user is told and
// stays in the dialog to choose another name, instead of the save failing after it closed.
#include <QFileDialog>

namespace tavorin {

// No Q_OBJECT of its own: Qt offers the desktop's native chooser only to a dialog whose class
// is QFileDialog itself.
class FileDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    // Qt's own dialog at a size where nothing is cut: the sidebar shows its places whole, and
    // the list gives the size, type and date what they need and the names the rest.
    void fitToContents();

    void accept() override;
};

}  // namespace tavorin
