// Texture images through the scripted platform: sizes asked for, colour key, HTTP bounds, and
// adding a texture from the dialog.
#include "app/textures.h"
#include "base/clock.h"
#include "base/paths.h"
#include "model/texture_rules.h"
#include "platform/fake_platform.h"
#include "temp_files.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

// w x h pixels all of one colour.
RgbaImage solid(int w, int h, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    RgbaImage image;
    image.width = w;
    image.height = h;
    for (int i = 0; i < w * h; ++i) image.pixels.insert(image.pixels.end(), {r, g, b, 7});
    return image;
}

int count(const FakePlatform& p, CallKind kind) {
    return static_cast<int>(p.callsOf(kind).size());
}

} // namespace

TEST(Textures, LocalImagesAreSizedByTheRuleAndKeyedOnBlack) {
    FakePlatform platform;
    const std::string dir = fwtest::makeScratchDir();
    ASSERT_TRUE(setCurrentDirectory(dir));
    platform.images[dir + "./black.bmp"] = solid(300, 200, 0, 0, 0);
    platform.images[dir + "sub/blue.bmp"] = solid(3000, 700, 0, 0, 1);
    RgbaImage out;
    // Resolved against the current directory and decoded at the texture size; black is clear.
    ASSERT_TRUE(readTextureImage(platform, "./black.bmp", 1024, out));
    EXPECT_EQ(platform.calls.back().a, 256);
    EXPECT_EQ(platform.calls.back().b, 256);
    EXPECT_EQ(out.pixels[3], 0);
    // A name written on Windows; the width is capped at the maximum; near-black is opaque.
    ASSERT_TRUE(readTextureImage(platform, "sub\\blue.bmp", 1024, out));
    EXPECT_EQ(out.width, 1024);
    EXPECT_EQ(out.height, 512);
    EXPECT_EQ(out.pixels[3], 255);
    // A missing image fails without a decode.
    const int decodes = count(platform, CallKind::DecodeImage);
    EXPECT_FALSE(readTextureImage(platform, "missing.bmp", 1024, out));
    EXPECT_EQ(count(platform, CallKind::DecodeImage), decodes);
}

TEST(Textures, RemoteImagesTakeOneBoundedGetAndDecodeFromMemory) {
    FakePlatform platform;
    const std::string url = "http://example.com/t.bmp";
    platform.httpBodies[url] = "encoded";
    platform.imageData["encoded"] = solid(400, 100, 9, 9, 9);
    RgbaImage out;
    ASSERT_TRUE(readTextureImage(platform, url, 1024, out));
    ASSERT_EQ(count(platform, CallKind::HttpGet), 1);
    EXPECT_EQ(platform.callsOf(CallKind::HttpGet)[0].text, url);
    EXPECT_GT(platform.callsOf(CallKind::HttpGet)[0].a, 0);
    EXPECT_LE(platform.callsOf(CallKind::HttpGet)[0].a, 5000);
    EXPECT_EQ(count(platform, CallKind::ImageSize), 0); // never looked for as a file
    EXPECT_EQ(out.width, 512);
    EXPECT_EQ(out.height, 128);
    // A body over the size limit is dropped before decoding; so is a failed GET.
    const std::string big(kRemoteTextureBytesLimit + 1, 'x');
    platform.httpBodies[url] = big;
    platform.imageData[big] = solid(4, 4, 9, 9, 9);
    EXPECT_FALSE(readTextureImage(platform, url, 1024, out));
    EXPECT_EQ(count(platform, CallKind::ImageDataSize), 1);
    EXPECT_FALSE(readTextureImage(platform, "http://example.com/none.bmp", 1024, out));
}

TEST(Textures, AddTextureKeepsTheRecordAndCancelChangesNothing) {
    FakePlatform platform;
    Model m;
    m.textures.resize(1);
    m.textures[0].glTexture = 7;
    // Cancelled: no record.
    EXPECT_FALSE(addTexture(platform, m));
    EXPECT_EQ(textureCount(m), 1);
    const auto dialogs = platform.callsOf(CallKind::OpenFileDialog);
    ASSERT_EQ(dialogs.size(), 1u);
    ASSERT_EQ(dialogs[0].dialog.filters.size(), 3u);
    EXPECT_EQ(dialogs[0].dialog.filters[1].description,
              "Bitmap File (Only 24bit Images are Supported)");
    EXPECT_EQ(dialogs[0].dialog.filters[2].patterns, "*.jpg;*.jpeg;");
    // An unreadable image still adds its record, by bare name, without a texture.
    const std::string dir = fwtest::makeScratchDir();
    fwtest::writeText(dir + "junk.bmp", "not an image");
    platform.openAnswers.push_back(dir + "junk.bmp");
    EXPECT_FALSE(addTexture(platform, m));
    ASSERT_EQ(textureCount(m), 2);
    EXPECT_EQ(m.textures[1].fileName, "./junk.bmp");
    EXPECT_EQ(m.textures[1].glTexture, 0u);
    // Picked beside a model that has a folder, the name finds the image from there.
    const std::string modelDir = fwtest::makeScratchDir();
    m.textureFolder = modelDir;
    platform.openAnswers.push_back(dir + "junk.bmp");
    EXPECT_FALSE(addTexture(platform, m));
    ASSERT_EQ(textureCount(m), 3);
    EXPECT_EQ(m.textures[2].fileName.rfind("../", 0), 0u);
    EXPECT_EQ(
        std::filesystem::path(texturePath(m.textures[2].fileName, modelDir)).lexically_normal(),
        dir + "junk.bmp");
    // Failing again (here: no OpenGL context) leaves an existing texture as it was.
    EXPECT_FALSE(createTexture(platform, m, 0));
    EXPECT_FALSE(createTexture(platform, m, 5));
    EXPECT_EQ(m.textures[0].glTexture, 7u);
}

TEST(Textures, BudgetsSkipImagesPastTheMemoryAndTheRemoteTime) {
    FakePlatform platform;
    const std::string dir = fwtest::makeScratchDir();
    ASSERT_TRUE(setCurrentDirectory(dir));
    platform.images[dir + "a.bmp"] = solid(64, 64, 9, 9, 9);
    TextureBudget budget;
    budget.bytesLeft = 2 * 64 * 64 * 4 + 100;
    RgbaImage out;
    // Two fit, the third is skipped before it is decoded.
    EXPECT_TRUE(readTextureImage(platform, "a.bmp", 1024, out, &budget));
    EXPECT_TRUE(readTextureImage(platform, "a.bmp", 1024, out, &budget));
    const int decodes = count(platform, CallKind::DecodeImage);
    EXPECT_FALSE(readTextureImage(platform, "a.bmp", 1024, out, &budget));
    EXPECT_EQ(budget.skip, TextureBudget::Skip::Memory);
    EXPECT_EQ(count(platform, CallKind::DecodeImage), decodes);
    EXPECT_EQ(budget.bytesLeft, 100);

    // Remote fetches share one deadline: each GET waits at most what is left of it.
    const std::string url = "http://10.255.255.1/x.png";
    budget.remoteDeadlineMs = clockMs() + 300;
    EXPECT_FALSE(readTextureImage(platform, url, 1024, out, &budget));
    ASSERT_EQ(count(platform, CallKind::HttpGet), 1);
    EXPECT_LE(platform.callsOf(CallKind::HttpGet)[0].a, 300);
    EXPECT_EQ(budget.skip, TextureBudget::Skip::None); // it was tried
    budget.remoteDeadlineMs = clockMs() - 1;
    EXPECT_FALSE(readTextureImage(platform, url, 1024, out, &budget));
    EXPECT_EQ(budget.skip, TextureBudget::Skip::Time);
    // Not fetched at all when remote textures are off (the tool's default).
    budget.options.fetchRemote = false;
    EXPECT_FALSE(readTextureImage(platform, url, 1024, out, &budget));
    EXPECT_EQ(budget.skip, TextureBudget::Skip::NotFetched);
    EXPECT_EQ(count(platform, CallKind::HttpGet), 1);
}
