#include "MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include "Artwork.h"

namespace tavorin {

MainWindow::MainWindow(const MainModel& model, BoardView::Sink sink)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      model_(model),
      view_(new BoardView(model, sink, this)) {
    setWindowTitle(QString::fromStdString(model.caption));
    QIcon icon;
    for (int px : {16, 32, 48})
        icon.addPixmap(QPixmap::fromImage(art::drawIcon(px)));
    setWindowIcon(icon);
    setCentralWidget(view_);
    buildMenus(sink);
    // The client area is fixed; the menu bar's height depends on the font.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    // A Wayland client cannot place its window: there the compositor centres it.
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen && !QGuiApplication::platformName().startsWith("wayland"))
        move(screen->availableGeometry().center() - rect().center());
    sync();
}

void MainWindow::buildMenus(const BoardView::Sink& sink) {
    actions_.assign(model_.menu.size(), nullptr);
    std::vector<QMenu*> menus(model_.menu.size(), nullptr);
    for (size_t i = 0; i < model_.menu.size(); ++i) {
        const MenuItem& item = model_.menu[i];
        const QString caption =
            QString::fromUtf8(item.caption.data(), static_cast<qsizetype>(item.caption.size()));
        const bool hasChildren =
            i + 1 < model_.menu.size() && model_.menu[i + 1].parent == static_cast<int>(i);
        if (hasChildren) {
            menus[i] = item.parent < 0 ? menuBar()->addMenu(caption)
                                       : menus[static_cast<size_t>(item.parent)]->addMenu(caption);
            actions_[i] = menus[i]->menuAction();
            continue;
        }
        auto* action = menus[static_cast<size_t>(item.parent)]->addAction(caption);
        if (!item.shortcut.empty()) {
            action->setShortcut(QKeySequence(QString::fromStdString(item.shortcut)));
            action->setShortcutContext(Qt::ApplicationShortcut);
        }
        const MenuId id = item.id;
        connect(action, &QAction::triggered, this, [sink, id] { sink(Event::command(id)); });
        actions_[i] = action;
    }
}

void MainWindow::sync() {
    for (size_t i = 0; i < model_.menu.size(); ++i)
        if (actions_[i]) actions_[i]->setEnabled(model_.menu[i].enabled);
    view_->refresh();
}

void MainWindow::closeEvent(QCloseEvent* e) {
    e->ignore();  // the game ends the program itself
    if (onClose) onClose();
}

}  // namespace tavorin
