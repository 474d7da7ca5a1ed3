// The table of texts: a few of its entries pinned to the byte, and the filling of its patterns.
#include <gtest/gtest.h>

#include "core/NumberText.h"
#include "core/Texts.h"

namespace tavorin::test {
namespace {

// What the user reads must not change by accident: the labels' double blanks and marks, the
// menus' access keys, and the Japanese of the dialogs.
TEST(Texts, PinnedToTheByte) {
    const Texts& t = texts();
    const std::pair<std::string_view, std::string_view> cases[] = {
        {t.windowTitle, "TAVORIN"},
        {t.menuNew, "新規ゲーム(&N)"},
        {t.menuCancel, "移動キャンセル(&C)"},
        {t.yourTurnFirst, "YOUR TURN"},
        {t.yourTurn, "YOUR TURN."},
        {t.refused, "You can not move it !!"},
        {t.youBoreOff, "Your peace one up !!"},
        {t.saveTitle, "ファイルを保存する"},
        {t.gameFiles, "データファイル(*.kif)"},
        {t.restartFailed, "TAVORIN could not be started again for a new game."},
        {t.saveFailed, "The game could not be saved.\n%1\n\n%2"},
    };
    for (const auto& [text, pinned] : cases)
        EXPECT_EQ(text, pinned);
}

TEST(Texts, FillPutsTheValuesInOrder) {
    const Texts& t = texts();
    const std::pair<std::string, std::string_view> cases[] = {
        {fillText(t.comMoved, {numberText(19), numberText(16)}), "COM moved  19 to  16"},
        {fillText(t.comEntered, {numberText(22)}), "COM moved  to  22"},
        {fillText(t.comBoreOff, {numberText(4)}), "COM moved  4 to  UP"},
        {fillText(t.youEntered, {numberText(3)}), "You moved DOWN  to  3"},
        {fillText(t.movesLeft, {numberText(0)}), " 0 回"},
        {fillText(t.stepsToMove, {numberText(5)}), "You can move 5 steps."},
        {fillText(t.atLine, {"7", "%1 stays"}), "Line 7: %1 stays."},  // values are not patterns
        {fillText("%1 and %3", {"a"}), "a and %3"},                    // a missing value stays
    };
    for (const auto& [filled, expected] : cases)
        EXPECT_EQ(filled, expected);
}

}  // namespace
}  // namespace tavorin::test
