// The bitmap resources as character pictures, turned into 24-bit bottom-up BGR images on request.
//
// Sections: palette; pictures (mode icons, view menu icon, cursor pointer and its badges); the
// resource table; lookup.
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
    {'Y', 240, 200, 60},  // yellow frame
};

// In a badge, keeps the pixel of the picture underneath.
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

template <std::size_t H> constexpr Picture picture(const char* const (&rows)[H]) {
    return {rows, textLength(rows[0]), static_cast<int>(H)};
}

// One resource: its declared size, the picture, and an optional badge drawn over it at
// (badgeX, badgeY). New resources are new rows.
struct BitmapEntry {
    int id;
    int width;
    int height;
    Picture picture;
    Picture badge;
    int badgeX;
    int badgeY;
};

constexpr int kBadgeAt = 16; // cursor badges sit below-right of the pointer, clear of its tip

constexpr BitmapEntry kBitmaps[] = {
    {100, 32, 32, picture(kAppIcon), {}, 0, 0},
    {124, 16, 16, picture(kViewMenuIcon), {}, 0, 0},
    {131, 32, 32, picture(kMoveIcon), {}, 0, 0},
    {132, 32, 32, picture(kRotateIcon), {}, 0, 0},
    {133, 32, 32, picture(kScaleIcon), {}, 0, 0},
    {134, 32, 32, picture(kTextureIcon), {}, 0, 0},
    {135, 32, 32, picture(kPointer), {}, 0, 0},
    {136, 32, 32, picture(kPointer), picture(kDottedBadge), kBadgeAt, kBadgeAt},
    {137, 32, 32, picture(kPointer), picture(kMoveBadge), kBadgeAt, kBadgeAt},
    {138, 32, 32, picture(kPointer), picture(kRotateBadge), kBadgeAt, kBadgeAt},
    {139, 32, 32, picture(kPointer), picture(kScaleBadge), kBadgeAt, kBadgeAt},
    {140, 32, 32, picture(kPointer), picture(kTextureBadge), kBadgeAt, kBadgeAt},
    {143, 32, 32, picture(kPointer), picture(kNewMeshBadge), kBadgeAt, kBadgeAt},
};

// Every row as wide as declared, only palette keys (and kClear in badges).
constexpr bool rowsWellFormed(const Picture& p, bool clearAllowed) {
    for (int y = 0; y < p.height; ++y) {
        if (textLength(p.rows[y]) != p.width) return false;
        for (int x = 0; x < p.width; ++x) {
            const char c = p.rows[y][x];
            if (!paletteEntry(c) && !(clearAllowed && c == kClear)) return false;
        }
    }
    return true;
}

constexpr bool entryWellFormed(const BitmapEntry& e) {
    if (e.picture.width != e.width || e.picture.height != e.height) return false;
    if (!rowsWellFormed(e.picture, false)) return false;
    if (!e.badge.rows) return true;
    return rowsWellFormed(e.badge, true) && e.badgeX >= 0 && e.badgeY >= 0 &&
           e.badgeX + e.badge.width <= e.width && e.badgeY + e.badge.height <= e.height;
}

constexpr bool tableWellFormed() {
    int previousId = 0;
    for (const BitmapEntry& e : kBitmaps) {
        if (e.id <= previousId || !entryWellFormed(e)) return false;
        previousId = e.id;
    }
    return true;
}
static_assert(tableWellFormed(), "bitmap pictures must match their declared sizes and palette, "
                                 "ids ascending");

// ---- Lookup ----

// The key of the pixel at (x, y) from the top, with the badge over the picture.
char keyAt(const BitmapEntry& e, int x, int y) {
    const int bx = x - e.badgeX;
    const int by = y - e.badgeY;
    if (e.badge.rows && bx >= 0 && by >= 0 && bx < e.badge.width && by < e.badge.height) {
        const char c = e.badge.rows[by][bx];
        if (c != kClear) return c;
    }
    return e.picture.rows[y][x];
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
