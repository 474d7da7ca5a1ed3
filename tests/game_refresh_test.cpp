// The board redraw from the record, and the derived fields.
#include "core/Texts.h"
#include "support/Fixture.h"

namespace tavorin::test {
namespace {

std::vector<int> slotsShowing(const MainForm& f, Pic pic) {
    std::vector<int> out;
    for (int s = 0; s < 480; ++s)
        if (f.ui.PLACE[s].pic == pic) out.push_back(s);
    return out;
}

std::vector<int> range(std::initializer_list<std::pair<int, int>> spans) {
    std::vector<int> out;
    for (auto [a, b] : spans)
        for (int s = a; s <= b; ++s)
            out.push_back(s);
    return out;
}

TEST_F(GameTest, StartingPositionSlots) {
    placeStartingPosition(st);
    st.diceMoves[0] = 5;
    st.movesLeft = 2;
    FormProbe::refreshBoard(f);
    EXPECT_EQ(slotsShowing(f, Pic::CheckerM), range({{0, 1}, {220, 224}, {320, 322}, {360, 364}}));
    EXPECT_EQ(slotsShowing(f, Pic::CheckerC),
              range({{100, 104}, {140, 142}, {240, 244}, {460, 461}}));
    EXPECT_EQ(slotsShowing(f, Pic::Blank).size(), 480u - 30u);
    for (const auto* side : {&f.ui.MED, &f.ui.CPUD, &f.ui.UPM, &f.ui.UPC})
        for (const Image& slot : *side)
            EXPECT_EQ(slot.pic, Pic::Blank);
    EXPECT_EQ(st.comCanBearOff, 0);
    EXPECT_EQ(st.myCanBearOff, 0);
    EXPECT_EQ(st.comExcess, 0);
    EXPECT_EQ(f.ui.Label2.text, "You can move 5 steps.");
    EXPECT_TRUE(f.ui.Label3.visible);
    EXPECT_EQ(f.ui.Label3.text, " 2 回");
}

TEST_F(GameTest, LabelsOnlyOnThePlayersTurn) {
    for (int16_t ts : {1, 2}) {
        st.turnState = ts;
        f.ui.Label2.text = texts().comsTurn;
        FormProbe::refreshBoard(f);
        EXPECT_EQ(f.ui.Label2.text, texts().comsTurn);
        EXPECT_FALSE(f.ui.Label3.visible);
    }
}

// A zero keeps the blank of its sign, like any number the labels show.
TEST_F(GameTest, ZeroInALabelKeepsItsBlank) {
    st.turnState = PlayerTurn;
    st.movesLeft = 0;
    st.diceMoves[0] = 0;
    FormProbe::refreshBoard(f);
    EXPECT_EQ(f.ui.Label3.text, " 0 回");
    EXPECT_EQ(f.ui.Label2.text, "You can move 0 steps.");
}

TEST_F(GameTest, DerivedFields) {
    struct Case {
        const char* com;
        int comBar, comOff;
        int canBearOff, excess;
    };
    const Case cases[] = {
        {"18:5 19:5 23:5", 0, 0, 1, 0},  // all home
        {"18:5 19:5 23:3", 2, 0, 0, 0},  // on the bar: not yet
        {"17:1 23:14", 0, 0, 0, 0},      // one outside home
        {"23:13", 0, 3, 1, 1},           // 16 in all
        {"23:12", 0, 3, 1, 0},           // exactly 15
        {"", 0, 15, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.com);
        st.comBoard = points(c.com);
        st.comBar = static_cast<int16_t>(c.comBar);
        st.comOff = static_cast<int16_t>(c.comOff);
        FormProbe::refreshBoard(f);
        EXPECT_EQ(st.comCanBearOff, c.canBearOff);
        EXPECT_EQ(st.comExcess, c.excess);
    }
    st.myBoard = points("18:15");
    st.myBar = 1;
    FormProbe::refreshBoard(f);
    EXPECT_EQ(st.myCanBearOff, 0);
    st.myBar = 0;
    FormProbe::refreshBoard(f);
    EXPECT_EQ(st.myCanBearOff, 1);
}

TEST_F(GameTest, SideSlotsAndFullPoints) {
    st.comBar = 2;
    st.myOff = 15;
    st.myBoard = points("7:15");
    FormProbe::refreshBoard(f);
    EXPECT_EQ(f.ui.CPUD[1].pic, Pic::CheckerC);
    EXPECT_EQ(f.ui.CPUD[2].pic, Pic::Blank);
    EXPECT_EQ(f.ui.UPM[14].pic, Pic::CheckerM);
    EXPECT_EQ(f.ui.UPM[15].pic, Pic::Blank);
    EXPECT_EQ(slotsShowing(f, Pic::CheckerM), range({{140, 154}}));
}

// Counts and dice no game can reach, as a loaded file may hold them.
TEST_F(GameTest, OutOfRangeValuesStayInsideTheirSlots) {
    st.myBoard = points("0:30000 23:25");
    st.comBoard = points("0:-5 1:21");
    st.myBar = 999;
    st.comBar = -3;
    st.comOff = 32767;
    st.myOff = -32768;
    st.diceMoves = {0, 7, 99, -1};
    FormProbe::refreshBoard(f);
    EXPECT_EQ(slotsShowing(f, Pic::CheckerM), range({{0, 19}, {460, 479}}));  // 20 each at most
    EXPECT_EQ(slotsShowing(f, Pic::CheckerC), range({{440, 459}}));
    EXPECT_EQ(f.ui.MED[19].pic, Pic::CheckerM);
    EXPECT_EQ(f.ui.CPUD[0].pic, Pic::Blank);
    EXPECT_EQ(f.ui.DICE[0].pic, Pic::None);
    EXPECT_EQ(f.ui.DICE[1].pic, Pic::None);
    EXPECT_EQ(st.comExcess, 1);
}

}  // namespace
}  // namespace tavorin::test
