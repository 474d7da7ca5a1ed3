#pragma once
// Qt's file dialog, refusing to save into a folder that does not exist: the user is told and
// stays in the dialog to choose another name, instead of the save failing after it closed.
#include <QFileDialog>

namespace tavorin {

class FileDialog : public QFileDialog {
    Q_OBJECT
public:
    using QFileDialog::QFileDialog;

    void accept() override;
};

}  // namespace tavorin
