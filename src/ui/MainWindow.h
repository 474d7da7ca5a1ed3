#pragma once
// The fixed main window: the menu bar built from the model, and the board view in the middle.
#include <QMainWindow>
#include <vector>

#include "BoardView.h"

class QAction;

namespace tavorin {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(const MainModel& model, BoardView::Sink sink);

    BoardView* view() const { return view_; }
    QAction* action(MenuId id) const { return actions_[static_cast<size_t>(id)]; }
    // Brings the window up to date with the model: the board and the menu states.
    void sync();
    // Closing the window is an event like any other; the game decides.
    std::function<void()> onClose;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void buildMenus(const BoardView::Sink& sink);

    const MainModel& model_;
    BoardView* view_;
    std::vector<QAction*> actions_;
};

}  // namespace tavorin
