#include "QtPlatform.h"

#include "FileDialog.h"
#include "Trace.h"
#include "core/Texts.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <algorithm>
#include <chrono>
#include <cstdlib>

namespace tavorin {

QtPlatform::QtPlatform(const std::string& dataDir, std::vector<std::string> audioModules)
    : audio_(std::move(audioModules), dataDir) {
    seedFromClock();
    form_ = std::make_unique<MainForm>(Platform{sound_, *this, *this, *this, *this});
    for (int t = 0; t < 4; ++t) {
        timers_[t].setTimerType(Qt::PreciseTimer);
        connect(&timers_[t], &QTimer::timeout, this,
                [this, t] { deliver(Event::tick(static_cast<TimerId>(t))); });
    }
}

QtPlatform::~QtPlatform() = default;

void QtPlatform::start() {
    window_ = std::make_unique<MainWindow>(form_->ui, [this](const Event& e) { deliver(e); });
    window_->onClose = [this] { deliver(Event::close()); };
    trace("window");
    for (int t = 0; t < 4; ++t) {
        const Timer& timer = form_->ui.timer(static_cast<TimerId>(t));
        timerChanged(timer.id(), timer.enabled(), timer.interval());
    }
    form_->Form_Load();  // before the window is first shown
    window_->sync();
    trace("start-up");
    window_->view()->installEventFilter(this);
    window_->show();
}

// The first frame of the board view: the window has appeared.
bool QtPlatform::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::Paint && watched == window_->view()) {
        watched->removeEventFilter(this);
        trace("frame");
        // The music starts with the window, and the mixer's libraries never hold it back.
        QTimer::singleShot(0, this, [this] {
            audio_.load();
            trace("audio");
        });
    }
    return false;
}

void QtPlatform::deliver(const Event& e) {
    if (pauseDepth_ > 0 && !answersInPause(e)) {
        hold(e);
        return;
    }
    form_->deliver(e);
    window_->sync();
}

// Board input and the turn timers wait for the next pass, where the handlers' own guards
// decide. A repeated tick counts once, in the place of the first; the mouse keeps only its
// newest position.
void QtPlatform::hold(const Event& e) {
    const auto same = [&](const Event& p) {
        return p.kind == e.kind && (e.kind != Event::Tick || p.timer == e.timer);
    };
    if (e.kind == Event::Tick && std::any_of(pending_.begin(), pending_.end(), same)) return;
    if (e.kind == Event::MouseMove) std::erase_if(pending_, same);
    pending_.push_back(e);
}

// What arrived during a pause, as one pass would have seen it.
void QtPlatform::flushPending() {
    while (pauseDepth_ == 0 && !pending_.empty()) {
        const Event e = pending_.front();
        pending_.pop_front();
        deliver(e);
    }
}

void QtPlatform::doEvents() {
    window_->sync();
    flushPending();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

// The window keeps painting and its menus keep working; the board's input and the turn timers
// are kept until the next pass. A dialog opened from a menu meanwhile runs inside this loop,
// so the pause ends no earlier than the dialog closes.
void QtPlatform::sleepMs(int ms) {
    window_->sync();
    ++pauseDepth_;
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    trace("pause " + std::to_string(ms));
    loop.exec();
    trace("resume");
    --pauseDepth_;
    QTimer::singleShot(0, this, [this] { flushPending(); });
}

double QtPlatform::random() {
    return static_cast<double>(rng_() >> 11) * 0x1.0p-53;
}

// A high-resolution clock, so seeding on every roll tick never repeats a roll.
void QtPlatform::seedFromClock() {
    const auto t = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::seed_seq seq{static_cast<uint32_t>(t), static_cast<uint32_t>(t >> 32)};
    rng_.seed(seq);
}

std::string QtPlatform::fileDialog(bool save, const std::string& title, const FilterList& filters,
                                   const std::string& dir, const std::string& proposed) {
    QStringList nameFilters;
    for (const FileFilter& f : filters) {
        // "*.*" means every file here, also those without a dot.
        const QString pattern = f.pattern == "*.*" ? "*" : QString::fromStdString(f.pattern);
        nameFilters << QString::fromStdString(f.description) + " (" + pattern + ")";
    }
    const QString folder = dir == "c:\\" ? QDir::homePath() : QString::fromStdString(dir);
    FileDialog dialog(window_.get(), QString::fromStdString(title), folder);
    // The desktop's own chooser where its platform theme offers one (GTK, KDE, the portal);
    // Qt's widget dialog otherwise, and always with TAVORIN_WIDGET_DIALOGS=1.
    if (qgetenv("TAVORIN_WIDGET_DIALOGS") == "1")
        dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(nameFilters);
    dialog.selectNameFilter(nameFilters.value(0));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QString());
    if (save) dialog.selectFile(QString::fromStdString(proposed));
    dialog.fitToContents();
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return "";
    return dialog.selectedFiles().first().toStdString();
}

std::string QtPlatform::openFileDialog(const std::string& title, const FilterList& filters,
                                       const std::string& dir) {
    return fileDialog(false, title, filters, dir, "");
}

std::string QtPlatform::saveFileDialog(const std::string& title, const FilterList& filters,
                                       const std::string& dir, const std::string& proposed) {
    return fileDialog(true, title, filters, dir, proposed);
}

// The running program's own file, from the same working folder, as a fresh process.
bool QtPlatform::restartProgram() {
    return QProcess::startDetached(QCoreApplication::applicationFilePath(), {},
                                   QDir::currentPath());
}

void QtPlatform::endProgram() {
    std::_Exit(0);  // at once: no handler suspended in a pause runs on
}

void QtPlatform::showError(const std::string& message) {
    QMessageBox::warning(window_.get(), QString::fromStdString(std::string(texts().windowTitle)),
                         QString::fromStdString(message));
}

void QtPlatform::timerChanged(TimerId id, bool enabled, int intervalMs) {
    QTimer& t = timers_[static_cast<size_t>(id)];
    t.setInterval(intervalMs);
    if (enabled)
        t.start();
    else
        t.stop();
    std::erase_if(pending_,
                  [id](const Event& e) { return e.kind == Event::Tick && e.timer == id; });
}

}  // namespace tavorin
