// show-bitmaps: a contact sheet of the bitmap resources, each at 1x and 8x under its id, as PPM.
//
// Usage: show-bitmaps <output.ppm> [id ...]   (default: every id from 1 to 999 that has a picture)
// The sheet's ground is the panel body colour, so the 1x copies look as they do on a toolbar.
#include "base/numbers.h"
#include "base/safe_file.h"
#include "resources/bitmaps.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kZoom = 8;
constexpr int kMargin = 8;
constexpr int kDigitScale = 3;
constexpr int kColumns = 5;
constexpr std::uint8_t kGround[3] = {102, 76, 51}; // panel body, red-green-blue

// 3 x 5 digits, one row per byte, bit 2 the leftmost column.
constexpr std::uint8_t kDigits[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 3, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 2, 2}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};

struct Sheet {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

void setPixel(Sheet& s, int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    if (x < 0 || y < 0 || x >= s.width || y >= s.height) return;
    std::uint8_t* p = &s.rgb[(static_cast<std::size_t>(y) * s.width + x) * 3];
    p[0] = r;
    p[1] = g;
    p[2] = b;
}

void drawNumber(Sheet& s, int x, int y, int number) {
    std::string text;
    appendInt(text, number);
    for (char c : text) {
        const std::uint8_t* rows = kDigits[c - '0'];
        for (int row = 0; row < 5; ++row)
            for (int col = 0; col < 3; ++col)
                if (rows[row] & (4 >> col))
                    for (int k = 0; k < kDigitScale * kDigitScale; ++k)
                        setPixel(s, x + col * kDigitScale + k % kDigitScale,
                                 y + row * kDigitScale + k / kDigitScale, 255, 255, 255);
        x += 4 * kDigitScale;
    }
}

void drawImage(Sheet& s, int x, int y, const BitmapImage& image, int zoom) {
    for (int py = 0; py < image.height * zoom; ++py)
        for (int px = 0; px < image.width * zoom; ++px) {
            const std::uint8_t* bgr = bitmapPixel(image, px / zoom, py / zoom);
            setPixel(s, x + px, y + py, bgr[2], bgr[1], bgr[0]);
        }
}

struct Entry {
    int id;
    BitmapImage image;
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: show-bitmaps <output.ppm> [id ...]\n");
        return 2;
    }
    std::vector<Entry> entries;
    auto add = [&entries](int id) {
        Entry e{id, {}};
        if (bitmapResource(id, e.image)) entries.push_back(std::move(e));
        return !entries.empty() && entries.back().id == id;
    };
    for (int i = 2; i < argc; ++i) {
        int32_t id = 0;
        if (!parseInt(argv[i], id) || !add(id)) {
            std::fprintf(stderr, "no bitmap with id %s\n", argv[i]);
            return 2;
        }
    }
    if (argc == 2)
        for (int id = 1; id < 1000; ++id) add(id);

    int cellWidth = 0;
    int cellHeight = 0;
    for (const Entry& e : entries) {
        cellWidth = std::max(cellWidth, e.image.width * (kZoom + 1) + 3 * kMargin);
        cellHeight = std::max(cellHeight, e.image.height * kZoom + 6 * kDigitScale + 2 * kMargin);
    }
    const int columns = std::min<int>(kColumns, static_cast<int>(entries.size()));
    Sheet sheet;
    sheet.width = std::max(1, columns * cellWidth);
    sheet.height = std::max<int>(1, (entries.size() + kColumns - 1) / kColumns * cellHeight);
    sheet.rgb.resize(static_cast<std::size_t>(sheet.width) * sheet.height * 3);
    for (std::size_t i = 0; i < sheet.rgb.size(); ++i) sheet.rgb[i] = kGround[i % 3];

    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int x = static_cast<int>(i % kColumns) * cellWidth + kMargin;
        const int y = static_cast<int>(i / kColumns) * cellHeight + kMargin;
        const BitmapImage& image = entries[i].image;
        drawNumber(sheet, x, y, entries[i].id);
        const int top = y + 6 * kDigitScale;
        drawImage(sheet, x, top, image, 1);
        drawImage(sheet, x + image.width + kMargin, top, image, kZoom);
    }

    std::string out = "P6\n";
    appendInt(out, sheet.width);
    out += ' ';
    appendInt(out, sheet.height);
    out += "\n255\n";
    out.append(sheet.rgb.begin(), sheet.rgb.end());
    if (!writeFileSafely(argv[1], out)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
