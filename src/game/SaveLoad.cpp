// Save As and Open: the game record to and from a small text file.
#include "MainForm.h"
#include "core/Texts.h"
#include "io/SaveFile.h"

namespace tavorin {

namespace {
FilterList gameFilters() {
    return {{std::string(texts().gameFiles), "*.kif"}, {std::string(texts().allFiles), "*.*"}};
}

// The problem as a sentence, led by its line in the file when one line holds it.
std::string where(const LoadError& e) {
    return e.line > 0 ? fillText(texts().atLine, {std::to_string(e.line), e.message})
                      : fillText(texts().noLine, {e.message});
}
}  // namespace

void MainForm::mnuSaveAs_Click() {
    const std::string path = pf_.dialogs.saveFileDialog(
        std::string(texts().saveTitle), gameFilters(), "c:\\", std::string(texts().proposedName));
    if (path.empty() || phase() == Phase::Over) return;
    // The dialog let timers run: take the state as it is now, never half a move.
    const GameState& whole = beforeMove_ ? *beforeMove_ : st;
    if (auto err = writeFileAtomically(path, formatSavedGame(whole)))
        pf_.dialogs.showError(fillText(texts().saveFailed, {*err, path}));
}

void MainForm::mnuOpen_Click() {
    const std::string path =
        pf_.dialogs.openFileDialog(std::string(texts().openTitle), gameFilters(), "c:\\");
    if (path.empty()) return;
    std::string text;
    if (auto err = readFileStart(path, text)) {
        pf_.dialogs.showError(fillText(texts().readFailed, {*err, path}));
        return;
    }
    GameState loaded = st;  // nothing changes until the whole file has been checked
    if (auto err = parseSavedGame(text, loaded)) {
        pf_.dialogs.showError(fillText(texts().notASavedGame, {where(*err), path}));
        return;
    }
    // A position no rule could reach would trap the game: refuse it now, with the reason.
    if (auto err = findUnplayable(loaded)) {
        pf_.dialogs.showError(fillText(texts().cannotBePlayed, {where(*err), path}));
        return;
    }
    st = loaded;
    ui.background = Pic::Board;
    ui.saiY.visible = false;
    ui.saiC.visible = false;
    gameStarts();
    startPlayerRoll();
}

}  // namespace tavorin
