// The bitmap resources: sizes, row order and the pictures' grounds.
#include "resources/bitmaps.h"

#include <gtest/gtest.h>

namespace {

bool isBlack(const std::uint8_t* bgr) {
    return bgr[0] == 0 && bgr[1] == 0 && bgr[2] == 0;
}

} // namespace

TEST(Bitmaps, SizesAndLayout) {
    struct Expected {
        int id, width, height;
    };
    const Expected all[] = {{100, 32, 32}, {124, 16, 16}, {131, 32, 32}, {132, 32, 32},
                            {133, 32, 32}, {134, 32, 32}, {135, 32, 32}, {136, 32, 32},
                            {137, 32, 32}, {138, 32, 32}, {139, 32, 32}, {140, 32, 32},
                            {143, 32, 32}};
    for (const Expected& e : all) {
        BitmapImage image;
        ASSERT_TRUE(bitmapResource(e.id, image)) << e.id;
        EXPECT_EQ(image.width, e.width) << e.id;
        EXPECT_EQ(image.height, e.height) << e.id;
        EXPECT_EQ(image.rowBytes % 4, 0) << e.id;
        EXPECT_GE(image.rowBytes, e.width * 3) << e.id;
        EXPECT_EQ(image.bytes.size(), static_cast<std::size_t>(image.rowBytes) * e.height);
    }
    // Ids without a picture leave the output alone.
    BitmapImage untouched;
    untouched.width = 7;
    for (int id : {0, 101, 123, 141, 142, 144, 99999, -1})
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
