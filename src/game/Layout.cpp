// The designed layout of the main window, in pixels of its 991 x 696 client area.
// Nothing here moves at run time: handlers only change pictures, visibility, texts and timers.
#include <cmath>

#include "Model.h"
#include "core/Texts.h"

namespace tavorin {
namespace {

// One row per point, by the player's index j (shown as point j + 1).
// Where a column has two x values, slot 0 (or slot 10) has the first and the others the second.
struct PointRow {
    int triX0, triX1;      // the triangle in the board picture
    int colA0, colA;       // x of slot 0, x of slots 1..9
    int colB10, colB;      // x of slot 10, x of slots 11..19
    int slot0Y;            // y of slots 0 and 10
    int travelX, travelY;  // MM(j) and CM(j)
};
// clang-format off
constexpr PointRow kRows[kPoints] = {
    // triangle    col A      col B      y0   travelling
    {705, 753,   719, 719,  702, 705,  532,  712, 568},  //  1
    {648, 696,   664, 664,  650, 650,  533,  656, 568},  //  2
    {591, 639,   607, 607,  593, 593,  533,  600, 568},  //  3
    {534, 582,   549, 549,  535, 535,  533,  544, 568},  //  4
    {477, 525,   494, 494,  480, 480,  532,  480, 568},  //  5
    {420, 468,   436, 436,  422, 422,  532,  424, 568},  //  6
    {297, 345,   314, 314,  300, 300,  533,  304, 568},  //  7
    {240, 288,   257, 257,  243, 243,  532,  240, 568},  //  8
    {183, 231,   199, 199,  185, 185,  533,  192, 568},  //  9
    {126, 174,   141, 141,  127, 127,  532,  136, 568},  // 10
    { 69, 117,    88,  88,   74,  74,  533,   80, 568},  // 11
    { 12,  60,    28,  28,   14,  14,  532,   24, 568},  // 12
    { 13,  60,    28,  27,   15,  15,   57,   24,   8},  // 13
    { 67, 119,    84,  83,   71,  71,   57,   80,   8},  // 14
    {126, 174,   140, 139,  127, 127,   56,  136,   8},  // 15
    {181, 233,   198, 197,  185, 185,   55,  192,   8},  // 16
    {240, 288,   256, 255,  243, 243,   55,  248,   8},  // 17
    {295, 347,   313, 312,  300, 300,   55,  304,   8},  // 18
    {421, 468,   437, 436,  424, 424,   56,  424,   8},  // 19
    {475, 527,   492, 491,  479, 479,   56,  488,   8},  // 20
    {534, 582,   549, 548,  536, 536,   56,  544,   8},  // 21
    {589, 641,   606, 605,  593, 593,   56,  600,   8},  // 22
    {648, 696,   664, 663,  651, 651,   55,  656,   8},  // 23
    {703, 755,   721, 720,  708, 708,   56,  712,   8},  // 24
};
// How far slots 0..9 (and 10..19) lie from slot 0 (slot 10) towards the middle of the board.
constexpr int kBottomRise[10]  = {0, 24, 49, 73, 97, 121, 145, 169, 193, 217};
constexpr int kTopDropA[10]    = {0, 22, 46, 69, 92, 116, 139, 162, 186, 209};
constexpr int kTopDropB[10]    = {0, 23, 46, 69, 92, 115, 138, 161, 185, 208};

// Side slots: members 0..9 form the first column, 10..19 the second; {x, y} of each member.
struct XY { int x, y; };
constexpr XY kMED[kSideSlots] = {
    {384, 324}, {384, 346}, {384, 369}, {384, 391}, {384, 413},
    {384, 436}, {384, 458}, {384, 480}, {384, 503}, {384, 525},
    {362, 322}, {362, 344}, {362, 367}, {362, 389}, {362, 412},
    {362, 434}, {362, 457}, {362, 479}, {362, 502}, {362, 524},
};
constexpr XY kCPUD[kSideSlots] = {
    {384, 266}, {384, 240}, {384, 222}, {384, 196}, {384, 173},
    {384, 153}, {384, 125}, {384, 102}, {384,  75}, {384,  55},
    {365, 279}, {365, 254}, {365, 229}, {365, 204}, {365, 179},
    {365, 154}, {365, 129}, {365, 104}, {365,  79}, {366,  55},
};
constexpr XY kUPM[kSideSlots] = {
    {800,  54}, {800,  77}, {800, 100}, {800, 123}, {800, 147},
    {800, 170}, {800, 193}, {800, 216}, {800, 239}, {800, 262},
    {788,  54}, {788,  80}, {788, 103}, {788, 128}, {788, 153},
    {788, 177}, {788, 202}, {788, 227}, {788, 251}, {788, 276},
};
constexpr XY kUPC[kSideSlots] = {
    {798, 532}, {798, 506}, {798, 479}, {798, 453}, {798, 427},
    {798, 400}, {798, 374}, {798, 348}, {798, 321}, {799, 295},
    {787, 531}, {787, 505}, {787, 480}, {787, 454}, {787, 429},
    {787, 403}, {787, 378}, {787, 352}, {787, 327}, {787, 301},
};

constexpr XY kDICE[kDiceSlots] = {{876, 55}, {876, 129}, {878, 255}, {876, 276}};
// clang-format on

constexpr Size kSlotDesign{23, 22};  // a board or side slot before it shows a picture

Rect placeSlot(int j, int k) {
    const PointRow& p = kRows[j];
    const bool top = j >= 12;
    const bool colB = k >= 10;
    const int r = k % 10;
    int x = colB ? (r == 0 ? p.colB10 : p.colB) : (r == 0 ? p.colA0 : p.colA);
    int y = top ? p.slot0Y + (colB ? kTopDropB[r] : kTopDropA[r]) : p.slot0Y - kBottomRise[r];
    return {x, y, kSlotDesign.w, kSlotDesign.h};
}

template <size_t N>
void placeSide(std::array<Image, N>& arr, const XY (&xy)[N]) {
    for (size_t k = 0; k < N; ++k)
        arr[k].rect = {xy[k].x, xy[k].y, kSlotDesign.w, kSlotDesign.h};
}

}  // namespace

XRange triangleX(int j) {
    return {kRows[j].triX0, kRows[j].triX1};
}

MainModel::MainModel() {
    for (int j = 0; j < kPoints; ++j) {
        for (int k = 0; k < kSlotsPerPoint; ++k)
            PLACE[kSlotsPerPoint * j + k].rect = placeSlot(j, k);
        const PointRow& p = kRows[j];
        MM[j].rect = {p.travelX, p.travelY, 32, 32};
        MM[j].pic = Pic::CheckerM;
        CM[j].rect = {p.travelX, p.travelY, 32, 32};
        CM[j].pic = Pic::CheckerC;
        const int centre = (p.triX0 + p.triX1 + 1) / 2;  // outline centred on the triangle
        Shape1[j].rect = {centre - 20, j >= 12 ? 50 : 308, 41, 250};
    }
    placeSide(MED, kMED);
    placeSide(CPUD, kCPUD);
    placeSide(UPM, kUPM);
    placeSide(UPC, kUPC);
    for (int d = 0; d < kDiceSlots; ++d)
        DICE[d].rect = {kDICE[d].x, kDICE[d].y, 67, 65};
    saiY.rect = {119, 498, 97, 109};
    saiC.rect = {659, 492, 97, 112};

    // Picture holders: never seen.
    for (int v = 0; v < 7; ++v) {
        SAIKORO[v].rect = {40 + 100 * (v % 4), 380 + 120 * (v / 4), 67, 65};
        SAIKORO[v].visible = false;
        SAIKORO[v].setPicture(dieFace(v));
    }
    komaM = {{766, 15, 32, 32}, false, Pic::CheckerM};
    komaC = {{811, 18, 32, 32}, false, Pic::CheckerC};
    KARA = {{880, 64, 32, 32}, true, Pic::Blank};
    BA = {{0, 0, 1000, 700}, false, Pic::Board};

    const LabelFont georgia{"Georgia", 18, false};
    Label1 = {{22, 602, 734, 39}, true, "", georgia};
    Label2 = {{16, 648, 734, 39}, true, "", georgia};
    Label3 = {{864, 272, 105, 33}, true, "", {"ＭＳ Ｐゴシック", 26.25, true}};

    // In menu-bar order; parent is the index of the menu an item drops from.
    const Texts& t = texts();
    menu = {
        {MenuId::mnuFile, t.menuFile, "", -1},
        {MenuId::mnuNew, t.menuNew, "Ctrl+N", 0},
        {MenuId::mnuSaveAs, t.menuSaveAs, "", 0},
        {MenuId::mnuOpen, t.menuOpen, "Ctrl+O", 0},
        {MenuId::mnu0, t.menuSeparator, "", 0},
        {MenuId::mnuEnd, t.menuEnd, "Ctrl+X", 0},
        {MenuId::memEdit, t.menuEdit, "", -1},
        {MenuId::menCansel, t.menuCancel, "Ctrl+C", 6},
        {MenuId::mnuOption, t.menuOption, "", -1},
        {MenuId::mnuBGM, t.menuBgm, "", 8},
        {MenuId::menBGMPlay, t.menuBgmPlay, "Ctrl+P", 9},
        {MenuId::mnuBGMStop, t.menuBgmStop, "Ctrl+S", 9},
        {MenuId::mnuMselect, t.menuBgmSelect, "Ctrl+D", 9},
        {MenuId::mnuVersion, t.menuVersion, "", -1},
        {MenuId::Version, t.version, "", 13},
    };
}

}  // namespace tavorin
