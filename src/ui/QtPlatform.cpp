#include "QtPlatform.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QProcess>
#include <QTreeView>
#include <algorithm>
#include <chrono>
#include <cstdlib>

namespace tavorin {

QtPlatform::QtPlatform(const std::string& dataDir) : audio_(dataDir) {
    if (const char* trace = std::getenv("TAVORIN_TRACE")) trace_ = std::fopen(trace, "w");
    seedFromClock();
    form_ = std::make_unique<MainForm>(*this);
    for (int t = 0; t < 4; ++t) {
        timers_[t].setTimerType(Qt::PreciseTimer);
        connect(&timers_[t], &QTimer::timeout, this,
                [this, t] { deliver(Event::tick(static_cast<TimerId>(t))); });
    }
}

QtPlatform::~QtPlatform() {
    if (trace_) std::fclose(trace_);
}

void QtPlatform::playSound(const std::string& name) {
    audio_.playSound(name);
    if (trace_) {
        const auto t = std::chrono::steady_clock::now().time_since_epoch();
        std::fprintf(trace_, "%.3f %s\n", std::chrono::duration<double, std::milli>(t).count(),
                     name.c_str());
        std::fflush(trace_);
    }
}

void QtPlatform::start() {
    window_ = std::make_unique<MainWindow>(form_->ui, [this](const Event& e) { deliver(e); });
    window_->onClose = [this] { deliver(Event::close()); };
    for (int t = 0; t < 4; ++t) {
        const Timer& timer = form_->ui.timer(static_cast<TimerId>(t));
        timerChanged(timer.id(), timer.enabled(), timer.interval());
    }
    form_->Form_Load();  // before the window is first shown
    window_->sync();
    window_->show();
}

void QtPlatform::deliver(const Event& e) {
    if (inPause_) {  // a paused game runs no handler: keep it for the next pass
        const bool repeatedTick =
            e.kind == Event::Tick &&
            std::any_of(pending_.begin(), pending_.end(), [&](const Event& p) {
                return p.kind == Event::Tick && p.timer == e.timer;
            });
        if (!repeatedTick && e.kind != Event::MouseMove) pending_.push_back(e);
        return;
    }
    form_->deliver(e);
    window_->sync();
}

// What arrived during a pause, as one pass would have seen it.
void QtPlatform::flushPending() {
    while (!inPause_ && !pending_.empty()) {
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

// The window keeps painting and answering the window manager, but input waits in the queue
// and timer ticks are kept until the next pass.
void QtPlatform::sleepMs(int ms) {
    window_->sync();
    inPause_ = true;
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    inPause_ = false;
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
    QFileDialog dialog(window_.get(), QString::fromStdString(title), folder);
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
    // Qt's own dialog opens wide enough for the sidebar's places, and its list gives the
    // size, type and date what they need and the names the rest.
    dialog.resize(dialog.sizeHint().expandedTo(QSize(800, 520)));
    if (auto* list = dialog.findChild<QTreeView*>("treeView")) {
        list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    }
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
    if (trace_) std::fclose(trace_);
    std::_Exit(0);  // at once: no handler suspended in a pause runs on
}

void QtPlatform::showError(const std::string& message) {
    QMessageBox::warning(window_.get(), "TAVORIN", QString::fromStdString(message));
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
