// What the windows are: every control with its name, kind, place, starting state and
// caption or picture, in stacking order; the menus; the timers; the three information
// windows. Plain data, read by each front end to build its windows and by the tests.
//
// Places are in twips, the unit the windows were laid out in: 15 twips make one pixel
// at 96 dots per inch.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "board/board.h"
#include "layout/texts.h"
#include "puzzles/catalogue.h"

namespace brindle::layout {

inline constexpr int kTwipsPerPixel = 15;
// Rounded to the nearest pixel, as the layout's values were chosen for.
constexpr int pixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

struct Rect {
    int left, top, width, height;  // twips
    friend bool operator==(const Rect&, const Rect&) = default;
};

enum class Kind {
    Picture,     // shows a picture
    Cell,        // a picture that is a lamp of the board
    Cover,       // the picture over the whole board while the game is stopped
    Segment,     // a picture of the progress bar
    Label,       // a caption
    ClockLabel,  // a caption of the game clock
    Bar,         // the framed panel behind the segments
    Clock,       // the framed panel behind the clock's captions
    PictureBox,  // the framed box of the game-state icon
    Strip,       // a container; its controls' places are relative to it
    Line,        // a horizontal rule, one pixel high, from left to left + width
    CloseArea,   // a transparent label over a whole information window
};

// The pictures a control can show; the front ends hold the pixels. Frame1 .. Puzzle
// are the icon's pictures in the order of the core's Picture (Image1 .. Image8).
enum class Art {
    None,
    Unlit,
    Lit,
    Cover,
    Segment,
    Frame1,
    Frame2,
    Frame3,
    Frame4,
    Frame5,
    Frame6,
    Stopped,
    Puzzle,
    ProgramIcon
};
constexpr Art artOf(int image) {  // Image1 .. Image8
    return static_cast<Art>(static_cast<int>(Art::Frame1) + image - 1);
}
enum class Align { Left, Right };

struct Control {
    std::string_view name;
    Kind kind;
    Rect at;
    bool visible = true;
    std::string_view caption = {};  // UTF-8
    Art art = Art::None;
    Align align = Align::Left;
    int index = 0;  // a cell's row-major index, a segment's number
};

// The board: 25 cells of 750 twips on a 720-twip pitch, so that each overlaps its right
// and lower neighbours by 30 twips (2 pixels), and the cover over exactly the same square.
inline constexpr int kCellPitch = 720;
inline constexpr int kCellSize = 750;
inline constexpr int kBoardSize = (kSide - 1) * kCellPitch + kCellSize;
inline constexpr int kCellPixels = pixels(kCellSize);
inline constexpr int kBoardPixels = pixels(kBoardSize);

constexpr Rect cellRect(Pos p) {
    return {(p.col - 1) * kCellPitch, (p.row - 1) * kCellPitch, kCellSize, kCellSize};
}

// The cells from the topmost down. A lower row lies over the row above; within a row the
// right-hand cell lies over its left neighbour, except that column 1 lies over column 2.
// So each 2-pixel overlap strip belongs to exactly one cell.
inline constexpr std::array<Pos, kCellCount> kCellStacking = {{
    {5, 5}, {5, 4}, {5, 3}, {5, 1}, {5, 2}, {4, 5}, {4, 4}, {4, 3}, {4, 1},
    {4, 2}, {3, 5}, {3, 4}, {3, 3}, {3, 1}, {3, 2}, {2, 5}, {2, 4}, {2, 3},
    {2, 1}, {2, 2}, {1, 5}, {1, 1}, {1, 4}, {1, 3}, {1, 2},
}};

// Which of two overlapping cells is drawn on top: the one higher in the stacking.
constexpr Pos upper(Pos a, Pos b) {
    for (Pos p : kCellStacking) {
        if (p == a || p == b) return p;
    }
    return a;
}

// The board's grid lines, in pixels: where the borders of the cells drawn on top lie.
// The cell pictures and the cover both draw them.
struct GridLines {
    std::array<int, kSide + 1> columns, rows;
};
constexpr GridLines gridLines() {
    GridLines g{};
    const int last = kCellPixels - 1;
    g.columns.front() = g.rows.front() = 0;
    g.columns.back() = g.rows.back() = kBoardPixels - 1;
    for (int k = 1; k < kSide; ++k) {
        // Between column k and k + 1: the upper cell's right or left border.
        const Pos left{1, k}, right{1, k + 1};
        g.columns[std::size_t(k)] = upper(left, right) == left ? pixels(cellRect(left).left) + last
                                                               : pixels(cellRect(right).left);
        const Pos above{k, 1}, below{k + 1, 1};
        g.rows[std::size_t(k)] = upper(above, below) == above ? pixels(cellRect(above).top) + last
                                                              : pixels(cellRect(below).top);
    }
    return g;
}
inline constexpr std::array<int, 2> kCellLines = {0, kCellPixels - 1};

// The progress bar: 13 segments in the panel Process, 180 twips apart.
inline constexpr Rect segmentRect(int n) {
    // pro10 and pro12 sit at 45 twips rather than 40: the same pixel row.
    return {360 + 180 * (n - 1), (n == 10 || n == 12) ? 45 : 40, 150, 225};
}

// The main window's client area below the menu bar.
inline constexpr Rect kMainClient = {0, 0, 3630, 3930};

namespace detail {
constexpr Control cell(std::string_view name, Pos p) {
    return {name, Kind::Cell, cellRect(p), true, {}, Art::Unlit, Align::Left, indexOf(p)};
}
constexpr Control segment(std::string_view name, int n) {
    return {name, Kind::Segment, segmentRect(n), false, {}, Art::Segment, Align::Left, n};
}
constexpr Control image(std::string_view name, int n) {
    return {name, Kind::Picture, {0, 0, 240, 240}, false, {}, artOf(n)};
}
}  // namespace detail

// The controls on the main window's client area, topmost first. The cells follow
// kCellStacking.
inline constexpr std::array kMainControls = {
    Control{"StatusBar", Kind::Strip, {0, 3630, 3615, 375}},
    Control{"Stat", Kind::Label, {720, 120, 255, 255}, false, "1"},
    Control{"Image9", Kind::Cover, {0, 0, kBoardSize, kBoardSize}, false, {}, Art::Cover},
    detail::cell("rc_5_5", {5, 5}),
    detail::cell("rc_5_4", {5, 4}),
    detail::cell("rc_5_3", {5, 3}),
    detail::cell("rc_5_1", {5, 1}),
    detail::cell("rc_5_2", {5, 2}),
    detail::cell("rc_4_5", {4, 5}),
    detail::cell("rc_4_4", {4, 4}),
    detail::cell("rc_4_3", {4, 3}),
    detail::cell("rc_4_1", {4, 1}),
    detail::cell("rc_4_2", {4, 2}),
    detail::cell("rc_3_5", {3, 5}),
    detail::cell("rc_3_4", {3, 4}),
    detail::cell("rc_3_3", {3, 3}),
    detail::cell("rc_3_1", {3, 1}),
    detail::cell("rc_3_2", {3, 2}),
    detail::cell("rc_2_5", {2, 5}),
    detail::cell("rc_2_4", {2, 4}),
    detail::cell("rc_2_3", {2, 3}),
    detail::cell("rc_2_1", {2, 1}),
    detail::cell("rc_2_2", {2, 2}),
    detail::cell("rc_1_5", {1, 5}),
    detail::cell("rc_1_1", {1, 1}),
    detail::cell("rc_1_4", {1, 4}),
    detail::cell("rc_1_3", {1, 3}),
    detail::cell("rc_1_2", {1, 2}),
    Control{"white", Kind::Picture, {0, 2880, 750, 750}, false, {}, Art::Unlit},
    Control{"yellow", Kind::Picture, {720, 2880, 750, 750}, false, {}, Art::Lit},
};

// The controls in the strip StatusBar, topmost first. The hidden Image1 .. Image8 hold
// the icon's pictures; they are never shown, so their places do not matter.
inline constexpr std::array kStatusControls = {
    Control{"Picture1", Kind::PictureBox, {0, 0, 300, 300}, true, {}, Art::Frame1},
    detail::segment("pro13", 13),
    detail::segment("pro12", 12),
    detail::segment("pro11", 11),
    detail::segment("pro10", 10),
    detail::segment("pro9", 9),
    detail::segment("pro8", 8),
    detail::segment("pro7", 7),
    detail::segment("pro6", 6),
    detail::segment("pro5", 5),
    detail::segment("pro4", 4),
    detail::segment("pro3", 3),
    detail::segment("pro2", 2),
    detail::segment("pro1", 1),
    Control{"Label3", Kind::ClockLabel, {3240, 40, 255, 255}, true, "0"},
    Control{"Label2", Kind::Label, {3120, 40, 135, 375}, true, ":"},
    Control{"Label1", Kind::ClockLabel, {2760, 40, 255, 255}, true, "0", Art::None, Align::Right},
    Control{"Time", Kind::Clock, {2745, 0, 855, 300}},
    Control{"Process", Kind::Bar, {315, 0, 2415, 300}},
    detail::image("Image8", 8),
    detail::image("Image7", 7),
    detail::image("Image1", 1),
    detail::image("Image2", 2),
    detail::image("Image3", 3),
    detail::image("Image4", 4),
    detail::image("Image5", 5),
    detail::image("Image6", 6),
};

// The box of the game-state icon: a 20-pixel square whose border leaves exactly the
// 16 x 16 pictures inside; and the keyboard's marker, drawn this far inside a cell.
inline constexpr int kIconPixels = 16;
inline constexpr int kIconFrame = (pixels(300) - kIconPixels) / 2;
inline constexpr int kMarkerInset = 4;

// The six timers of the icon's ring (ring 1 .. 6) and the game clock (ring 0). The
// game's state says which run; start-up starts Timer1 and the clock.
struct Timer {
    std::string_view name;
    int intervalMs;
    int ring;
};
inline constexpr std::array kTimers = {
    Timer{"Timer1", 200, 1},  Timer{"Timer2", 200, 2}, Timer{"Timer3", 200, 3},
    Timer{"Timer4", 200, 4},  Timer{"Timer5", 200, 5}, Timer{"Timer6", 200, 6},
    Timer{"Timer7", 1000, 0},
};

// The menu bar, each entry after its parent and in its order there. A command entry
// carries what it does; a load entry's caption is its catalogue entry's.
enum class Entry { Menu, Command, Separator };
enum class Does {
    Nothing,   // a menu or a separator
    NewGame,   // enabled while the game's GameNew is
    AskStop,   // enabled while the game's GameStop is; shows the stop box
    Load,      // loads PuzzleCatalogue[index]
    ShowInfo,  // shows kInfoWindows[index]
};
struct MenuEntry {
    std::string_view name, parent;  // the menu bar is the parent ""
    std::string_view caption;
    Entry kind = Entry::Command;
    Does does = Does::Nothing;
    int index = 0;
};
namespace detail {
constexpr MenuEntry load(int i, std::string_view parent) {
    const Puzzle& p = PuzzleCatalogue[std::size_t(i)];
    return {p.menuName, parent, p.caption, Entry::Command, Does::Load, i};
}
constexpr MenuEntry menu(std::string_view name, std::string_view parent, std::string_view caption) {
    return {name, parent, caption, Entry::Menu};
}
constexpr MenuEntry info(std::string_view name, std::string_view caption, int i) {
    return {name, "Help", caption, Entry::Command, Does::ShowInfo, i};
}
}  // namespace detail
inline constexpr std::array kMenus = {
    detail::menu("Game", "", text::kGame),
    MenuEntry{"GameNew", "Game", text::kGameNew, Entry::Command, Does::NewGame},
    MenuEntry{"GameStop", "Game", text::kGameStop, Entry::Command, Does::AskStop},
    detail::menu("Load", "", text::kLoad),
    detail::load(0, "Load"),
    detail::menu("LoadDem", "Load", text::kLoadDem),
    detail::load(1, "LoadDem"),
    detail::load(2, "LoadDem"),
    detail::load(3, "LoadDem"),
    detail::load(4, "LoadDem"),
    detail::load(5, "LoadDem"),
    detail::load(6, "LoadDem"),
    detail::load(7, "LoadDem"),
    detail::load(8, "LoadDem"),
    detail::load(9, "LoadDem"),
    detail::load(10, "LoadDem"),
    detail::load(11, "LoadDem"),
    detail::load(12, "LoadDem"),
    detail::load(13, "LoadDem"),
    detail::load(14, "LoadDem"),
    detail::load(15, "LoadDem"),
    detail::menu("Help", "", text::kHelp),
    detail::info("HelpHowToPlay", text::kHelpHowToPlay, 0),
    detail::info("HelpPro", text::kHelpPro, 1),
    MenuEntry{"HelpLine1", "Help", {}, Entry::Separator},
    detail::info("HelpAuhtor", text::kHelpAuhtor, 2),
};

// The information windows of the Help menu. Each is a client area and its controls,
// topmost first; the first is the close area over the whole window.
struct InfoWindow {
    std::string_view name, command, caption;
    Rect client;
    std::span<const Control> controls;
};

namespace detail {
inline constexpr Control kIcon{"Image1", Kind::Picture,   {120, 120, 720, 720}, true,
                               {},       Art::ProgramIcon};
inline constexpr Control kHeading{
    "Label1", Kind::Label, {960, 120, 2655, 255}, true, text::kHeading};
inline constexpr Control kRule{"Line1", Kind::Line, {960, 360, 4440 - 960, 0}};

inline constexpr std::array kHowToPlayControls = {
    Control{"Label4", Kind::CloseArea, {0, 0, 4935, 1815}},
    Control{"Label3", Kind::Label, {960, 960, 3495, 615}, true, text::kHowToPlayRule},
    Control{"Label2", Kind::Label, {960, 480, 3495, 495}, true, text::kHowToPlayGoal},
    kRule,
    kHeading,
    kIcon,
};
inline constexpr std::array kAproControls = {
    Control{"Label8", Kind::CloseArea, {0, 0, 4695, 4455}},
    Control{"Label7", Kind::Label, {960, 3360, 3615, 855}, true, text::kAproBar},
    Control{"Label6", Kind::Label, {1320, 3000, 3135, 255}, true, text::kStoppedLegend},
    Control{"Image4", Kind::Picture, {960, 3000, 240, 240}, true, {}, Art::Stopped},
    Control{"Label5", Kind::Label, {1320, 2760, 3135, 255}, true, text::kPuzzleLegend},
    Control{"Image3", Kind::Picture, {960, 2760, 240, 240}, true, {}, Art::Puzzle},
    Control{"Label4", Kind::Label, {1320, 2520, 3135, 255}, true, text::kRunningLegend},
    Control{"Image2", Kind::Picture, {960, 2520, 240, 240}, true, {}, Art::Frame1},
    Control{"Label3", Kind::Label, {960, 1800, 3495, 615}, true, text::kAproStatus},
    kRule,
    kIcon,
    kHeading,
    Control{"Label2", Kind::Label, {960, 480, 3495, 1215}, true, text::kAproMenus},
};
inline constexpr std::array kAboutControls = {
    Control{"Label4", Kind::CloseArea, {0, 0, 4935, 1215}},
    Control{"Label3", Kind::Label, {960, 720, 3495, 255}, true, text::kAboutMaker},
    Control{"Label2", Kind::Label, {960, 480, 3495, 255}, true, text::kAboutAuthor},
    kRule,
    kHeading,
    kIcon,
};
}  // namespace detail

inline constexpr std::array<InfoWindow, 3> kInfoWindows = {{
    {"howtoplay",
     "HelpHowToPlay",
     text::kHowToPlayCaption,
     {0, 0, 4875, 1785},
     detail::kHowToPlayControls},
    {"apro", "HelpPro", text::kAproCaption, {0, 0, 4680, 4380}, detail::kAproControls},
    {"about", "HelpAuhtor", text::kAboutCaption, {0, 0, 4875, 1170}, detail::kAboutControls},
}};

}  // namespace brindle::layout
