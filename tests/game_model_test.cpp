// The designed window: places, sizes, pictures and the state after start-up.
#include "support/Fixture.h"

namespace tavorin::test {
namespace {

TEST(Layout, SlotsFollowTheDesignedColumns) {
    const MainModel m;
    struct Case {
        int slot, x, y;
    };
    const Case cases[] = {
        {0, 719, 532},           {1, 719, 508},           {9, 719, 315},
        {10, 702, 532},          {11, 705, 508},          {20 * 12, 28, 57},
        {20 * 12 + 1, 27, 79},   {20 * 12 + 10, 15, 57},  {20 * 12 + 19, 15, 265},
        {20 * 23 + 9, 720, 265}, {20 * 11 + 10, 14, 532},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slot);
        EXPECT_EQ(m.PLACE[c.slot].rect.x, c.x);
        EXPECT_EQ(m.PLACE[c.slot].rect.y, c.y);
        EXPECT_EQ(m.PLACE[c.slot].rect.w, 23);
    }
    EXPECT_EQ(m.MED[9].rect.y, 525);
    EXPECT_EQ(m.CPUD[19].rect.x, 366);
    EXPECT_EQ(m.UPC[9].rect.x, 799);
    EXPECT_EQ(m.MM[15].rect.x, 192);
    EXPECT_EQ(m.CM[0].rect.y, 568);
    EXPECT_EQ(m.Shape1[0].rect.y, 308);
    EXPECT_EQ(m.Shape1[23].rect.y, 50);
}

TEST(Layout, ShapesAreCentredOnTheirTriangles) {
    const MainModel m;
    // Point 1's triangle spans x 705..753, point 13's 13..60.
    EXPECT_NEAR(m.Shape1[0].rect.x + 20.5, (705 + 753) / 2.0, 3);
    EXPECT_NEAR(m.Shape1[12].rect.x + 20.5, (13 + 60) / 2.0, 3);
    EXPECT_EQ(m.Shape1[5].rect.w, 41);
    EXPECT_EQ(m.Shape1[5].rect.h, 250);
}

TEST(Layout, ImageTakesItsPicturesSizeKeepingItsCorner) {
    MainModel m;
    m.DICE[0].show(m.SAIKORO[6]);
    EXPECT_EQ(m.DICE[0].rect.x, 876);
    EXPECT_EQ(m.DICE[0].rect.w, 92);
    EXPECT_EQ(m.DICE[0].rect.h, 109);
    m.DICE[0].show(m.SAIKORO[0]);  // no picture: shows nothing
    EXPECT_EQ(m.DICE[0].pic, Pic::None);
    m.PLACE[3].show(m.KARA);
    EXPECT_EQ(m.PLACE[3].rect.w, 32);
    EXPECT_EQ(m.PLACE[3].rect.h, 32);
}

TEST(Layout, MenuItemsInOrderWithShortcuts) {
    const MainModel m;
    ASSERT_EQ(m.menu.size(), 15u);
    EXPECT_EQ(m.item(MenuId::mnuNew).caption, "新規ゲーム(&N)");
    EXPECT_EQ(m.item(MenuId::mnuNew).shortcut, "Ctrl+N");
    EXPECT_EQ(m.item(MenuId::mnuSaveAs).shortcut, "");
    EXPECT_EQ(m.item(MenuId::mnuBGMStop).shortcut, "Ctrl+S");
    EXPECT_EQ(m.item(MenuId::mnu0).caption, std::string(21, '-'));
    EXPECT_EQ(m.item(MenuId::Version).caption, "Version 8.0 ( 2016/03/10)");
    EXPECT_EQ(m.item(MenuId::mnuMselect).parent, static_cast<int>(MenuId::mnuBGM));
}

TEST_F(GameTest, StartUpShowsOnlyTheTitle) {
    EXPECT_EQ(f.ui.background, Pic::Title);
    EXPECT_FALSE(f.ui.Label3.visible);
    for (int k = 0; k < 24; ++k) {
        EXPECT_FALSE(f.ui.Shape1[k].visible);
        EXPECT_FALSE(f.ui.MM[k].visible);
        EXPECT_FALSE(f.ui.CM[k].visible);
    }
    for (const Image& slot : f.ui.PLACE)
        EXPECT_EQ(slot.pic, Pic::None);
    EXPECT_FALSE(f.ui.item(MenuId::mnuSaveAs).enabled);
    EXPECT_FALSE(f.ui.item(MenuId::menCansel).enabled);
    EXPECT_TRUE(f.ui.item(MenuId::mnuNew).enabled);
    EXPECT_TRUE(f.ui.item(MenuId::mnuOpen).enabled);
    EXPECT_TRUE(f.ui.Timer4.enabled());
    EXPECT_EQ(f.ui.Timer4.interval(), 5);
    EXPECT_EQ(st.bgmFile, "bgm1.mp3");
    EXPECT_FALSE(st.movesLeft.hasValue());
}

TEST_F(GameTest, HyphenRowAndVersionLineDoNothing) {
    const GameState before = st;
    command(MenuId::mnu0);
    command(MenuId::Version);
    EXPECT_EQ(st, before);
    EXPECT_TRUE(pf.errors.empty());
}

}  // namespace
}  // namespace tavorin::test
