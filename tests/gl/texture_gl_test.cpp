// Textures on real frames: an image file decoded, uploaded and drawn, black blended away, and
// every model load making the textures of its records.
#include "app/file_commands.h"
#include "app/startup.h"
#include "app/textures.h"
#include "base/paths.h"
#include "gl_test_context.h"
#include "model/model_file.h"
#include "platform/fake_platform.h"
#include "platform/qt/qt_platform.h"
#include "render/model_draw.h"
#include "render/viewport.h"
#include "scratch_dirs.h"

#include <GL/gl.h>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace {
constexpr int W = kGlTestWidth, H = kGlTestHeight;

std::string scratchDir() {
    const std::string dir = fwtest::makeTempDir("fwtex");
    return dir.empty() ? std::string() : dir + "/";
}

// A 24-bit BMP of 2 x 2 pixels, written byte by byte: top row red, black; bottom row green, blue.
void writeChecker(const std::string& path) {
    auto le = [](std::string& s, std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 0xff);
    };
    std::string b = "BM";
    le(b, 54 + 16, 4); // file size: two rows of 6 bytes padded to 8
    le(b, 0, 4);
    le(b, 54, 4);
    le(b, 40, 4);
    le(b, 2, 4);
    le(b, 2, 4); // positive height: bottom row first
    le(b, 1, 2);
    le(b, 24, 2);
    for (int i = 0; i < 6; ++i) le(b, 0, 4);
    const unsigned char rows[2][8] = {{0, 255, 0, 255, 0, 0, 0, 0}, // green, blue (BGR)
                                      {0, 0, 255, 0, 0, 0, 0, 0}};  // red, black
    for (const auto& row : rows) b.append(reinterpret_cast<const char*>(row), 8);
    std::ofstream(path, std::ios::binary) << b;
}

// The 2 x 2 square of the Front view with the whole texture on it, as one mesh.
void texturedSquare(Model& m, const std::string& textureName) {
    const float corners[6][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, -1}, {1, 1}, {-1, 1}};
    for (const auto& c : corners) {
        Vertex v;
        v.x = c[0];
        v.y = c[1];
        v.textureX = (c[0] + 1) / 2;
        v.textureY = (c[1] + 1) / 2;
        m.vertices.push_back(v);
    }
    Mesh mesh;
    mesh.triangleCount = 2;
    m.meshes = {mesh};
    Material mat;
    mat.colourRed = mat.colourGreen = mat.colourBlue = mat.colourAlpha = 1;
    mat.EnableTexture = true;
    mat.EnableBlend = true;
    mat.blendSrc = GL_SRC_ALPHA;
    mat.blendDst = GL_ONE_MINUS_SRC_ALPHA;
    m.materials = {mat};
    m.textures.resize(1);
    m.textures[0].fileName = textureName;
    m.LoadOK = true;
    m.currentMesh = -1;
}

class TextureDrawing : public ViewsGlTest {
  protected:
    void SetUp() override {
        ViewsGlTest::SetUp();
        for (Viewport& v : views) v.showGrid = v.showAxes = false;
    }
};
} // namespace

TEST_F(TextureDrawing, CheckerImageShowsUprightAndBlackBlendsAway) {
    const std::string dir = scratchDir();
    writeChecker(dir + "checker.bmp");
    ASSERT_TRUE(setCurrentDirectory(dir));
    QtPlatform platform;
    Model m;
    texturedSquare(m, "checker.bmp");
    ASSERT_TRUE(createTexture(platform, m, 0));
    EXPECT_NE(m.textures[0].glTexture, 0u);
    // Front view: the square spans x 100..300, y 50..250; each quadrant's middle hits one texel.
    glClearColor(0.2f, 0.4f, 0.6f, 1);
    setupViewport(views[ViewFront]);
    drawShaded(m);
    EXPECT_TRUE(rgbNear(glTestPixel(150, 100), 255, 0, 0)); // top left of the image on top left
    EXPECT_TRUE(rgbNear(glTestPixel(150, 200), 0, 255, 0));
    EXPECT_TRUE(rgbNear(glTestPixel(250, 200), 0, 0, 255));
    EXPECT_TRUE(rgbNear(glTestPixel(250, 100), 51, 102, 153)); // black: the background shows
    // Without blending black is drawn as black.
    m.materials[0].EnableBlend = false;
    setupViewport(views[ViewFront]);
    drawShaded(m);
    EXPECT_TRUE(rgbNear(glTestPixel(250, 100), 0, 0, 0));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
}

TEST_F(TextureDrawing, StartOpenAndImportMakeTheTexturesOfTheLoadedRecords) {
    FakePlatform platform;
    RgbaImage grey;
    grey.width = grey.height = 2;
    grey.pixels.assign(16, 128);
    // Two model files in two folders, each naming an image beside it.
    const std::string a = scratchDir(), b = scratchDir();
    for (const std::string& folder : {a, b}) {
        Model m;
        texturedSquare(m, "./wood.bmp");
        m.fileName = folder + "m.FW2";
        ASSERT_TRUE(writeModelFile(m));
        platform.images[folder + "./wood.bmp"] = grey;
    }
    Editor editor(platform);
    // Named on the command line at start-up.
    ASSERT_TRUE(startEditor(editor, a + "m.FW2"));
    ASSERT_EQ(textureCount(editor.edit), 1);
    const std::uint32_t first = editor.edit.textures[0].glTexture;
    EXPECT_NE(first, 0u);
    // Imported: the appended record gets a texture of its own.
    platform.openAnswers.push_back(b + "m.FW2");
    importModelCommand(editor, false);
    ASSERT_EQ(textureCount(editor.edit), 2);
    EXPECT_NE(editor.edit.textures[1].glTexture, 0u);
    EXPECT_NE(editor.edit.textures[1].glTexture, first);
    // Opened from the dialog: a fresh texture again.
    platform.openAnswers.push_back(b + "m.FW2");
    openModel(editor);
    ASSERT_EQ(textureCount(editor.edit), 1);
    EXPECT_NE(editor.edit.textures[0].glTexture, 0u);
    EXPECT_NE(editor.edit.textures[0].glTexture, first);
    shutdownEditor(editor);
}
