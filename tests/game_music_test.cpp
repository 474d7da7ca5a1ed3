// The background music: the watchdog that loops it, Play, Stop and the track choice.
#include "support/Fixture.h"

namespace tavorin::test {
namespace {

class MusicTest : public GameTest {
protected:
    void SetUp() override { pf.musicLengthMs = 1000; }
};

TEST_F(MusicTest, WatchdogQueriesEachTickAndRestartsOnlyAtTheEnd) {
    EXPECT_EQ(pf.count("play bgm1.mp3"), 1);
    pf.runFor(500);
    EXPECT_EQ(pf.count("mode bgm1.mp3"), 100);  // every 5 ms until New Game
    EXPECT_EQ(pf.count("close bgm1.mp3"), 0);
    pf.runFor(505);  // the file has played to its end
    EXPECT_EQ(pf.count("close bgm1.mp3"), 1);
    EXPECT_EQ(pf.count("play bgm1.mp3"), 2);
    pf.clearCalls();
    command(MenuId::mnuNew);
    pf.runFor(1000);
    EXPECT_EQ(pf.count("mode bgm1.mp3"), 10);  // every 100 ms from New Game on
}

TEST_F(MusicTest, StopThenNewGameKeepsItOffUntilPlay) {
    command(MenuId::mnuBGMStop);
    EXPECT_FALSE(f.ui.Timer4.enabled());
    EXPECT_EQ(pf.count("close bgm1.mp3"), 1);
    pf.clearCalls();
    pf.runFor(2000);
    EXPECT_EQ(pf.count("mode bgm1.mp3"), 0);
    command(MenuId::mnuNew);
    pf.runFor(3000);
    EXPECT_GT(pf.count("mode bgm1.mp3"), 0);  // the watchdog runs again, finds nothing open
    EXPECT_EQ(pf.count("play bgm1.mp3"), 0);
    command(MenuId::menBGMPlay);
    EXPECT_TRUE(f.ui.Timer4.enabled());
    EXPECT_EQ(pf.count("play bgm1.mp3"), 1);
    pf.runFor(1100);
    EXPECT_EQ(pf.count("play bgm1.mp3"), 2);  // looping again
}

TEST_F(MusicTest, ChoosingATrackReplacesTheMusicForTheRun) {
    pf.dialogAnswers = {"/music/other.mp3"};
    command(MenuId::mnuMselect);
    ASSERT_EQ(pf.dialogs.size(), 1u);
    EXPECT_EQ(
        pf.dialogs[0],
        "open ファイルを開く [音楽ファイル(*.mp3)|*.mp3] [すべてのファイル(*.*)|*.*] in c:\\");
    EXPECT_EQ(st.bgmFile, "/music/other.mp3");
    EXPECT_EQ(pf.count("close bgm1.mp3"), 1);
    EXPECT_EQ(pf.count("play /music/other.mp3"), 2);  // the play command comes twice
    pf.runFor(1100);
    EXPECT_EQ(pf.count("close /music/other.mp3"), 1);  // it loops
    EXPECT_EQ(pf.count("play /music/other.mp3"), 3);
}

TEST_F(MusicTest, CancelledChoiceWhileStoppedPlaysOnceWithoutLooping) {
    command(MenuId::mnuBGMStop);
    pf.dialogAnswers = {""};
    command(MenuId::mnuMselect);
    EXPECT_EQ(st.bgmFile, "bgm1.mp3");
    EXPECT_FALSE(f.ui.Timer4.enabled());
    EXPECT_EQ(pf.count("play bgm1.mp3"), 2);
    pf.runFor(5000);
    EXPECT_EQ(pf.count("play bgm1.mp3"), 2);
}

TEST_F(MusicTest, AnUnplayableChoiceStaysSilent) {
    pf.unreadable = {"/music/broken.mp3"};
    pf.dialogAnswers = {"/music/broken.mp3"};
    command(MenuId::mnuMselect);
    pf.clearCalls();
    pf.runFor(2000);
    EXPECT_EQ(pf.count("mode /music/broken.mp3"), 400);
    EXPECT_EQ(pf.count("play /music/broken.mp3"), 0);
    EXPECT_EQ(pf.count("close /music/broken.mp3"), 0);
}

}  // namespace
}  // namespace tavorin::test
