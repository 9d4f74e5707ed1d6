// Texture sizes, the black colour key and where texture images are looked for.
#include "model/texture_rules.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
std::pair<int, int> sized(int w, int h, int max) {
    int tw = -1, th = -1;
    if (!textureSize(w, h, max, tw, th)) return {0, 0};
    return {tw, th};
}
} // namespace

TEST(TextureRules, SidesArePowersOfTwoNearestOnALogScaleAndCapped) {
    using P = std::pair<int, int>;
    // 300 lies nearer 256 than 512 on a log scale; 200 rounds up to 256.
    EXPECT_EQ(sized(300, 200, 1024), P(256, 256));
    EXPECT_EQ(sized(400, 100, 1024), P(512, 128));
    // Width past the maximum is capped; height still rounds.
    EXPECT_EQ(sized(3000, 700, 1024), P(1024, 512));
    EXPECT_EQ(sized(1, 1, 1024), P(1, 1));
    // A maximum that is no power of two is never passed.
    EXPECT_EQ(textureSide(900, 1000), 1000);
    // Empty or negative images and a missing maximum make no texture.
    EXPECT_EQ(sized(0, 16, 1024), P(0, 0));
    EXPECT_EQ(sized(16, -3, 1024), P(0, 0));
    EXPECT_EQ(sized(16, 16, 0), P(0, 0));
    // A huge image on an implementation taking 16384 stays within the memory bound.
    const P big = sized(16000, 16000, 16384);
    EXPECT_LE(static_cast<long long>(big.first) * big.second, kTexturePixelLimit);
    EXPECT_EQ(sized(16000, 10, 16384), P(16384, 8));
}

TEST(TextureRules, PureBlackIsTheOnlyTransparentColour) {
    std::vector<std::uint8_t> px = {0, 0, 0, 99, 0, 0, 1, 0, 1, 0, 0, 7, 200, 100, 50, 0};
    applyBlackColourKey(px.data(), 4);
    const std::vector<std::uint8_t> want = {0, 0, 0, 0,   0,   0,   1,  255,
                                            1, 0, 0, 255, 200, 100, 50, 255};
    EXPECT_EQ(px, want);
}

TEST(TextureRules, PathsAndStoredNames) {
    // "http://" anywhere: the name is the address.
    EXPECT_EQ(texturePath("http://example.com/a.bmp", "/m/"), "http://example.com/a.bmp");
    EXPECT_EQ(texturePath("x/http://h/a.bmp", "/m/"), "x/http://h/a.bmp");
    // Otherwise joined to the model's folder, Windows separators turned round.
    EXPECT_EQ(texturePath("./wood.jpg", "/models/"), "/models/./wood.jpg");
    EXPECT_EQ(texturePath("tex\\wood.jpg", "/models"), "/models/tex/wood.jpg");
    // Picked images are stored by bare name while the model has no folder, or sit in its folder;
    // from anywhere else they keep the way from the model's folder.
    EXPECT_EQ(textureRecordName("/home/u/pics/wood.jpg", ""), "./wood.jpg");
    EXPECT_EQ(textureRecordName("C:\\pics\\stone.bmp", ""), "./stone.bmp");
    EXPECT_EQ(textureRecordName("/m/models/wood.jpg", "/m/models/"), "./wood.jpg");
    EXPECT_EQ(textureRecordName("/m/models/maps/wood.jpg", "/m/models/"), "./maps/wood.jpg");
    EXPECT_EQ(textureRecordName("/m/pics/wood.jpg", "/m/models/"), "../pics/wood.jpg");
}
