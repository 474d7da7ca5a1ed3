// The toolkit's floor: the least a Qt Widgets window of the game's size costs. An empty,
// fixed 991 x 696 client area below a menu bar with one menu; bench/run.sh measures the game
// against it.
#include <QApplication>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("FLOOR");
    auto* client = new QWidget(&window);
    client->setFixedSize(991, 696);
    window.setCentralWidget(client);
    QMenu* file = window.menuBar()->addMenu("&File");
    QAction* quit = file->addAction("E&xit");
    quit->setShortcut(QKeySequence("Ctrl+X"));
    QObject::connect(quit, &QAction::triggered, &app, &QApplication::quit);
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);
    window.show();
    return QApplication::exec();
}
