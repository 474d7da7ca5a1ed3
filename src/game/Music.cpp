// The background music: three media commands naming the file, and a watchdog that loops it.
#include <algorithm>
#include <cctype>

#include "MainForm.h"
#include "core/Texts.h"

namespace tavorin {

namespace {
FilterList musicFilters() {
    return {{std::string(texts().musicFiles), "*.mp3"}, {std::string(texts().allFiles), "*.*"}};
}
}  // namespace

void MainForm::bgmPlay(const std::string& name) {
    pf_.sound.musicPlay(name);
}

void MainForm::bgmClose(const std::string& name) {
    pf_.sound.musicClose(name);
}

// The answer fits a buffer of 20 characters and is compared in upper case.
std::string MainForm::bgmMode(const std::string& name) {
    std::string answer = pf_.sound.musicMode(name).substr(0, 19);
    answer = answer.substr(0, answer.find('\0'));
    std::transform(answer.begin(), answer.end(), answer.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return answer;
}

void MainForm::Timer4_Timer() {
    if (bgmMode(st.bgmFile) == "STOPPED") {  // played to its end: again from the beginning
        bgmClose(st.bgmFile);
        bgmPlay(st.bgmFile);
    }
}

void MainForm::menBGMPlay_Click() {
    ui.Timer4.setEnabled(true);
    bgmPlay(st.bgmFile);
}

void MainForm::mnuBGMStop_Click() {
    ui.Timer4.setEnabled(false);
    bgmClose(st.bgmFile);
}

void MainForm::mnuMselect_Click() {
    const std::string name =
        pf_.dialogs.openFileDialog(std::string(texts().openTitle), musicFilters(), "c:\\");
    if (!name.empty()) {
        ui.Timer4.setEnabled(false);
        bgmClose(st.bgmFile);
        st.bgmFile = name;
        ui.Timer4.setEnabled(true);
        bgmPlay(st.bgmFile);
    }
    bgmPlay(st.bgmFile);  // after a cancel while stopped, the file plays once
}

}  // namespace tavorin
