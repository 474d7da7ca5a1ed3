// Save As and Open: the game record to and from a small text file.
#include "MainForm.h"
#include "io/SaveFile.h"

namespace tavorin {

namespace {
const FilterList kGameFilters = {{"データファイル(*.kif)", "*.kif"},
                                 {"すべてのファイル(*.*)", "*.*"}};
}  // namespace

void MainForm::mnuSaveAs_Click() {
    const std::string path =
        pf_.saveFileDialog("ファイルを保存する", kGameFilters, "c:\\", "SaveData.kif");
    if (path.empty() || gameOver_) return;
    // The dialog let timers run: take the state as it is now, never half a move.
    const GameState& whole = beforeMove_ ? *beforeMove_ : st;
    if (auto err = writeFileAtomically(path, formatSavedGame(whole)))
        pf_.showError("The game could not be saved to \"" + path + "\": " + *err);
}

void MainForm::mnuOpen_Click() {
    const std::string path = pf_.openFileDialog("ファイルを開く", kGameFilters, "c:\\");
    if (path.empty()) return;
    std::string text;
    if (auto err = readWholeFile(path, text)) {
        pf_.showError("The file \"" + path + "\" could not be read: " + *err);
        return;
    }
    GameState loaded = st;  // nothing changes until the whole file has been checked
    if (auto err = parseSavedGame(text, loaded)) {
        std::string where = err->line > 0 ? " (line " + std::to_string(err->line) + ")" : "";
        pf_.showError("The file \"" + path + "\" is not a saved game" + where + ": " +
                      err->message);
        return;
    }
    if (loaded.comOff >= 15 || loaded.myOff >= 15) {
        pf_.showError("The file \"" + path +
                      "\" holds a finished game: a side has borne off all its checkers.");
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
