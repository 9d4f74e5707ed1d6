// What a drawn panel shows: bars, clamping, hover colours, image buttons, the picker and text;
// every toolbar and box as built, side by side in one frame.
#include "base/numbers.h"
#include "gl_test_context.h"
#include "platform/fake_platform.h"
#include "platform/qt/qt_platform.h"
#include "ui/bitmap_texture.h"
#include "ui/font.h"
#include "ui/hints.h"
#include "ui/panel.h"
#include "ui/panel_draw.h"
#include "ui/toolbars.h"

#include <GL/gl.h>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
constexpr int W = kGlTestWidth, H = kGlTestHeight;
// The default colours as bytes.
constexpr int kLight[3] = {179, 204, 230};
constexpr int kBack[3] = {102, 77, 51};
constexpr int kHover[3] = {204, 204, 204};

bool near(const Rgb& got, const int (&c)[3]) {
    return rgbNear(got, c[0], c[1], c[2]);
}

class PanelDrawing : public GlTest {
  protected:
    void SetUp() override {
        ASSERT_NE(glGetString(GL_VERSION), nullptr);
        glDisable(GL_SCISSOR_TEST);
        glViewport(0, 0, W, H);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        constructPanel(panel);
        resetPanel(panel, 200, 100, "Panel");
        panel.visible = true;
    }
    void TearDown() override { deleteFont(panel); }
    int addButton(int id, int x, int y, int w, int h, const char* help) {
        return addWidget(panel, id, WidgetType::Button, x, y, w, h, 5, 14, "", true, true, false,
                         help, false, false, 0, 0);
    }
    Panel panel;
};

} // namespace

TEST_F(PanelDrawing, BarsBodyAndClamping) {
    panel.hasTitleBar = true;
    panel.hasStatusBar = true;
    addButton(1, 20, 30, 60, 20, "Help");
    showPanelAt(panel, 10, 20);
    drawPanel(panel, W, H, 0, 0);
    // Title and status bars in the light colour, clear of their texts.
    EXPECT_TRUE(near(glTestPixel(10 + 150, 20 + 6), kLight));
    EXPECT_TRUE(near(glTestPixel(10 + 150, 20 + 100 - 8), kLight));
    // The translucent body adds backColour squared onto the black frame.
    EXPECT_TRUE(rgbNear(glTestPixel(10 + 150, 20 + 50), 41, 23, 10));
    // Outside the panel nothing changed.
    EXPECT_TRUE(rgbNear(glTestPixel(10 + 201, 20 + 50), 0, 0, 0));
    EXPECT_EQ(panel.statusText, " ");

    // A panel past the bottom-right corner is pulled back to end 2 pixels before the edges,
    // and keeps the corrected corner; one past the top-left stops 2 pixels in.
    glClear(GL_COLOR_BUFFER_BIT);
    showPanelAt(panel, 700, 550);
    drawPanel(panel, W, H, 0, 0);
    EXPECT_EQ(panel.x, W - 200 - 2);
    EXPECT_EQ(panel.y, H - 100 - 2);
    EXPECT_TRUE(near(glTestPixel(panel.x + 150, panel.y + 6), kLight));
    EXPECT_TRUE(near(glTestPixel(W - 4, panel.y + 6), kLight)); // the bars end at width - 1
    EXPECT_TRUE(rgbNear(glTestPixel(W - 3, panel.y + 6), 0, 0, 0));
    showPanelAt(panel, -50, -1);
    drawPanel(panel, W, H, 0, 0);
    EXPECT_EQ(panel.x, 2);
    EXPECT_EQ(panel.y, 2);

    // An invisible panel draws nothing and keeps its corner.
    glClear(GL_COLOR_BUFFER_BIT);
    panel.visible = false;
    panel.x = 700;
    drawPanel(panel, W, H, 0, 0);
    EXPECT_EQ(panel.x, 700);
    EXPECT_TRUE(rgbNear(glTestPixel(2 + 150, 2 + 6), 0, 0, 0));
}

TEST_F(PanelDrawing, ButtonsHoverAndShowTheirHelp) {
    panel.translucent = false;
    addButton(1, 20, 30, 60, 20, "First");
    addButton(2, 100, 30, 60, 20, "Second");
    panel.widgets[1].enabled = false;
    showPanelAt(panel, 100, 100);
    // Cursor on the first button: hover colour and its help; the disabled one stays grey.
    drawPanel(panel, W, H, 100 + 30, 100 + 35);
    EXPECT_TRUE(near(glTestPixel(100 + 50, 100 + 33), kHover));
    EXPECT_TRUE(rgbNear(glTestPixel(100 + 130, 100 + 33), 128, 128, 128));
    EXPECT_TRUE(near(glTestPixel(100 + 90, 100 + 40), kBack)); // opaque body between them
    EXPECT_EQ(panel.statusText, "First");
    // Cursor on the disabled one: hovered all the same.
    drawPanel(panel, W, H, 100 + 130, 100 + 35);
    EXPECT_TRUE(near(glTestPixel(100 + 50, 100 + 33), kLight));
    EXPECT_TRUE(near(glTestPixel(100 + 130, 100 + 33), kHover));
    EXPECT_EQ(panel.statusText, "Second");
}

TEST_F(PanelDrawing, ImageButtonsShowTheirBitmapUpright) {
    panel.translucent = false;
    const unsigned texture = loadBitmapTexture(133);
    ASSERT_NE(texture, 0u);
    EXPECT_EQ(loadBitmapTexture(99999), 0u);
    const int i = addWidget(panel, 7, WidgetType::ImageButton, 10, 10, 32, 32, 2, 12, "", true,
                            true, false, "Scale", false, false, static_cast<int>(texture), 0);
    showPanelAt(panel, 200, 200);
    const int x0 = 210, y0 = 210;
    // The small grey square is at the top-left of the picture, red ground below it; the
    // button draws at 0.8 brightness.
    drawPanel(panel, W, H, 0, 0);
    EXPECT_TRUE(rgbNear(glTestPixel(x0 + 7, y0 + 7), 160, 160, 160));
    EXPECT_TRUE(rgbNear(glTestPixel(x0 + 7, y0 + 24), 152, 26, 26));
    // Hovered: backColour squared is added, and the help text shows.
    drawPanel(panel, W, H, x0 + 16, y0 + 16);
    EXPECT_TRUE(rgbNear(glTestPixel(x0 + 7, y0 + 24), 152 + 41, 26 + 23, 26 + 10));
    EXPECT_EQ(panel.statusText, "Scale");
    // Disabled and hovered: dim, no highlight, no help.
    panel.widgets[i].enabled = false;
    drawPanel(panel, W, H, x0 + 16, y0 + 16);
    EXPECT_TRUE(rgbNear(glTestPixel(x0 + 7, y0 + 24), 57, 10, 10));
    EXPECT_EQ(panel.statusText, " ");
    // Toggled on: the frame is scaled by 1 + hoverColour.
    panel.widgets[i].enabled = true;
    panel.widgets[i].state = true;
    drawPanel(panel, W, H, 0, 0);
    EXPECT_TRUE(rgbNear(glTestPixel(x0 + 7, y0 + 24), 255, 47, 47));
    GLuint name = texture;
    glDeleteTextures(1, &name);
}

TEST_F(PanelDrawing, ColourPickerShowsSlotsAndSample) {
    panel.translucent = false;
    resetPanel(panel, 260, 150, "");
    addWidget(panel, 0, WidgetType::ColourPicker, 5, 5, 10, 10, 0, 0, "", true, true, false, "",
              false, false, 0, 0);
    panel.pickerSlot = 1;
    panel.pickerColours[1] = {1.0f, 0.0f, 0.5f, 1.0f};
    showPanelAt(panel, 50, 50);
    drawPanel(panel, W, H, 0, 0);
    EXPECT_EQ(panel.widgets[0].width, 240);
    EXPECT_EQ(panel.widgets[0].height, 130);
    const int x0 = 55, y0 = 55;
    EXPECT_TRUE(near(glTestPixel(x0 + 60, y0 + 32), kLight));           // selected row
    EXPECT_TRUE(rgbNear(glTestPixel(x0 + 60, y0 + 7), 153, 128, 102));  // other rows
    EXPECT_TRUE(rgbNear(glTestPixel(x0 + 15, y0 + 40), 255, 0, 128));   // slot swatch
    EXPECT_TRUE(rgbNear(glTestPixel(x0 + 160, y0 + 106), 255, 0, 128)); // sample
    EXPECT_TRUE(rgbNear(glTestPixel(x0 + 15, y0 + 15), 128, 128, 128)); // slot 0's 0.5
}

TEST_F(PanelDrawing, TextFromSyntheticGlyphs) {
    // The fake platform's glyphs are 5 x 8 boxes on the baseline, 6 pixels apart.
    FakePlatform platform;
    panel.translucent = false;
    createFont(panel, platform);
    ASSERT_NE(panel.fontBase, 0u);
    addWidget(panel, 3, WidgetType::Label, 10, 10, 0, 0, 2, 20, "H\x01H H", true, true, false, "",
              false, false, 0, 0);
    showPanelAt(panel, 100, 100);
    drawPanel(panel, W, H, 0, 0);
    // Baseline at y 130; glyphs at x 112..116 and 118..122 (the control character is skipped),
    // then the blank space advances to 130..134.
    EXPECT_TRUE(near(glTestPixel(114, 126), kLight));
    EXPECT_TRUE(near(glTestPixel(120, 123), kLight));
    EXPECT_TRUE(near(glTestPixel(117, 126), kBack));
    EXPECT_TRUE(near(glTestPixel(126, 126), kBack));
    EXPECT_TRUE(near(glTestPixel(132, 126), kLight));
    EXPECT_TRUE(near(glTestPixel(136, 126), kBack));
    EXPECT_TRUE(near(glTestPixel(114, 131), kBack)); // nothing below the baseline
}

TEST_F(PanelDrawing, TextFromTheSystemFont) {
    QtPlatform platform;
    GlyphSet glyphs;
    ASSERT_TRUE(platform.rasterizeGlyphs(kFontFamily, kFontPixelHeight, glyphs));
    panel.translucent = false;
    createFontFromGlyphs(panel, glyphs);
    addWidget(panel, 3, WidgetType::Label, 10, 10, 0, 0, 17, 14, "Facetwright", true, true, false,
              "", false, false, 0, 0);
    showPanelAt(panel, 100, 100);
    drawPanel(panel, W, H, 0, 0);
    // Ink in the light colour between the cap height and the descender line, nothing after the
    // text or well above it.
    const int baseline = 100 + 10 + 14, left = 100 + 10 + 17;
    int ink = 0;
    for (int y = baseline - 10; y <= baseline + 3; ++y)
        for (int x = left - 1; x < left + 80; ++x)
            if (near(glTestPixel(x, y), kLight)) ++ink;
    EXPECT_GT(ink, 40) << glyphs.family;
    for (int x = left; x < left + 80; x += 3)
        EXPECT_TRUE(near(glTestPixel(x, baseline - 13), kBack));
    EXPECT_TRUE(near(glTestPixel(left + 110, baseline - 4), kBack));
}

namespace {

// Writes the frame as a binary PPM, top row first.
bool writeFramePpm(const std::string& path) {
    std::vector<unsigned char> rows(static_cast<std::size_t>(W) * H * 3);
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, W, H, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
    std::string header = "P6\n";
    appendInt(header, W);
    header += ' ';
    appendInt(header, H);
    header += "\n255\n";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(header.data(), 1, header.size(), f) == header.size();
    for (int y = H - 1; y >= 0 && ok; --y)
        ok = std::fwrite(rows.data() + static_cast<std::size_t>(y) * W * 3, 1, W * 3, f) == W * 3u;
    return std::fclose(f) == 0 && ok;
}

// Where each built panel stands in the 800 x 600 frame.
struct Placement {
    Panel Panels::*member;
    int x, y;
};
constexpr Placement kPlacements[] = {
    {&Panels::meshPinExtended, 4, 4}, {&Panels::trianglePin, 198, 4}, {&Panels::hints, 392, 4},
    {&Panels::unlock, 640, 4},        {&Panels::edit, 724, 4},        {&Panels::viewOrtho, 640, 70},
    {&Panels::cursorMode, 640, 134},  {&Panels::meshPin, 4, 260},     {&Panels::view3D, 198, 260},
    {&Panels::about, 430, 260},       {&Panels::debugText, 4, 370},
};

} // namespace

// Builds every toolbar and box with the real bitmaps and font and draws them all; with
// FW_PANEL_SHOTS naming a folder the frame is also written there as panels.ppm.
TEST(ToolbarDrawing, EveryPanelSideBySide) {
    if (glGetString(GL_VERSION) == nullptr) {
        ASSERT_TRUE(glTestContextStart(W, H));
    }
    glDisable(GL_SCISSOR_TEST);
    glViewport(0, 0, W, H);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Panels panels;
    QtPlatform platform;
    unsigned cursors[kCursorTextures] = {};
    buildToolbars(panels, platform, cursors);
    for (int i = 0; i < kCursorTextures; ++i) EXPECT_NE(cursors[i], 0u) << i;
    bool flags[kHintRecords] = {true, true, true, true, true, true, true, true, true, true};
    ASSERT_TRUE(offerHint(panels, flags, kHintStart, W, H));
    setCaption(panels.debugText, "FPS: 60", kIdDebugFirstLine);
    setCaption(panels.debugText, "Vertices: 6  Triangles: 2", kIdDebugFirstLine + 1);
    for (const Placement& p : kPlacements) showPanelAt(panels.*p.member, p.x, p.y);

    // The cursor rests on "View Mesh Material Properties" of the extended toolbar.
    const Panel& ext = panels.meshPinExtended;
    const int cursorX = 4 + 116 + 16, cursorY = 4 + 90 + 16;
    for (const Placement& p : kPlacements) drawPanel(panels.*p.member, W, H, cursorX, cursorY);
    if (const char* folder = std::getenv("FW_PANEL_SHOTS")) {
        EXPECT_TRUE(writeFramePpm(std::string(folder) + "/panels.ppm"));
    }

    // No panel had to be pulled back into the frame.
    for (const Placement& p : kPlacements) {
        EXPECT_EQ((panels.*p.member).x, p.x) << (panels.*p.member).title;
        EXPECT_EQ((panels.*p.member).y, p.y) << (panels.*p.member).title;
    }
    // Each image button of the extended toolbar covers its square; the gaps between the columns
    // show the translucent body.
    for (const Widget& w : ext.widgets) {
        const Rgb centre = glTestPixel(ext.x + w.x + 16, ext.y + w.y + 16);
        EXPECT_FALSE(rgbNear(centre, 41, 23, 10, 3)) << w.id;
        EXPECT_TRUE(rgbNear(glTestPixel(ext.x + w.x + 34, ext.y + w.y + 16), 41, 23, 10)) << w.id;
    }
    EXPECT_EQ(ext.statusText, "View Mesh Material Properties");
    EXPECT_EQ(panels.trianglePin.statusText, " ");
    int ink = 0; // the help text in the status bar
    for (int x = ext.x + 4; x < ext.x + 150; ++x)
        if (near(glTestPixel(x, ext.y + ext.height - 7), kBack)) ++ink;
    EXPECT_GT(ink, 10);

    // The Hints box: its title box is opaque and dark, its check box light and ticked.
    const Panel& hints = panels.hints;
    EXPECT_TRUE(near(glTestPixel(hints.x + 20 + 195, hints.y + 20 + 155), kBack));
    EXPECT_TRUE(near(glTestPixel(hints.x + 40 + 13, hints.y + 205 + 13), kLight));
    EXPECT_TRUE(
        glTestColourAround(hints.x + 40 + 6, hints.y + 205 + 10, kBack[0], kBack[1], kBack[2]));
    deleteToolbarFonts(panels);
}
