// The bitmap resources: sizes, row order and the pictures' grounds.
#include "resources/bitmaps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

namespace {

bool isBlack(const std::uint8_t* bgr) {
    return bgr[0] == 0 && bgr[1] == 0 && bgr[2] == 0;
}

enum class Hue { Red, Green, Blue, Yellow, Purple, Teal, Dark, Grey };

// A rough name for a pixel's colour, enough to tell the button grounds apart.
Hue hueOf(const std::uint8_t* bgr) {
    const int b = bgr[0], g = bgr[1], r = bgr[2];
    if (r < 80 && g < 80 && b < 80) return Hue::Dark;
    if (r > 2 * g && r > 2 * b) return Hue::Red;
    if (g > 2 * r && g > 2 * b) return Hue::Green;
    if (b > 2 * r && b > 2 * g) return Hue::Blue;
    if (r > 2 * b && g > 2 * b) return Hue::Yellow;
    if (r > g && b > g) return Hue::Purple;
    if (g > 2 * r && b > 2 * r) return Hue::Teal;
    return Hue::Grey;
}

std::ostream& operator<<(std::ostream& out, Hue hue) {
    static const char* const names[] = {"red",    "green", "blue", "yellow",
                                        "purple", "teal",  "dark", "grey"};
    return out << names[static_cast<int>(hue)];
}

int brightness(const std::uint8_t* bgr) {
    return bgr[0] + bgr[1] + bgr[2];
}

// Pixels whose colour is of the given hue and bright: the vivid green of pins and plus signs, say.
int countVivid(const BitmapImage& image, Hue hue) {
    int n = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t* p = bitmapPixel(image, x, y);
            if (hueOf(p) == hue && std::max({p[0], p[1], p[2]}) >= 200) ++n;
        }
    return n;
}

} // namespace

TEST(Bitmaps, SizesAndLayout) {
    struct Expected {
        int id, width, height;
    };
    const Expected all[] = {
        {100, 32, 32}, {101, 32, 32}, {102, 32, 32}, {103, 32, 32}, {104, 32, 32}, {105, 32, 32},
        {106, 32, 32}, {107, 32, 32}, {108, 32, 32}, {109, 32, 32}, {110, 32, 32}, {115, 32, 32},
        {116, 32, 32}, {117, 32, 32}, {118, 32, 32}, {119, 32, 32}, {122, 32, 32}, {124, 16, 16},
        {125, 32, 32}, {126, 32, 32}, {127, 32, 32}, {128, 32, 32}, {129, 32, 32}, {130, 32, 32},
        {131, 32, 32}, {132, 32, 32}, {133, 32, 32}, {134, 32, 32}, {135, 32, 32}, {136, 32, 32},
        {137, 32, 32}, {138, 32, 32}, {139, 32, 32}, {140, 32, 32}, {141, 30, 40}, {142, 30, 40},
        {143, 32, 32}, {144, 32, 32}, {145, 32, 32}, {146, 32, 32}};
    for (const Expected& e : all) {
        BitmapImage image;
        ASSERT_TRUE(bitmapResource(e.id, image)) << e.id;
        EXPECT_EQ(image.width, e.width) << e.id;
        EXPECT_EQ(image.height, e.height) << e.id;
        EXPECT_EQ(image.rowBytes % 4, 0) << e.id;
        EXPECT_GE(image.rowBytes, e.width * 3) << e.id;
        EXPECT_EQ(image.bytes.size(), static_cast<std::size_t>(image.rowBytes) * e.height);
    }
    // A 30-pixel row takes 90 bytes, padded to 92.
    BitmapImage chevron;
    ASSERT_TRUE(bitmapResource(141, chevron));
    EXPECT_EQ(chevron.rowBytes, 92);
    // Ids without a picture leave the output alone.
    BitmapImage untouched;
    untouched.width = 7;
    for (int id : {0, 99, 111, 114, 120, 123, 147, 99999, -1})
        EXPECT_FALSE(bitmapResource(id, untouched));
    EXPECT_EQ(untouched.width, 7);
}

TEST(Bitmaps, GroundsAndRowOrder) {
    BitmapImage image;
    // Mode icons stand on red, the view menu icon on blue (sampled inside the edge).
    for (int id : {131, 132, 133, 134}) {
        ASSERT_TRUE(bitmapResource(id, image));
        const std::uint8_t* p = bitmapPixel(image, 2, 2);
        EXPECT_GT(p[2], 2 * p[1]) << id;
        EXPECT_GT(p[2], 2 * p[0]) << id;
    }
    ASSERT_TRUE(bitmapResource(124, image));
    EXPECT_GT(bitmapPixel(image, 2, 2)[0], 2 * bitmapPixel(image, 2, 2)[2]);

    // Cursors: the pointer's tip is the top-left pixel, stored in the last row (bottom-up);
    // everything far from the pointer is black so the cursor blend leaves the frame alone.
    BitmapImage plain;
    ASSERT_TRUE(bitmapResource(135, plain));
    for (int id : {135, 136, 137, 138, 139, 140, 143}) {
        ASSERT_TRUE(bitmapResource(id, image));
        const std::uint8_t* tip = image.bytes.data() + (image.height - 1) * image.rowBytes;
        EXPECT_FALSE(isBlack(tip)) << id;
        EXPECT_TRUE(isBlack(image.bytes.data())) << id; // bottom-left corner
        for (auto [x, y] : {std::pair{31, 0}, {31, 31}, {0, 31}, {30, 30}, {20, 2}})
            EXPECT_TRUE(isBlack(bitmapPixel(image, x, y))) << id << " at " << x << "," << y;
        // Each cursor but the plain pointer carries a badge below-right of the pointer.
        int differing = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if (!isBlack(bitmapPixel(image, x, y)) != !isBlack(bitmapPixel(plain, x, y)))
                    ++differing;
        if (id == 135)
            EXPECT_EQ(differing, 0);
        else
            EXPECT_GT(differing, 10) << id;
    }
}

TEST(Bitmaps, ButtonGroundsAndSigns) {
    BitmapImage image;
    struct Ground {
        int id;
        Hue hue;
    };
    // Each button's ground, sampled just inside its edge; the edge itself is darker.
    const Ground grounds[] = {
        {101, Hue::Green},  {102, Hue::Green},  {103, Hue::Red},    {104, Hue::Red},
        {105, Hue::Yellow}, {106, Hue::Yellow}, {107, Hue::Yellow}, {108, Hue::Yellow},
        {109, Hue::Yellow}, {110, Hue::Blue},   {115, Hue::Purple}, {116, Hue::Blue},
        {117, Hue::Teal},   {118, Hue::Teal},   {119, Hue::Green},  {122, Hue::Dark},
        {125, Hue::Purple}, {126, Hue::Purple}, {127, Hue::Purple}, {128, Hue::Purple},
        {129, Hue::Purple}, {130, Hue::Purple}, {141, Hue::Teal},   {142, Hue::Teal},
        {144, Hue::Red},    {145, Hue::Purple}, {146, Hue::Blue}};
    for (const Ground& g : grounds) {
        ASSERT_TRUE(bitmapResource(g.id, image)) << g.id;
        const std::uint8_t* inside = bitmapPixel(image, 1, 1);
        EXPECT_EQ(hueOf(inside), g.hue) << g.id;
        EXPECT_LT(brightness(bitmapPixel(image, 0, 0)), brightness(inside)) << g.id;
    }

    // The delete cross is light across the middle of its dark ground.
    ASSERT_TRUE(bitmapResource(122, image));
    EXPECT_GT(brightness(bitmapPixel(image, 15, 15)), 3 * 180);

    // Inside the dashed frame: a blue shape, a green plus, a red minus, a red cross.
    const std::pair<int, Hue> signs[] = {
        {105, Hue::Blue}, {106, Hue::Green}, {107, Hue::Red}, {109, Hue::Red}};
    for (auto [id, hue] : signs) {
        ASSERT_TRUE(bitmapResource(id, image));
        EXPECT_EQ(hueOf(bitmapPixel(image, 15, 15)), hue) << id;
        // The frame's top side alternates dash and gap.
        int changes = 0;
        for (int x = 5; x < 27; ++x)
            changes += isBlack(bitmapPixel(image, x, 4)) != isBlack(bitmapPixel(image, x - 1, 4));
        EXPECT_GE(changes, 8) << id;
    }
    // Three stacked shapes show more blue than one.
    BitmapImage one;
    ASSERT_TRUE(bitmapResource(105, one));
    ASSERT_TRUE(bitmapResource(108, image));
    int blueOne = 0, blueStack = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            blueOne += hueOf(bitmapPixel(one, x, y)) == Hue::Blue;
            blueStack += hueOf(bitmapPixel(image, x, y)) == Hue::Blue;
        }
    EXPECT_GT(blueStack, blueOne + 20);

    // Only the pictures with a pin carry its vivid green.
    for (int id : {130, 146}) {
        ASSERT_TRUE(bitmapResource(id, image));
        EXPECT_GT(countVivid(image, Hue::Green), 10) << id;
    }
    for (int id : {110, 128, 129}) {
        ASSERT_TRUE(bitmapResource(id, image));
        EXPECT_EQ(countVivid(image, Hue::Green), 0) << id;
    }
}

TEST(Bitmaps, SharedPartsAndMirroring) {
    // The right chevron is the left one mirrored, pixel for pixel.
    BitmapImage left, right;
    ASSERT_TRUE(bitmapResource(141, left));
    ASSERT_TRUE(bitmapResource(142, right));
    int mismatches = 0, differences = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 30; ++x) {
            mismatches += !std::equal(bitmapPixel(left, x, y), bitmapPixel(left, x, y) + 3,
                                      bitmapPixel(right, 29 - x, y));
            differences += !std::equal(bitmapPixel(left, x, y), bitmapPixel(left, x, y) + 3,
                                       bitmapPixel(right, x, y));
        }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(differences, 50); // and not the same picture

    // The ALL padlocks are the plain ones with letters on the body: same shackle and ground,
    // some pixels changed on the lower half only.
    for (auto [plainId, allId] : {std::pair{101, 102}, {103, 104}}) {
        BitmapImage plain, all;
        ASSERT_TRUE(bitmapResource(plainId, plain));
        ASSERT_TRUE(bitmapResource(allId, all));
        int upper = 0, lower = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if (!std::equal(bitmapPixel(plain, x, y), bitmapPixel(plain, x, y) + 3,
                                bitmapPixel(all, x, y)))
                    ++(y < 16 ? upper : lower);
        EXPECT_EQ(upper, 0) << allId;
        EXPECT_GT(lower, 8) << allId;
    }
}
