// Save As and Open: the game record to and from a small text file.
#include "MainForm.h"
#include "io/SaveFile.h"
#include "io/SaveTexts.h"

namespace tavorin {

namespace {
const FilterList kGameFilters = {{"データファイル(*.kif)", "*.kif"},
                                 {"すべてのファイル(*.*)", "*.*"}};

// The problem as a sentence, led by its line in the file when one line holds it.
std::string where(const LoadError& e) {
    using namespace saveText;
    return e.line > 0 ? fillText(kAtLine, {std::to_string(e.line), e.message})
                      : fillText(kNoLine, {e.message});
}
}  // namespace

void MainForm::mnuSaveAs_Click() {
    const std::string path =
        pf_.saveFileDialog("ファイルを保存する", kGameFilters, "c:\\", "SaveData.kif");
    if (path.empty() || phase() == Phase::Over) return;
    // The dialog let timers run: take the state as it is now, never half a move.
    const GameState& whole = beforeMove_ ? *beforeMove_ : st;
    if (auto err = writeFileAtomically(path, formatSavedGame(whole)))
        pf_.showError(saveText::fillText(saveText::kSaveFailed, {*err, path}));
}

void MainForm::mnuOpen_Click() {
    const std::string path = pf_.openFileDialog("ファイルを開く", kGameFilters, "c:\\");
    if (path.empty()) return;
    std::string text;
    if (auto err = readFileStart(path, text)) {
        pf_.showError(saveText::fillText(saveText::kReadFailed, {*err, path}));
        return;
    }
    GameState loaded = st;  // nothing changes until the whole file has been checked
    if (auto err = parseSavedGame(text, loaded)) {
        pf_.showError(saveText::fillText(saveText::kNotASavedGame, {where(*err), path}));
        return;
    }
    // A position no rule could reach would trap the game: refuse it now, with the reason.
    if (auto err = findUnplayable(loaded)) {
        pf_.showError(saveText::fillText(saveText::kCannotBePlayed, {where(*err), path}));
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
