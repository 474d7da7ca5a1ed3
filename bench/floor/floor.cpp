// The toolkit's floor: the least a Qt Widgets window of the game's size costs. An empty,
// fixed 991 x 696 client area below a menu bar with one menu; bench/run.sh measures the game
// against it. With TAVORIN_TRACE=FILE it writes when main began, as the game does.
#include <QApplication>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    if (const char* name = std::getenv("TAVORIN_TRACE"))
        if (std::FILE* out = std::fopen(name, "w")) {
            const auto t = std::chrono::system_clock::now().time_since_epoch();
            std::fprintf(out, "%.3f main\n", std::chrono::duration<double, std::milli>(t).count());
            std::fclose(out);
        }
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
