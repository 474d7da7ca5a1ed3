#pragma once
// A toolkit-free model of the main window: every control with its place, size, picture and
// visibility, the labels, timers and menu items. Handlers change only this model; the real
// window paints it and delivers its events.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "Platform.h"
#include "core/Texts.h"

namespace tavorin {

enum class Pic : unsigned char {
    None,  // shows nothing
    Title,
    Board,
    CheckerM,  // the player's light-green checker
    CheckerC,  // COM's red checker
    Blank,     // fully transparent, 32 x 32
    Die1,
    Die2,
    Die3,
    Die4,
    Die5,
    Die6,
};

// Slot counts of the window: 20 board slots on each of the 24 points, 20 slots in each side
// array (bar and tray of each side), 4 dice.
inline constexpr int kPoints = 24;
inline constexpr int kSlotsPerPoint = 20;
inline constexpr int kPlaceSlots = kPoints * kSlotsPerPoint;
inline constexpr int kSideSlots = 20;
inline constexpr int kDiceSlots = 4;

// The x range of point j's triangle in the board picture (player's index j), both ends in it.
struct XRange {
    int x0, x1;
};
XRange triangleX(int j);

struct Size {
    int w = 0, h = 0;
};
Size pictureSize(Pic p);  // {0, 0} for None
Pic dieFace(int pips);    // Die1..Die6, or None for anything outside 1..6

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    bool contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
};

struct Image {
    Rect rect;  // top-left corner fixed; the size follows the picture given
    bool visible = true;
    Pic pic = Pic::None;

    // Copies the holder's picture into this slot; a slot takes its picture's size.
    void show(const Image& holder) { setPicture(holder.pic); }
    void setPicture(Pic p);
};

struct Shape {
    Rect rect;
    bool visible = true;
};

struct LabelFont {
    std::string family;
    double points = 0;
    bool bold = false;
};

struct Label {
    Rect rect;
    bool visible = true;
    std::string text;
    LabelFont font;
};

class Timer {
public:
    Timer(TimerId id, int intervalMs, bool enabled)
        : id_(id), interval_(intervalMs), enabled_(enabled) {}
    bool enabled() const { return enabled_; }
    int interval() const { return interval_; }
    TimerId id() const { return id_; }
    void setEnabled(bool on);
    void setInterval(int ms);
    void attach(Pacing* p) { pacing_ = p; }

private:
    void notify() const;
    TimerId id_;
    int interval_;
    bool enabled_;
    Pacing* pacing_ = nullptr;
};

enum class MenuId {
    mnuFile,
    mnuNew,
    mnuSaveAs,
    mnuOpen,
    mnu0,
    mnuEnd,
    memEdit,
    menCansel,
    mnuOption,
    mnuBGM,
    menBGMPlay,
    mnuBGMStop,
    mnuMselect,
    mnuVersion,
    Version,
};
constexpr int kMenuCount = 15;

struct MenuItem {
    MenuId id;
    std::string_view caption;  // from the table of texts; '&' marks the access key
    std::string shortcut;      // "Ctrl+N" or ""
    int parent;                // index of the parent item, -1 for a top-level menu
    bool enabled = true;
};

struct MainModel {
    MainModel();

    std::string caption{texts().windowTitle};
    Size clientSize{991, 696};
    Pic background = Pic::Title;

    std::array<Image, kPlaceSlots> PLACE;
    std::array<Image, kSideSlots> MED, CPUD, UPM, UPC;
    std::array<Image, kPoints> MM, CM;
    std::array<Shape, kPoints> Shape1;
    std::array<Image, kDiceSlots> DICE;
    Image saiY, saiC;
    std::array<Image, 7> SAIKORO;
    Image komaM, komaC, KARA, BA;
    Label Label1, Label2, Label3;
    Timer Timer1{TimerId::Timer1, 300, false};
    Timer Timer2{TimerId::Timer2, 300, false};
    Timer Timer3{TimerId::Timer3, 300, false};
    Timer Timer4{TimerId::Timer4, 5, true};
    std::vector<MenuItem> menu;

    Timer& timer(TimerId id);
    MenuItem& item(MenuId id) { return menu[static_cast<int>(id)]; }
    const MenuItem& item(MenuId id) const { return menu[static_cast<int>(id)]; }
    void attach(Pacing* p);
};

}  // namespace tavorin
