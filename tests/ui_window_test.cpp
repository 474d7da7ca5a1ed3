// The real window on Qt's offscreen platform: its size, menus, mouse input and pauses.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFontDatabase>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <vector>

#include "core/Texts.h"
#include "ui/QtPlatform.h"

namespace tavorin {
namespace {

struct Recorder {
    std::vector<Event> events;
    BoardView::Sink sink() {
        return [this](const Event& e) { events.push_back(e); };
    }
};

QPoint centreOf(const Rect& r) {
    return {r.x + r.w / 2, r.y + r.h / 2};
}

TEST(Window, FixedClientAreaAndCaption) {
    const MainModel model;
    Recorder rec;
    MainWindow w(model, rec.sink());
    w.show();
    EXPECT_EQ(w.windowTitle(), "TAVORIN");
    EXPECT_EQ(w.view()->size(), QSize(991, 696));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());  // not resizable
}

TEST(Window, MenusInOrderWithCaptionsShortcutsAndAccessKeys) {
    const MainModel model;
    Recorder rec;
    MainWindow w(model, rec.sink());
    const QList<QAction*> top = w.menuBar()->actions();
    ASSERT_EQ(top.size(), 4);
    EXPECT_EQ(top[0]->text(), "ファイル(&F)");
    EXPECT_EQ(QKeySequence::mnemonic(top[0]->text()), QKeySequence(Qt::ALT | Qt::Key_F));
    EXPECT_EQ(QKeySequence::mnemonic(top[2]->text()), QKeySequence(Qt::ALT | Qt::Key_L));
    const QList<QAction*> file = top[0]->menu()->actions();
    ASSERT_EQ(file.size(), 5);
    const QStringList captions = {"新規ゲーム(&N)", "名前を付けて保存", "開く(&O)",
                                  QString(21, '-'), "終了(&X)"};
    const QStringList keys = {"Ctrl+N", "", "Ctrl+O", "", "Ctrl+X"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(file[i]->text(), captions[i]);
        EXPECT_FALSE(file[i]->isSeparator());
        EXPECT_EQ(file[i]->shortcut().toString(), keys[i]);
    }
    QMenu* bgm = top[2]->menu()->actions()[0]->menu();
    ASSERT_NE(bgm, nullptr);
    EXPECT_EQ(bgm->actions()[1]->text(), "停止");
    EXPECT_EQ(bgm->actions()[1]->shortcut().toString(), "Ctrl+S");
    EXPECT_EQ(top[3]->menu()->actions()[0]->text(), "Version 8.0 ( 2016/03/10)");
    w.action(MenuId::mnuBGMStop)->trigger();
    ASSERT_EQ(rec.events.size(), 1u);
    EXPECT_EQ(rec.events[0].menu, MenuId::mnuBGMStop);
}

TEST(Window, JapaneseCaptionsHaveAFont) {
    EXPECT_FALSE(QFontDatabase::families(QFontDatabase::Japanese).isEmpty());
    QFont gothic;
    gothic.setFamilies({"ＭＳ Ｐゴシック", "IPAPGothic"});
    EXPECT_TRUE(QFontMetrics(gothic).inFont(QChar(0x56DE)));  // 回
}

TEST(Window, ClicksReachTheControlUnderThePointer) {
    MainModel model;
    Recorder rec;
    MainWindow w(model, rec.sink());
    w.show();
    BoardView* v = w.view();
    struct Case {
        QPoint at;
        Control control;
        int index;
    };
    const Case cases[] = {
        {centreOf(model.PLACE[20 * 7 + 3].rect), Control::PLACE, 20 * 7 + 3},
        {centreOf(model.PLACE[20 * 20].rect), Control::PLACE, 20 * 20},
        {{388, 330}, Control::MED, 0},
        {{900, 262}, Control::DICE, 2},  // the empty third die answers too
    };
    for (const Case& c : cases) {
        rec.events.clear();
        QTest::mouseClick(v, Qt::LeftButton, {}, c.at);
        ASSERT_EQ(rec.events.size(), 1u) << c.at.x() << "," << c.at.y();
        EXPECT_EQ(rec.events[0].kind, Event::Click);
        EXPECT_EQ(rec.events[0].control, c.control);
        EXPECT_EQ(rec.events[0].index, c.index);
    }
    rec.events.clear();
    QTest::mouseDClick(v, Qt::LeftButton, {}, {900, 80});
    ASSERT_FALSE(rec.events.empty());
    EXPECT_EQ(rec.events.back().kind, Event::DblClick);
    EXPECT_EQ(rec.events.back().control, Control::DICE);
}

// A pause keeps the window painting, and a click made during it is handled only afterwards.
TEST(Window, PauseKeepsPaintingAndDefersInput) {
    QtPlatform platform("");
    platform.start();
    MainForm& f = platform.form();
    f.deliver(Event::command(MenuId::mnuNew));
    f.ui.Timer1.setEnabled(false);  // the player's turn, with no roll running
    f.st.movesLeft = 2;
    f.st.myBoard[5] = 0;
    f.st.diceMoves = {3, 4, 0, 0};  // a click on an empty point is refused at once
    BoardView* v = platform.window().view();

    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) ++paints;
            return false;
        }
    } counter;
    v->installEventFilter(&counter);
    std::string labelDuringPause = "unset";
    QTimer::singleShot(300, [&] {
        const QPoint at = centreOf(f.ui.PLACE[20 * 5].rect);
        for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
            QCoreApplication::postEvent(
                v, new QMouseEvent(type, at, v->mapToGlobal(at), Qt::LeftButton,
                                   type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                   {}));
        f.ui.Label1.text = "changed during the pause";  // something new to paint
    });
    QTimer::singleShot(2000, [&] { labelDuringPause = f.ui.Label2.text; });
    platform.sleepMs(3000);
    EXPECT_GT(counter.paints, 0);
    EXPECT_EQ(labelDuringPause, "");
    for (int i = 0; i < 50 && f.ui.Label2.text.empty(); ++i)
        platform.doEvents();
    EXPECT_EQ(f.ui.Label2.text, texts().refused);
}

// Runs `inspect` on the file dialog once it is up, then lets `finish` close it.
void whenDialogUp(std::function<void(QFileDialog*)> inspect) {
    auto* poll = new QTimer;
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, [poll, inspect] {
        if (auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            inspect(d);
        }
    });
    poll->start();
}

// Input that reaches the window as the window system posts it.
void postClick(QWidget* w, QPoint at) {
    for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        QCoreApplication::postEvent(
            w,
            new QMouseEvent(type, at, w->mapToGlobal(at), Qt::LeftButton,
                            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, {}));
}

// The File menu opens inside a 3000 ms pause, at once, and not only after it; its commands act
// there too.
TEST(Window, MenuOpensDuringAPause) {
    QtPlatform platform("");
    platform.start();
    QMenuBar* bar = platform.window().menuBar();
    QMenu* file = bar->actions()[0]->menu();
    QElapsedTimer clock;
    qint64 clickedAt = -1, shownAt = -1;
    bool shownInPause = false, stoppedInPause = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (shownAt < 0 && file->isVisible()) {
            shownAt = clock.elapsed();
            shownInPause = platform.inPause();
            platform.window().action(MenuId::mnuBGMStop)->trigger();
            stoppedInPause = platform.inPause() && !platform.form().ui.Timer4.enabled();
        }
    });
    QTimer::singleShot(200, [&] {
        clickedAt = clock.elapsed();
        postClick(bar, bar->actionGeometry(bar->actions()[0]).center());
        poll.start();
    });
    clock.start();
    platform.sleepMs(3000);
    file->close();
    ASSERT_GE(shownAt, 0) << "the menu never opened";
    EXPECT_TRUE(shownInPause);
    EXPECT_LT(shownAt - clickedAt, 300);
    EXPECT_TRUE(stoppedInPause);  // and its commands act at once
}

// Save As chosen inside a pause: the game waits for its dialog, however long the pause was.
TEST(Window, DialogOpenedInAPauseHoldsThePauseUntilItCloses) {
    QtPlatform platform("");
    platform.start();
    MainForm& f = platform.form();
    f.ui.item(MenuId::mnuSaveAs).enabled = true;  // as in a game under way
    platform.window().sync();
    QElapsedTimer clock;
    qint64 closedAt = -1;
    int ticksInDialog = 0;
    whenDialogUp([&](QFileDialog* d) {
        auto* t4 = new QTimer(d);
        QObject::connect(t4, &QTimer::timeout, [&] { ticksInDialog += platform.inPause(); });
        t4->start(10);
        QTimer::singleShot(600, d, [&, d] {  // well after the 300 ms pause would have ended
            closedAt = clock.elapsed();
            d->reject();
        });
    });
    QTimer::singleShot(50, [&] { platform.window().action(MenuId::mnuSaveAs)->trigger(); });
    clock.start();
    platform.sleepMs(300);
    const qint64 endedAt = clock.elapsed();
    ASSERT_GE(closedAt, 0) << "the dialog never came up";
    EXPECT_GE(endedAt, closedAt);
    EXPECT_GT(ticksInDialog, 0);  // the dialog ran inside the pause
}

const FilterList kGames = {{"データファイル(*.kif)", "*.kif"}, {"すべてのファイル(*.*)", "*.*"}};

TEST(Dialogs, SaveDialogComesUpWithTitleFiltersFolderAndName) {
    QtPlatform platform("");
    platform.start();
    QString title, name, folder, selected;
    QStringList filters;
    bool asksBeforeReplacing = false;
    whenDialogUp([&](QFileDialog* d) {
        title = d->windowTitle();
        filters = d->nameFilters();
        selected = d->selectedNameFilter();
        folder = d->directory().absolutePath();
        name = d->findChild<QLineEdit*>("fileNameEdit")->text();
        asksBeforeReplacing = !d->testOption(QFileDialog::DontConfirmOverwrite);
        d->reject();
    });
    const std::string chosen =
        platform.saveFileDialog("ファイルを保存する", kGames, "c:\\", "SaveData.kif");
    EXPECT_EQ(chosen, "");  // a cancel
    EXPECT_EQ(title, "ファイルを保存する");
    ASSERT_EQ(filters.size(), 2);
    EXPECT_TRUE(filters[0].startsWith(selected)) << selected.toStdString();  // the first pair
    EXPECT_TRUE(filters[0].startsWith("データファイル(*.kif)"));
    EXPECT_TRUE(filters[1].endsWith("(*)"));  // all files, also those without a dot
    EXPECT_EQ(folder, QDir::homePath());
    EXPECT_EQ(name, "SaveData.kif");
    EXPECT_TRUE(asksBeforeReplacing);
}

TEST(Dialogs, ConfirmedNameComesBackAsAFullPathWithoutAnExtension) {
    QtPlatform platform("");
    platform.start();
    const QString path = QDir::tempPath() + "/tavorin-no-extension";
    whenDialogUp([&](QFileDialog* d) {
        d->findChild<QLineEdit*>("fileNameEdit")->setText(path);
        QMetaObject::invokeMethod(d, "accept");  // as the dialog's own button does
    });
    EXPECT_EQ(platform.saveFileDialog("ファイルを保存する", kGames, "c:\\", "SaveData.kif"),
              path.toStdString());
}

}  // namespace
}  // namespace tavorin

int main(int argc, char** argv) {
    // No display needed: the tests draw offscreen, also when ctest lists them at build time.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
