// The bitmap resources as character pictures, turned into 24-bit bottom-up BGR images on request.
//
// A resource is a ground with layers of small pictures over it, so parts shared by several
// buttons (padlock, dashed frame, grid, swatch, pin) are drawn once.
//
// Sections: palette; pictures (application and mode icons, padlocks, selection, triangles, grids,
// swatches, view options, mesh toggles, chevrons, cursor pointer and its badges); the resource
// table; lookup.
#include "resources/bitmaps.h"

#include <cstddef>
#include <utility>

namespace {

// ---- Palette ----

struct PaletteEntry {
    char key;
    std::uint8_t red, green, blue;
};

constexpr PaletteEntry kPalette[] = {
    {'.', 0, 0, 0},       // black; under the cursor blend it leaves the frame unchanged
    {'W', 255, 255, 255}, // white
    {'w', 200, 200, 200}, // light grey
    {'R', 190, 32, 32},   // red ground
    {'r', 110, 16, 16},   // dark red edge
    {'B', 48, 88, 200},   // blue ground
    {'b', 20, 40, 120},   // dark blue edge
    {'Y', 240, 200, 60},  // yellow: selection ground, padlock body, stars
    {'y', 160, 120, 20},  // dark yellow edge and shade
    {'G', 40, 150, 60},   // green ground
    {'g', 15, 80, 25},    // dark green edge
    {'P', 118, 62, 160},  // purple ground
    {'p', 60, 28, 90},    // dark purple edge
    {'T', 28, 140, 140},  // teal ground
    {'t', 10, 72, 72},    // dark teal edge
    {'K', 58, 58, 64},    // dark ground
    {'k', 28, 28, 32},    // darkest edge
    {'m', 150, 150, 150}, // mid grey
    {'n', 95, 95, 95},    // dark grey
    {'V', 60, 220, 60},   // vivid green: pins, ticks, plus sign
    {'C', 100, 170, 255}, // light blue
    {'O', 235, 140, 40},  // orange
};

// In a layer, keeps the pixel of whatever lies underneath.
constexpr char kClear = ' ';

constexpr const PaletteEntry* paletteEntry(char key) {
    for (const PaletteEntry& e : kPalette)
        if (e.key == key) return &e;
    return nullptr;
}

// ---- Pictures ----

// One picture row per line, top row first.
// clang-format off
// 100: the application icon, a faceted triangle with its corners marked
constexpr const char* kAppIcon[] = {
    "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb",
    "bbbbbbbbbbbbbbYYYYbbbbbbbbbbbbbb",
    "bbbbbbbbbbbbbbYYYYbbbbbbbbbbbbbb",
    "bbbbbbbbbbbbbbYYYYbbbbbbbbbbbbbb",
    "bbbbbbbbbbbbbbYYYYbbbbbbbbbbbbbb",
    "bbbbbbbbbbbbbbWWWWbbbbbbbbbbbbbb",
    "bbbbbbbbbbbbbWWWWWWbbbbbbbbbbbbb",
    "bbbbbbbbbbbbbWWWWWWbbbbbbbbbbbbb",
    "bbbbbbbbbbbbWWBWWwWbbbbbbbbbbbbb",
    "bbbbbbbbbbbbWBBWWwWWbbbbbbbbbbbb",
    "bbbbbbbbbbbWWBBWWwwWbbbbbbbbbbbb",
    "bbbbbbbbbbbWBBBWWwwWWbbbbbbbbbbb",
    "bbbbbbbbbbWWBBBWWwwwWbbbbbbbbbbb",
    "bbbbbbbbbbWBBBBWWwwwWWbbbbbbbbbb",
    "bbbbbbbbbWWBBBBWWwwwwWbbbbbbbbbb",
    "bbbbbbbbbWBBBBBWWwwwwWWbbbbbbbbb",
    "bbbbbbbbWWBBBBBWWwwwwwWbbbbbbbbb",
    "bbbbbbbbWBBBBBBWWwwwwwWWbbbbbbbb",
    "bbbbbbbWWBBBBBYYYYwwwwwWbbbbbbbb",
    "bbbbbbbWBBBBBBYYYYwwwwwWWbbbbbbb",
    "bbbbbbWWBBBBBBYYYYwwwwwwWbbbbbbb",
    "bbbbbbWBBBBBWWYYYYWWwwwwWWbbbbbb",
    "bbbbbWWBBBBWWRRRRRWWWwwwwWbbbbbb",
    "bbbbWWBBBWWWRRRRRRRRWWWwwWWbbbbb",
    "bbbbWWBWWWRRRRRRRRRRRWWWwWWbbbbb",
    "bbbWWBWWRRRRRRRRRRRRRRRWWWWWbbbb",
    "bYYYYWWRRRRRRRRRRRRRRRRRWWYYYYbb",
    "bYYYYWWWWWWWWWWWWWWWWWWWWWYYYYbb",
    "bYYYYWWWWWWWWWWWWWWWWWWWWWYYYYbb",
    "bYYYYbbbbbbbbbbbbbbbbbbbbbYYYYbb",
    "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb",
    "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb",
};

// 124: an eye-like triangle on blue
constexpr const char* kViewMenuIcon[] = {
    "bbbbbbbbbbbbbbbb",
    "bBBBBBBBBBBBBBBb",
    "bBBBBBBBBBBBBBBb",
    "bBBBBBBBBBBBBBBb",
    "bBBWWWWWWWWWWBBb",
    "bBBBWWWbbWWWBBBb",
    "bBBBWWWbbWWWBBBb",
    "bBBBBWWWWWWBBBBb",
    "bBBBBBWWWWBBBBBb",
    "bBBBBBWWWWBBBBBb",
    "bBBBBBBWWBBBBBBb",
    "bBBBBBBBBBBBBBBb",
    "bBBBBBBBBBBBBBBb",
    "bBBBBBBBBBBBBBBb",
    "bBBBBBBBBBBBBBBb",
    "bbbbbbbbbbbbbbbb",
};
// 131: four arrows from a centre on red
constexpr const char* kMoveIcon[] = {
    "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr",
    "rRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRr",
    "rRRRRRRRRRRRRR....RRRRRRRRRRRRRr",
    "rRRRRRRRRRRRR..WW..RRRRRRRRRRRRr",
    "rRRRRRRRRRRR..WWWW..RRRRRRRRRRRr",
    "rRRRRRRRRRR..WWWWWW..RRRRRRRRRRr",
    "rRRRRRRRRR..WWWWWWWW..RRRRRRRRRr",
    "rRRRRRRRRR.WWWWWWWWWW.RRRRRRRRRr",
    "rRRRRRRRRR.....WW.....RRRRRRRRRr",
    "rRRRRRRRRRRRRR.WW.RRRRRRRRRRRRRr",
    "rRRRRR...RRRRR.WW.RRRRR...RRRRRr",
    "rRRRR..W.RRRRR.WW.RRRRR.W..RRRRr",
    "rRRR..WW.RRRRR.WW.RRRRR.WW..RRRr",
    "rRR..WWW.RRRRR.WW.RRRRR.WWW..RRr",
    "rR..WWWW.......WW.......WWWW..Rr",
    "rR.WWWWWWWWWWWWWWWWWWWWWWWWWW.Rr",
    "rR.WWWWWWWWWWWWWWWWWWWWWWWWWW.Rr",
    "rR..WWWW.......WW.......WWWW..Rr",
    "rRR..WWW.RRRRR.WW.RRRRR.WWW..RRr",
    "rRRR..WW.RRRRR.WW.RRRRR.WW..RRRr",
    "rRRRR..W.RRRRR.WW.RRRRR.W..RRRRr",
    "rRRRRR...RRRRR.WW.RRRRR...RRRRRr",
    "rRRRRRRRRRRRRR.WW.RRRRRRRRRRRRRr",
    "rRRRRRRRRR.....WW.....RRRRRRRRRr",
    "rRRRRRRRRR.WWWWWWWWWW.RRRRRRRRRr",
    "rRRRRRRRRR..WWWWWWWW..RRRRRRRRRr",
    "rRRRRRRRRRR..WWWWWW..RRRRRRRRRRr",
    "rRRRRRRRRRRR..WWWW..RRRRRRRRRRRr",
    "rRRRRRRRRRRRR..WW..RRRRRRRRRRRRr",
    "rRRRRRRRRRRRRR....RRRRRRRRRRRRRr",
    "rRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRr",
    "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr",
};
// 132: a square with two curved arrows on red
constexpr const char* kRotateIcon[] = {
    "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr",
    "rRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRr",
    "rRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRr",
    "rRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRr",
    "rRRRRRRRRR............RRRRRRRRRr",
    "rRRRRRRRR..WWWWWWWWWW..RRRRRRRRr",
    "rRRRRRR...WWWWWWWWWWWW...RRRRRRr",
    "rRRRRR..WWWW........WWWW..RRRRRr",
    "rRRRRR.WWW...RRRRRR...WWW.RRRRRr",
    "rRR....WW...RRRRRRRRR..W..RRRRRr",
    "rRR.WWWWWWW.RRRRRRRRRR...RRRRRRr",
    "rRR..WWWWW...........RRRRRRRRRRr",
    "rRRR..WWW...WWWWWWWW.RRRRRRRRRRr",
    "rRRRR.WW..R.WWWWWWWW.RRRRRRRRRRr",
    "rRRRR....RR.WW....WW.RRRRRRRRRRr",
    "rRRRRRRRRRR.WW.RR.WW.RRRRRRRRRRr",
    "rRRRRRRRRRR.WW.RR.WW.RRRRRRRRRRr",
    "rRRRRRRRRRR.WW....WW.RR....RRRRr",
    "rRRRRRRRRRR.WWWWWWWW.R..WW.RRRRr",
    "rRRRRRRRRRR.WWWWWWWW...WWW..RRRr",
    "rRRRRRRRRRR...........WWWWW..RRr",
    "rRRRRRR...RRRRRRRRRR.WWWWWWW.RRr",
    "rRRRRR..W..RRRRRRRRR...WW....RRr",
    "rRRRRR.WWW...RRRRRR...WWW.RRRRRr",
    "rRRRRR..WWWW........WWWW..RRRRRr",
    "rRRRRRR...WWWWWWWWWWWW...RRRRRRr",
    "rRRRRRRRR..WWWWWWWWWW..RRRRRRRRr",
    "rRRRRRRRRR............RRRRRRRRRr",
    "rRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRr",
    "rRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRr",
    "rRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRr",
    "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr",
};
// 133: a small and a larger square with an arrow on red
constexpr const char* kScaleIcon[] = {
    "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr",
    "rRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRr",
    "rRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRr",
    "rRR.........RRRRRRRRRRRRRRRRRRRr",
    "rRR.wwwwwww.RRRRRRRRRRRRRRRRRRRr",
    "rRR.wwwwwww.RRRRRRRRRRRRRRRRRRRr",
    "rRR.wwwwwww.RRRRRRRRRRRRRRRRRRRr",
    "rRR.wwwwwww.RRRRRRRRRRRRRRRRRRRr",
    "rRR.wwwwwww.RRRRRRRRRRRRRRRRRRRr",
    "rRR.wwwwwww.RRRRRRRRRRRRRRRRRRRr",
    "rRR.wwwwwww...RRRRRRRRRRRRRRRRRr",
    "rRR........WW..RRRRRRRRRRRRRRRRr",
    "rRRRRRRRRR..WW..RRRRRRRRRRRRRRRr",
    "rRRRRRRRRRR..WW...............Rr",
    "rRRRRRRRRRRR..WWWWWWWWWWWWWWW.Rr",
    "rRRRRRRRRRRRR.WWWWWWWWWWWWWWW.Rr",
    "rRRRRRRRRRRRR.WWWW.........WW.Rr",
    "rRRRRRRRRRRRR.WW.WW..R..W..WW.Rr",
    "rRRRRRRRRRRRR.WW..WW...WW..WW.Rr",
    "rRRRRRRRRRRRR.WW...WW.WWW..WW.Rr",
    "rRRRRRRRRRRRR.WW.R..WWWWW..WW.Rr",
    "rRRRRRRRRRRRR.WW.R..WWWWW..WW.Rr",
    "rRRRRRRRRRRRR.WW...WWWWWW..WW.Rr",
    "rRRRRRRRRRRRR.WW..WWWWWWW..WW.Rr",
    "rRRRRRRRRRRRR.WW.WWWWWWWW..WW.Rr",
    "rRRRRRRRRRRRR.WW...........WW.Rr",
    "rRRRRRRRRRRRR.WW...........WW.Rr",
    "rRRRRRRRRRRRR.WWWWWWWWWWWWWWW.Rr",
    "rRRRRRRRRRRRR.WWWWWWWWWWWWWWW.Rr",
    "rRRRRRRRRRRRR.................Rr",
    "rRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRr",
    "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr",
};
// 134: a picture frame marked x,y on red
constexpr const char* kTextureIcon[] = {
    "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr",
    "rRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRr",
    "rRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRr",
    "rRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRr",
    "rRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRr",
    "rRR..........................RRr",
    "rRR.YYYYYYYYYYYYYYYYYYYYYYYY.RRr",
    "rRR.YYYYYYYYYYYYYYYYYYYYYYYY.RRr",
    "rRR.YYBBBBBBBBBBBBBBBBBBBBYY.RRr",
    "rRR.YYBBBBBBBBBBBBBBBBBBBBYY.RRr",
    "rRR.YYBBBBBBBBBBBBBBBBBBBBYY.RRr",
    "rRR.YYBBBBBBBBBBBBBBBBBBBBYY.RRr",
    "rRR.YYBBWBBBWBBBBWBBBWBBBBYY.RRr",
    "rRR.YYBBBWBWBBBBBBWBWBBBBBYY.RRr",
    "rRR.YYBBBBWBBBBBBBBWBBBBBBYY.RRr",
    "rRR.YYBBBWBWBBBWBBWBBBBBBBYY.RRr",
    "rRR.YYBBWBBBWBWBBWBBBBBBBBYY.RRr",
    "rRR.YYBBBBBBBBWBBBBBBBBBBBYY.RRr",
    "rRR.YYBBBBBBBBBBBBBBBBBBBBYY.RRr",
    "rRR.YYBBBBBBBBBBBBBBBBBBBBYY.RRr",
    "rRR.YYBBBBBBBBBBBBBBBBBBBBYY.RRr",
    "rRR.YYBBBBBBBBBBBBBBBBBBBBYY.RRr",
    "rRR.YYBBBBBBBBBBBBBBBBBBBBYY.RRr",
    "rRR.YYBBBBBBBBBBBBBBBBBBBBYY.RRr",
    "rRR.YYYYYYYYYYYYYYYYYYYYYYYY.RRr",
    "rRR.YYYYYYYYYYYYYYYYYYYYYYYY.RRr",
    "rRR..........................RRr",
    "rRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRr",
    "rRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRr",
    "rRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRr",
    "rRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRr",
    "rrrrrrrrrrrrrrrrrrrrrrrrrrrrrrrr",
};
// -- Padlocks (101 to 104): a body under a shackle, closed or lifted, and the ALL plate --
constexpr const char* kPadlockBody[] = {
    ".................",
    ".YYYYYYYYYYYYYYY.",
    ".YYYYYYYYYYYYYYY.",
    ".YYYYYY...YYYYYY.",
    ".YYYYYY...YYYYYY.",
    ".YYYYYYY.YYYYYYY.",
    ".YYYYYYY.YYYYYYY.",
    ".YYYYYYY.YYYYYYY.",
    ".YYYYYYYYYYYYYYY.",
    ".YYYYYYYYYYYYYYY.",
    ".yyyyyyyyyyyyyyy.",
    ".................",
};
// Its last row is hidden under the body's top edge when closed; lifted, it caps the legs.
constexpr const char* kShackle[] = {
    "    .........    ",
    "   .wwwwwwwww.   ",
    "  .wwww...wwww.  ",
    "  .ww..   ..ww.  ",
    "  .ww.     .ww.  ",
    "  .ww.     .ww.  ",
    "  .ww.     .ww.  ",
    "  .ww.     .ww.  ",
    "  .ww.     .ww.  ",
    "  ....     ....  ",
};
// The left leg of a lifted shackle, reaching down into the body.
constexpr const char* kShackleLeg[] = {
    ".ww.",
    ".ww.",
    ".ww.",
    ".ww.",
    ".ww.",
};
// Laid over the body's face, hiding the keyhole.
constexpr const char* kAllPlate[] = {
    "YYYYYYYYYYYYYYY",
    "YYY.YY.YYY.YYYY",
    "YY.Y.Y.YYY.YYYY",
    "YY...Y.YYY.YYYY",
    "YY.Y.Y.YYY.YYYY",
    "YY.Y.Y...Y...YY",
    "YYYYYYYYYYYYYYY",
};

// -- Selection (105 to 109): a dashed frame around a sign --
constexpr const char* kDashedFrame[] = {
    "...  ...  ...  ...  ...",
    "...  ...  ...  ...  ...",
    "..                   ..",
    "                       ",
    "                       ",
    "..                   ..",
    "..                   ..",
    "..                   ..",
    "                       ",
    "                       ",
    "..                   ..",
    "..                   ..",
    "..                   ..",
    "                       ",
    "                       ",
    "..                   ..",
    "..                   ..",
    "..                   ..",
    "                       ",
    "                       ",
    "..                   ..",
    "...  ...  ...  ...  ...",
    "...  ...  ...  ...  ...",
};
constexpr const char* kSelectedShape[] = {
    "...........",
    ".WWWWWWWWW.",
    ".WBBBBBBBB.",
    ".WBBBBBBBB.",
    ".WBBBBBBBB.",
    ".WBBBBBBBB.",
    ".WBBBBBBBB.",
    ".WBBBBBBBB.",
    ".WBBBBBBBB.",
    ".WBBBBBBBB.",
    "...........",
};
constexpr const char* kPlusSign[] = {
    "    .....    ",
    "    .VVV.    ",
    "    .VVV.    ",
    "    .VVV.    ",
    ".....VVV.....",
    ".VVVVVVVVVVV.",
    ".VVVVVVVVVVV.",
    ".VVVVVVVVVVV.",
    ".....VVV.....",
    "    .VVV.    ",
    "    .VVV.    ",
    "    .VVV.    ",
    "    .....    ",
};
constexpr const char* kMinusSign[] = {
    ".............",
    ".RRRRRRRRRRR.",
    ".RRRRRRRRRRR.",
    ".RRRRRRRRRRR.",
    ".............",
};
constexpr const char* kCrossSign[] = {
    " ...     ... ",
    ".RRR.   .RRR.",
    ".RRRR. .RRRR.",
    ".RRRRR.RRRRR.",
    " .RRRRRRRRR. ",
    "  .RRRRRRR.  ",
    "   .RRRRR.   ",
    "  .RRRRRRR.  ",
    " .RRRRRRRRR. ",
    ".RRRRR.RRRRR.",
    ".RRRR. .RRRR.",
    ".RRR.   .RRR.",
    " ...     ... ",
};

// -- Triangles (110, 146): a triangle, its subdivision, and a pin standing on a face --
constexpr const char* kTriangle[] = {
    "             ....             ",
    "             .ww.             ",
    "            ..ww..            ",
    "            .wwww.            ",
    "           ..wwww..           ",
    "           .wwwwww.           ",
    "          ..wwwwww..          ",
    "          .wwwwwwww.          ",
    "         ..wwwwwwww..         ",
    "         .wwwwwwwwww.         ",
    "        ..wwwwwwwwww..        ",
    "        .wwwwwwwwwwww.        ",
    "       ..wwwwwwwwwwww..       ",
    "       .wwwwwwwwwwwwww.       ",
    "      ..wwwwwwwwwwwwww..      ",
    "      .wwwwwwwwwwwwwwww.      ",
    "     ..wwwwwwwwwwwwwwww..     ",
    "     .wwwwwwwwwwwwwwwwww.     ",
    "    ..wwwwwwwwwwwwwwwwww..    ",
    "    .wwwwwwwwwwwwwwwwwwww.    ",
    "   ..wwwwwwwwwwwwwwwwwwww..   ",
    "   .wwwwwwwwwwwwwwwwwwwwww.   ",
    "  ..wwwwwwwwwwwwwwwwwwwwww..  ",
    "  .wwwwwwwwwwwwwwwwwwwwwwww.  ",
    " ..wwwwwwwwwwwwwwwwwwwwwwww.. ",
    " .wwwwwwwwwwwwwwwwwwwwwwwwww. ",
    " ............................ ",
};
// The lines joining the midpoints of the triangle's sides.
constexpr const char* kSubdivision[] = {
    "..............",
    "..          ..",
    " .          . ",
    " ..        .. ",
    "  .        .  ",
    "  ..      ..  ",
    "   .      .   ",
    "   ..    ..   ",
    "    .    .    ",
    "    ..  ..    ",
    "     .  .     ",
    "     ....     ",
    "      ..      ",
};
constexpr const char* kPin[] = {
    "      ....  ",
    "     .VVVV. ",
    "    .VWVVVV.",
    "    .WVVVVV.",
    "    .VVVVVV.",
    "    .VVVVVV.",
    "     .VVVV. ",
    "     .n...  ",
    "     .n.    ",
    "    .n.     ",
    "    .n.     ",
    "   .n.      ",
    "   .n.      ",
    "  .n.       ",
    "  .n.       ",
    " .n.        ",
    " ...        ",
};

// -- Grids of squares (115, 116) with an arrow or a star --
constexpr const char* kSquareGrid[] = {
    "......................",
    ".wwwwww.wwwwww.wwwwww.",
    ".wwwwww.wwwwww.wwwwww.",
    ".wwwwww.wwwwww.wwwwww.",
    ".wwwwww.wwwwww.wwwwww.",
    ".wwwwww.wwwwww.wwwwww.",
    ".wwwwww.wwwwww.wwwwww.",
    "......................",
    ".wwwwww.wwwwww.wwwwww.",
    ".wwwwww.wwwwww.wwwwww.",
    ".wwwwww.wwwwww.wwwwww.",
    ".wwwwww.wwwwww.wwwwww.",
    ".wwwwww.wwwwww.wwwwww.",
    ".wwwwww.wwwwww.wwwwww.",
    "......................",
    ".wwwwww.wwwwww.wwwwww.",
    ".wwwwww.wwwwww.wwwwww.",
    ".wwwwww.wwwwww.wwwwww.",
    ".wwwwww.wwwwww.wwwwww.",
    ".wwwwww.wwwwww.wwwwww.",
    ".wwwwww.wwwwww.wwwwww.",
    "......................",
};
constexpr const char* kDiagonalArrow[] = {
    "        .............",
    "        .YYYYYYYYYYY.",
    "        ..YYYYYYYYYY.",
    "         ..YYYYYYYYY.",
    "          ..YYYYYYYY.",
    "           ..YYYYYYY.",
    "           ..YYYYYYY.",
    "          ..YYYYYYYY.",
    "         ..YYY..YYYY.",
    "        ..YYY....YYY.",
    "       ..YYY..  ..YY.",
    "      ..YYY..    ..Y.",
    "     ..YYY..      ...",
    "    ..YYY..          ",
    "   ..YYY..           ",
    "  ..YYY..            ",
    " ..YYY..             ",
    "..YYY..              ",
    ".YYY..               ",
    ".YY..                ",
    "....                 ",
};
constexpr const char* kStar[] = {
    "     .     ",
    "    .Y.    ",
    "    .Y.    ",
    " ...YYY... ",
    ".YYYYYYYYY.",
    " .YYYYYYY. ",
    "  .YYYYY.  ",
    "  .YYYYY.  ",
    "  .YY.YY.  ",
    "  .Y. .Y.  ",
    "   .   .   ",
};

// -- Texture swatches (117, 118) with ticks or the letters x,y and RECALC --
constexpr const char* kSwatch[] = {
    "..................",
    ".OOOOWWWWOOOOWWWW.",
    ".OOOOWWWWOOOOWWWW.",
    ".OOOOWWWWOOOOWWWW.",
    ".OOOOWWWWOOOOWWWW.",
    ".WWWWOOOOWWWWOOOO.",
    ".WWWWOOOOWWWWOOOO.",
    ".WWWWOOOOWWWWOOOO.",
    ".WWWWOOOOWWWWOOOO.",
    ".OOOOWWWWOOOOWWWW.",
    ".OOOOWWWWOOOOWWWW.",
    ".OOOOWWWWOOOOWWWW.",
    ".OOOOWWWWOOOOWWWW.",
    ".WWWWOOOOWWWWOOOO.",
    ".WWWWOOOOWWWWOOOO.",
    ".WWWWOOOOWWWWOOOO.",
    ".WWWWOOOOWWWWOOOO.",
    "..................",
};
constexpr const char* kTick[] = {
    "       .. ",
    "      .VV.",
    "     .VVV.",
    " .. .VVV. ",
    ".VV.VVVV. ",
    ".VVVVVV.  ",
    " .VVVV.   ",
    "  .VV.    ",
    "   ..     ",
};
constexpr const char* kXYLetters[] = {
    "W W   W W",
    " W    W W",
    "W W W  WW",
    "   W    W",
    "      WW ",
};
constexpr const char* kRecalcLetters[] = {
    "...................  ....",
    ".WW..WWW..WW..W..W. ..WW.",
    ".W.W.W...W...W.W.W. .W...",
    ".WW..WW..W. .WWW.W. .W.  ",
    ".W.W.W...W...W.W.W...W...",
    ".W.W.WWW..WW.W.W.WWW..WW.",
    ".........................",
};

// -- 119: the word MORE over three dots --
constexpr const char* kMoreLetters[] = {
    "... ..................",
    ".W...W..WW..WWW..WWWW.",
    ".WW.WW.W..W.W..W.W....",
    ".W.W.W.W..W.W..W.W... ",
    ".W.W.W.W..W.WWW..WWW. ",
    ".W...W.W..W.W.W..W... ",
    ".W. .W.W..W.W..W.W....",
    ".W. .W..WW..W..W.WWWW.",
    "... ..................",
};
constexpr const char* kDot[] = {
    " .... ",
    ".WWWW.",
    ".WWWW.",
    ".WWWW.",
    ".WWWW.",
    " .... ",
};

// -- 122: a large light cross --
constexpr const char* kDeleteCross[] = {
    " wWw                wWw ",
    "wWWWw              wWWWw",
    "WWWWWw            wWWWWW",
    "wWWWWWw          wWWWWWw",
    " wWWWWWw        wWWWWWw ",
    "  wWWWWWw      wWWWWWw  ",
    "   wWWWWWw    wWWWWWw   ",
    "    wWWWWWw  wWWWWWw    ",
    "     wWWWWWwwWWWWWw     ",
    "      wWWWWWWWWWWw      ",
    "       wWWWWWWWWw       ",
    "        wWWWWWWw        ",
    "        wWWWWWWw        ",
    "       wWWWWWWWWw       ",
    "      wWWWWWWWWWWw      ",
    "     wWWWWWwwWWWWWw     ",
    "    wWWWWWw  wWWWWWw    ",
    "   wWWWWWw    wWWWWWw   ",
    "  wWWWWWw      wWWWWWw  ",
    " wWWWWWw        wWWWWWw ",
    "wWWWWWw          wWWWWWw",
    "WWWWWw            wWWWWW",
    "wWWWw              wWWWw",
    " wWw                wWw ",
};

// -- View options (125 to 130): grid, axes, and a quadrilateral as points, wires, faces --
constexpr const char* kLineGrid[] = {
    "WWWWWWWWWWWWWWWWWWWWWWWWW",
    "W     W     W     W     W",
    "W     W     W     W     W",
    "W     W     W     W     W",
    "W     W     W     W     W",
    "W     W     W     W     W",
    "WWWWWWWWWWWWWWWWWWWWWWWWW",
    "W     W     W     W     W",
    "W     W     W     W     W",
    "W     W     W     W     W",
    "W     W     W     W     W",
    "W     W     W     W     W",
    "WWWWWWWWWWWWWWWWWWWWWWWWW",
    "W     W     W     W     W",
    "W     W     W     W     W",
    "W     W     W     W     W",
    "W     W     W     W     W",
    "W     W     W     W     W",
    "WWWWWWWWWWWWWWWWWWWWWWWWW",
    "W     W     W     W     W",
    "W     W     W     W     W",
    "W     W     W     W     W",
    "W     W     W     W     W",
    "W     W     W     W     W",
    "WWWWWWWWWWWWWWWWWWWWWWWWW",
};
constexpr const char* kAxes[] = {
    "         .                    ",
    "        .V.                   ",
    "       .VVV.                  ",
    "       .VVV.                  ",
    "       .VVV.                  ",
    "       .VVV.                  ",
    "       .VVV.                  ",
    "       .VVV.                  ",
    "       .VVV.                  ",
    "       .VVV.                  ",
    "       .VVV.                  ",
    "       .VVV.                  ",
    "       .VVV.                  ",
    "       .VVV.                  ",
    "       .VVV.                  ",
    "       .VVV.                  ",
    "       .VVV.                  ",
    "       .VVV.................  ",
    "       .VCVRRRRRRRRRRRRRRRRR. ",
    "       .CCCRRRRRRRRRRRRRRRRRR.",
    "      .CCCRRRRRRRRRRRRRRRRRR. ",
    "     .CCC...................  ",
    "    .CCC.                     ",
    "   .CCC.                      ",
    "  .CCC.                       ",
    " .CCC.                        ",
    ".CCC.                         ",
    " .C.                          ",
    "  .                           ",
};
constexpr const char* kQuadPoints[] = {
    "                  ...     ",
    "                 .WWW.    ",
    "                 .WWW.    ",
    "                 .WWW.    ",
    "                  ...     ",
    " ...                      ",
    ".WWW.                     ",
    ".WWW.                     ",
    ".WWW.                     ",
    " ...                      ",
    "                          ",
    "                          ",
    "                          ",
    "                          ",
    "                          ",
    "                          ",
    "                          ",
    "                          ",
    "                          ",
    "                      ... ",
    "                     .WWW.",
    "                     .WWW.",
    "    ...              .WWW.",
    "   .WWW.              ... ",
    "   .WWW.                  ",
    "   .WWW.                  ",
    "    ...                   ",
};
constexpr const char* kQuadWires[] = {
    "               WWW    ",
    "           WWWWWWWW   ",
    "        WWWWWW   WW   ",
    "    WWWWWW       WW   ",
    " WWWWWW           W   ",
    "WWW               W   ",
    "W                 WW  ",
    "WW                WW  ",
    "WW                WW  ",
    "WW                 W  ",
    " W                 W  ",
    " W                 WW ",
    " WW                WW ",
    " WW                WW ",
    " WW                 W ",
    " WW                 W ",
    "  W                 WW",
    "  W                 WW",
    "  WW                WW",
    "  WW             WWWWW",
    "  WW       WWWWWWWWW  ",
    "   W WWWWWWWWW        ",
    "   WWWWW              ",
};
constexpr const char* kQuadFace[] = {
    "               OO    ",
    "            OOOOO    ",
    "        OOOOOOOOOO   ",
    "     OOOOOOOOOOOOO   ",
    "  OOOOOOOOOOOOOOOO   ",
    "OOOOOOOOOOOOOOOOOO   ",
    "OOOOOOOOOOOOOOOOOO   ",
    "OOOOOOOOOOOOOOOOOOO  ",
    " OOOOOOOOOOOOOOOOOO  ",
    " OOOOOOOOOOOOOOOOOO  ",
    " OOOOOOOOOOOOOOOOOO  ",
    " OOOOOOOOOOOOOOOOOO  ",
    " OOOOOOOOOOOOOOOOOOO ",
    " OOOOOOOOOOOOOOOOOOO ",
    "  OOOOOOOOOOOOOOOOOO ",
    "  OOOOOOOOOOOOOOOOOO ",
    "  OOOOOOOOOOOOOOOOOO ",
    "  OOOOOOOOOOOOOOOOOOO",
    "  OOOOOOOOOOOOOOOOOOO",
    "   OOOOOOOOOOOOOOO   ",
    "   OOOOOOOOO         ",
    "   OOO               ",
};

// -- Mesh pin toggles (144, 145) --
constexpr const char* kEye[] = {
    "         ..........         ",
    "       ..WWWWWWWWWW..       ",
    "     ..WWWWWWWWWWWWWW..     ",
    "    .WWWWWWWWBBWWWWWWWW.    ",
    "   .WWWWWWWBBBBBBWWWWWWW.   ",
    "  .WWWWWWWBBBBBBBBWWWWWWW.  ",
    " .WWWWWWWWBBW...BBWWWWWWWW. ",
    ".WWWWWWWWBBB....BBBWWWWWWWW.",
    ".WWWWWWWWBBB....BBBWWWWWWWW.",
    " .WWWWWWWWBB....BBWWWWWWWW. ",
    "  .WWWWWWWBBBBBBBBWWWWWWW.  ",
    "   .WWWWWWWBBBBBBWWWWWWW.   ",
    "    .WWWWWWWWBBWWWWWWWW.    ",
    "     ..WWWWWWWWWWWWWW..     ",
    "       ..WWWWWWWWWW..       ",
    "         ..........         ",
};
constexpr const char* kStrike[] = {
    "  .                         ",
    " .W.                        ",
    ".WWW.                       ",
    " .WWW.                      ",
    "  .WWW.                     ",
    "   .WWW.                    ",
    "    .WWW.                   ",
    "     .WWW.                  ",
    "      .WWW.                 ",
    "       .WWW.                ",
    "        .WWW.               ",
    "         .WWW.              ",
    "          .WWW.             ",
    "           .WWW.            ",
    "            .WWW.           ",
    "             .WWW.          ",
    "              .WWW.         ",
    "               .WWW.        ",
    "                .WWW.       ",
    "                 .WWW.      ",
    "                  .WWW.     ",
    "                   .WWW.    ",
    "                    .WWW.   ",
    "                     .WWW.  ",
    "                      .WWW. ",
    "                       .WWW.",
    "                        .W. ",
    "                         .  ",
};
constexpr const char* kSmoothShape[] = {
    "        ........        ",
    "      ..wwwwwmmm..      ",
    "     .wwWwwwwwmmmn.     ",
    "    .WWWWWwwwwwmmmn.    ",
    "   .WWWWWWwwwwwmmmmn.   ",
    "  .wWWWWWWwwwwwmmmmnn.  ",
    " .wWWWWWWWwwwwwmmmmnnn. ",
    " .wWWWWWWwwwwwmmmmnnnn. ",
    ".wwwWWWwwwwwwwmmmmnnnnn.",
    ".wwwwwwwwwwwwmmmmmnnnnn.",
    ".wwwwwwwwwwwmmmmmnnnnnn.",
    ".wwwwwwwwwwmmmmmnnnnnnn.",
    ".mwwwwwwwmmmmmmmnnnnnnn.",
    ".mmmwwwmmmmmmmmnnnnnnnn.",
    ".mmmmmmmmmmmmnnnnnnnnnn.",
    ".nmmmmmmmmmmnnnnnnnnnnn.",
    " .nmmmmmmmnnnnnnnnnnnn. ",
    " .nnnnnnnnnnnnnnnnnnnn. ",
    "  .nnnnnnnnnnnnnnnnnn.  ",
    "   .nnnnnnnnnnnnnnnn.   ",
    "    .nnnnnnnnnnnnnn.    ",
    "     .nnnnnnnnnnnn.     ",
    "      ..nnnnnnnn..      ",
    "        ........        ",
};

// -- 141, 142: a chevron pointing left; the right one is its mirror image --
constexpr const char* kChevron[] = {
    "           ..WWW..",
    "          ..WWWWW.",
    "         ..WWWWWW.",
    "        ..WWWWWWW.",
    "       ..WWWWWWW..",
    "       .WWWWWWW.. ",
    "      ..WWWWWWW.  ",
    "     ..WWWWWWW..  ",
    "    ..WWWWWWW..   ",
    "   ..WWWWWWW..    ",
    "  ..WWWWWWW..     ",
    "  .WWWWWWW..      ",
    " ..WWWWWWW.       ",
    "..WWWWWWW..       ",
    ".WWWWWWW..        ",
    ".WWWWWW..         ",
    ".WWWWWWW..        ",
    "..WWWWWWW..       ",
    " ..WWWWWWW..      ",
    "  ..WWWWWWW..     ",
    "   .WWWWWWWW..    ",
    "   ..WWWWWWWW..   ",
    "    ..WWWWWWWW.   ",
    "     ..WWWWWWW..  ",
    "      ..WWWWWWW.. ",
    "       ..WWWWWWW..",
    "        ..WWWWWWW.",
    "         ..WWWWWW.",
    "          ..WWWWW.",
    "           ..WWW..",
};

// 135 and the ground of every cursor: an arrow pointer at the top-left on black
constexpr const char* kPointer[] = {
    "W...............................",
    "WW..............................",
    "WwW.............................",
    "WwwW............................",
    "WwwwW...........................",
    "WwwwwW..........................",
    "WwwwwwW.........................",
    "WwwwwwwW........................",
    "WwwwwwwwW.......................",
    "WwwwwwwwwW......................",
    "WwwwwwwwwwW.....................",
    "WwwwwwWWWWWW....................",
    "WwwwWwwW........................",
    "WwwWWwwW........................",
    "WwW..WwwW.......................",
    "WW...WwwW.......................",
    "W.....WwwW......................",
    "......WwwW......................",
    ".......WW.......................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
};
// a dotted square
constexpr const char* kDottedBadge[] = {
    "W W W W W W W",
    "             ",
    "W           W",
    "             ",
    "W           W",
    "             ",
    "W           W",
    "             ",
    "W           W",
    "             ",
    "W           W",
    "             ",
    "W W W W W W W",
};
// a four-way arrow
constexpr const char* kMoveBadge[] = {
    "      W      ",
    "     WWW     ",
    "    WWWWW    ",
    "      W      ",
    "  W   W   W  ",
    " WW   W   WW ",
    "WWWWWWWWWWWWW",
    " WW   W   WW ",
    "  W   W   W  ",
    "      W      ",
    "    WWWWW    ",
    "     WWW     ",
    "      W      ",
};
// two curved arrows
constexpr const char* kRotateBadge[] = {
    "      W      ",
    "   WWWWWWW   ",
    "  WW     WW  ",
    "  W       W  ",
    "WWWWW        ",
    " WWW www  W  ",
    "  W  www  W  ",
    "  W  www WWW ",
    "        WWWWW",
    "  W       W  ",
    "  WW     WW  ",
    "   WWWWWWW   ",
    "      W      ",
};
// two nested squares
constexpr const char* kScaleBadge[] = {
    "wwwwwwWWWWWWW",
    "w    w      W",
    "w    w      W",
    "w    w      W",
    "w    w      W",
    "wwwwww      W",
    "W     W     W",
    "W      W    W",
    "W       W   W",
    "W           W",
    "W           W",
    "W           W",
    "WWWWWWWWWWWWW",
};
// a small picture marked x,y
constexpr const char* kTextureBadge[] = {
    "             ",
    "YYYYYYYYYYYYY",
    "Y           Y",
    "Y           Y",
    "Y W W    W WY",
    "Y  W     W WY",
    "Y W W  W  W Y",
    "Y     W  W  Y",
    "Y           Y",
    "Y           Y",
    "Y           Y",
    "YYYYYYYYYYYYY",
    "             ",
};
// a dotted square with a plus
constexpr const char* kNewMeshBadge[] = {
    "W W W W W W W",
    "             ",
    "W           W",
    "      W      ",
    "W     W     W",
    "      W      ",
    "W  WWWWWWW  W",
    "      W      ",
    "W     W     W",
    "      W      ",
    "W           W",
    "             ",
    "W W W W W W W",
};
// clang-format on

// ---- The resource table ----

struct Picture {
    const char* const* rows = nullptr;
    int width = 0;
    int height = 0;
};

constexpr int textLength(const char* s) {
    int n = 0;
    while (s[n] != '\0') ++n;
    return n;
}

// A picture placed with its top-left corner at (x, y), optionally mirrored left to right.
struct Layer {
    Picture picture;
    int x = 0;
    int y = 0;
    bool mirrored = false;
};

template <std::size_t H> constexpr Layer at(const char* const (&rows)[H], int x, int y) {
    return {{rows, textLength(rows[0]), static_cast<int>(H)}, x, y, false};
}

template <std::size_t H> constexpr Layer mirroredAt(const char* const (&rows)[H], int x, int y) {
    Layer layer = at(rows, x, y);
    layer.mirrored = true;
    return layer;
}

constexpr int kMaxLayers = 4;

// One resource: its size, a ground (one-pixel edge round a fill) and layers drawn over it in
// order, later ones on top. New resources are new rows.
struct BitmapEntry {
    int id;
    int width;
    int height;
    char fill;
    char edge;
    Layer layers[kMaxLayers];
};

constexpr int kBadgeAt = 16; // cursor badges sit below-right of the pointer, clear of its tip

// Closed, the shackle's capped legs end under the body's top edge; lifted, the right leg stands
// free and the left one is lengthened down into the body.
constexpr Layer kClosedShackle = at(kShackle, 7, 5);
constexpr Layer kClosedBody = at(kPadlockBody, 7, 14);
constexpr Layer kLiftedShackle = at(kShackle, 7, 2);
constexpr Layer kLiftedLeg = at(kShackleLeg, kLiftedShackle.x + 2, kLiftedShackle.y + 9);
constexpr Layer kOpenBody = at(kPadlockBody, 7, 16);
// The plate covers the body's face inside its outline.
constexpr Layer kOpenAll = at(kAllPlate, kOpenBody.x + 1, kOpenBody.y + 2);
constexpr Layer kClosedAll = at(kAllPlate, kClosedBody.x + 1, kClosedBody.y + 2);

constexpr Layer kSelectionFrame = at(kDashedFrame, 4, 4);
constexpr Layer kBigTriangle = at(kTriangle, 1, 3);
constexpr Layer kFace = at(kQuadFace, 6, 5);
constexpr Layer kWires = at(kQuadWires, 5, 4);

// clang-format off
constexpr BitmapEntry kBitmaps[] = {
    {100, 32, 32, 'b', 'b', {at(kAppIcon, 0, 0)}},
    {101, 32, 32, 'G', 'g', {kLiftedShackle, kLiftedLeg, kOpenBody}},
    {102, 32, 32, 'G', 'g', {kLiftedShackle, kLiftedLeg, kOpenBody, kOpenAll}},
    {103, 32, 32, 'R', 'r', {kClosedShackle, kClosedBody}},
    {104, 32, 32, 'R', 'r', {kClosedShackle, kClosedBody, kClosedAll}},
    {105, 32, 32, 'Y', 'y', {kSelectionFrame, at(kSelectedShape, 10, 10)}},
    {106, 32, 32, 'Y', 'y', {kSelectionFrame, at(kPlusSign, 9, 9)}},
    {107, 32, 32, 'Y', 'y', {kSelectionFrame, at(kMinusSign, 9, 13)}},
    {108, 32, 32, 'Y', 'y', {kSelectionFrame, at(kSelectedShape, 7, 7), at(kSelectedShape, 10, 10),
                             at(kSelectedShape, 13, 13)}},
    {109, 32, 32, 'Y', 'y', {kSelectionFrame, at(kCrossSign, 9, 9)}},
    {110, 32, 32, 'B', 'b', {kBigTriangle, at(kSubdivision, 9, 16)}},
    {115, 32, 32, 'P', 'p', {at(kSquareGrid, 5, 5), at(kDiagonalArrow, 8, 3)}},
    {116, 32, 32, 'B', 'b', {at(kSquareGrid, 4, 6), at(kStar, 19, 2)}},
    {117, 32, 32, 'T', 't', {at(kSwatch, 3, 3), at(kTick, 20, 9), at(kTick, 20, 19)}},
    {118, 32, 32, 'T', 't', {at(kSwatch, 2, 2), at(kXYLetters, 22, 4), at(kRecalcLetters, 3, 23)}},
    {119, 32, 32, 'G', 'g',
     {at(kMoreLetters, 5, 6), at(kDot, 6, 20), at(kDot, 13, 20), at(kDot, 20, 20)}},
    {122, 32, 32, 'K', 'k', {at(kDeleteCross, 4, 4)}},
    {124, 16, 16, 'B', 'b', {at(kViewMenuIcon, 0, 0)}},
    {125, 32, 32, 'P', 'p', {at(kLineGrid, 3, 3)}},
    {126, 32, 32, 'P', 'p', {at(kAxes, 1, 1)}},
    {127, 32, 32, 'P', 'p', {at(kQuadPoints, 3, 2)}},
    {128, 32, 32, 'P', 'p', {kWires}},
    {129, 32, 32, 'P', 'p', {kFace, kWires}},
    {130, 32, 32, 'P', 'p', {kFace, kWires, at(kPin, 13, 1)}},
    {131, 32, 32, 'R', 'r', {at(kMoveIcon, 0, 0)}},
    {132, 32, 32, 'R', 'r', {at(kRotateIcon, 0, 0)}},
    {133, 32, 32, 'R', 'r', {at(kScaleIcon, 0, 0)}},
    {134, 32, 32, 'R', 'r', {at(kTextureIcon, 0, 0)}},
    {135, 32, 32, '.', '.', {at(kPointer, 0, 0)}},
    {136, 32, 32, '.', '.', {at(kPointer, 0, 0), at(kDottedBadge, kBadgeAt, kBadgeAt)}},
    {137, 32, 32, '.', '.', {at(kPointer, 0, 0), at(kMoveBadge, kBadgeAt, kBadgeAt)}},
    {138, 32, 32, '.', '.', {at(kPointer, 0, 0), at(kRotateBadge, kBadgeAt, kBadgeAt)}},
    {139, 32, 32, '.', '.', {at(kPointer, 0, 0), at(kScaleBadge, kBadgeAt, kBadgeAt)}},
    {140, 32, 32, '.', '.', {at(kPointer, 0, 0), at(kTextureBadge, kBadgeAt, kBadgeAt)}},
    {141, 30, 40, 'T', 't', {at(kChevron, 6, 5)}},
    {142, 30, 40, 'T', 't', {mirroredAt(kChevron, 6, 5)}},
    {143, 32, 32, '.', '.', {at(kPointer, 0, 0), at(kNewMeshBadge, kBadgeAt, kBadgeAt)}},
    {144, 32, 32, 'R', 'r', {at(kEye, 2, 8), at(kStrike, 2, 2)}},
    {145, 32, 32, 'P', 'p', {at(kSmoothShape, 4, 4)}},
    {146, 32, 32, 'B', 'b', {kBigTriangle, at(kPin, 15, 3)}},
};
// clang-format on

// Every row as wide as the first, only palette keys and kClear.
constexpr bool rowsWellFormed(const Picture& p) {
    for (int y = 0; y < p.height; ++y) {
        if (textLength(p.rows[y]) != p.width) return false;
        for (int x = 0; x < p.width; ++x) {
            const char c = p.rows[y][x];
            if (!paletteEntry(c) && c != kClear) return false;
        }
    }
    return true;
}

constexpr bool entryWellFormed(const BitmapEntry& e) {
    if (e.width <= 0 || e.height <= 0 || !paletteEntry(e.fill) || !paletteEntry(e.edge))
        return false;
    if (!e.layers[0].picture.rows) return false; // a bare ground is no picture
    for (const Layer& l : e.layers) {
        if (!l.picture.rows) continue;
        if (!rowsWellFormed(l.picture) || l.x < 0 || l.y < 0 || l.x + l.picture.width > e.width ||
            l.y + l.picture.height > e.height)
            return false;
    }
    return true;
}

constexpr bool tableWellFormed() {
    int previousId = 0;
    for (const BitmapEntry& e : kBitmaps) {
        if (e.id <= previousId || !entryWellFormed(e)) return false;
        previousId = e.id;
    }
    return true;
}
static_assert(tableWellFormed(), "bitmap pictures must fit their declared sizes and use the "
                                 "palette, ids ascending");

// ---- Lookup ----

// The key of the pixel at (x, y) from the top: the topmost layer that paints it, else the ground.
char keyAt(const BitmapEntry& e, int x, int y) {
    for (int i = kMaxLayers - 1; i >= 0; --i) {
        const Layer& l = e.layers[i];
        if (!l.picture.rows) continue;
        int lx = x - l.x;
        const int ly = y - l.y;
        if (lx < 0 || ly < 0 || lx >= l.picture.width || ly >= l.picture.height) continue;
        if (l.mirrored) lx = l.picture.width - 1 - lx;
        const char c = l.picture.rows[ly][lx];
        if (c != kClear) return c;
    }
    const bool onEdge = x == 0 || y == 0 || x == e.width - 1 || y == e.height - 1;
    return onEdge ? e.edge : e.fill;
}

} // namespace

bool bitmapResource(int id, BitmapImage& out) {
    for (const BitmapEntry& e : kBitmaps) {
        if (e.id != id) continue;
        BitmapImage image;
        image.width = e.width;
        image.height = e.height;
        image.rowBytes = (e.width * 3 + 3) / 4 * 4;
        image.bytes.assign(static_cast<std::size_t>(image.rowBytes) * e.height, 0);
        for (int y = 0; y < e.height; ++y) {
            std::uint8_t* row =
                image.bytes.data() + static_cast<std::size_t>(e.height - 1 - y) * image.rowBytes;
            for (int x = 0; x < e.width; ++x) {
                const PaletteEntry* colour = paletteEntry(keyAt(e, x, y));
                row[x * 3 + 0] = colour->blue;
                row[x * 3 + 1] = colour->green;
                row[x * 3 + 2] = colour->red;
            }
        }
        out = std::move(image);
        return true;
    }
    return false;
}
