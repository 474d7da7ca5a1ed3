// The save dialog on Qt's offscreen platform: a name in a folder that does not exist is refused
// with a message, and the dialog stays open for another name.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QSplitter>
#include <QTimer>
#include <QTranslator>
#include <QTreeView>

#include "core/Texts.h"
#include "ui/FileDialog.h"

namespace tavorin {
namespace {

// Polls until `ready` gives a widget, then runs `act` on it once; ends with `owner` at the latest.
template <class W>
void whenUp(QObject* owner, std::function<W*()> ready, std::function<void(W*)> act) {
    auto* poll = new QTimer(owner);
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, [poll, ready, act] {
        if (W* w = ready()) {
            poll->stop();
            poll->deleteLater();
            act(w);
        }
    });
    poll->start();
}

QMessageBox* openMessageBox() {
    return qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
}

struct Outcome {
    int result = -1;
    QString warning;  // the text of a message box shown on accepting, if any
    QString chosen;
};

// Types `name` into a save dialog and confirms it; a warning that comes up is read and closed,
// and then the dialog is cancelled so that it always ends.
Outcome confirmInSaveDialog(const QString& name) {
    FileDialog d(nullptr, QString::fromStdString(std::string(texts().saveTitle)), QDir::tempPath());
    d.setOption(QFileDialog::DontUseNativeDialog);
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setFileMode(QFileDialog::AnyFile);
    Outcome out;
    QTimer::singleShot(100, &d, [&] {
        d.findChild<QLineEdit*>("fileNameEdit")->setText(name);
        whenUp<QMessageBox>(&d, openMessageBox, [&](QMessageBox* box) {
            out.warning = box->text();
            box->accept();
            QTimer::singleShot(100, &d, [&] { d.reject(); });  // still open: cancel it
        });
        QMetaObject::invokeMethod(&d, "accept", Qt::QueuedConnection);  // as its button does
    });
    QTimer::singleShot(10'000, &d, [&] { d.reject(); });  // a test that fails still ends
    out.result = d.exec();
    if (out.result == QDialog::Accepted) out.chosen = d.selectedFiles().value(0);
    return out;
}

TEST(SaveDialog, RefusesAFolderThatDoesNotExist) {
    const QString missing = QDir::tempPath() + "/tavorin-no-such-folder";
    QDir(missing).removeRecursively();
    for (const QString& name : {missing + "/game.kif", missing + "/deeper/game.kif"}) {
        SCOPED_TRACE(name.toStdString());
        const Outcome o = confirmInSaveDialog(name);
        EXPECT_EQ(o.result, QDialog::Rejected);  // the user stayed and then cancelled
        EXPECT_TRUE(o.warning.startsWith("This folder does not exist.")) << o.warning.toStdString();
        EXPECT_TRUE(o.warning.endsWith("\n\n" + QFileInfo(name).absolutePath()))
            << o.warning.toStdString();
    }
}

TEST(SaveDialog, TakesANewNameInAFolderThatExists) {
    const QString name = QDir::tempPath() + "/tavorin-dialog-new.kif";
    QFile::remove(name);
    const Outcome o = confirmInSaveDialog(name);
    EXPECT_EQ(o.result, QDialog::Accepted);
    EXPECT_TRUE(o.warning.isEmpty()) << o.warning.toStdString();
    EXPECT_EQ(o.chosen, name);
}

// A folder part that names a file is no folder either.
TEST(SaveDialog, RefusesAFileAsTheFolder) {
    const QString file = QDir::tempPath() + "/tavorin-dialog-plain";
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const Outcome o = confirmInSaveDialog(file + "/game.kif");
    QFile::remove(file);
    EXPECT_EQ(o.result, QDialog::Rejected);
    EXPECT_TRUE(o.warning.startsWith("This folder does not exist.")) << o.warning.toStdString();
}

// Opened as the game opens it, nothing is cut: the places of the sidebar show whole, also when
// the dialog's remembered state had made the sidebar narrow, and the list's columns fit theirs.
TEST(FileDialogSize, ShowsTheSidebarAndTheColumnsWhole) {
    FileDialog d(nullptr, QString::fromStdString(std::string(texts().openTitle)), QDir::tempPath());
    d.setOption(QFileDialog::DontUseNativeDialog);
    auto* sidebar = d.findChild<QListView*>("sidebar");
    auto* splitter = d.findChild<QSplitter*>("splitter");
    ASSERT_NE(sidebar, nullptr);
    ASSERT_NE(splitter, nullptr);
    splitter->setSizes({30, 600});
    d.fitToContents();
    d.show();
    QApplication::processEvents();
    for (int r = 0; r < sidebar->model()->rowCount(); ++r) {
        const QModelIndex place = sidebar->model()->index(r, 0);
        EXPECT_GE(sidebar->visualRect(place).width(), sidebar->sizeHintForIndex(place).width())
            << place.data().toString().toStdString();
    }
    auto* list = d.findChild<QTreeView*>("treeView");
    ASSERT_NE(list, nullptr);
    for (int c = 1; c < list->header()->count(); ++c)
        EXPECT_EQ(list->header()->sectionResizeMode(c), QHeaderView::ResizeToContents) << c;
    EXPECT_GE(d.width(), 800);
}

}  // namespace
}  // namespace tavorin

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTranslator qtJapanese;  // as the game: the sidebar's "コンピュータ" is longer than "Computer"
    if (qtJapanese.load("qtbase_ja", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtJapanese);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
