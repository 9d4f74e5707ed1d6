// Whole frames of the editor started on the scripted platform, read back pixel by pixel.
#include "app/commands.h"
#include "app/frame_step.h"
#include "app/modelling_commands.h"
#include "app/startup.h"
#include "app/window_messages.h"
#include "base/paths.h"
#include "gl_test_context.h"
#include "platform/fake_platform.h"
#include "ui/panel.h"

#include <GL/gl.h>
#include <cstdio>
#include <deque>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <string>

namespace {

constexpr int W = kGlTestWidth, H = kGlTestHeight;

int lineCount(const std::string& path) {
    std::ifstream in(path);
    int n = 0;
    for (std::string line; std::getline(in, line);) ++n;
    return n;
}

// Hands out one scripted batch per poll (an empty batch: nothing waiting), then Close.
struct BatchPlatform : FakePlatform {
    std::deque<std::vector<WindowEvent>> batches;
    std::vector<int> swapsAtPoll;
    std::vector<bool> waitAtPoll;
    void pollEvents(bool wait, std::vector<WindowEvent>& out) override {
        swapsAtPoll.push_back(swapCount);
        waitAtPoll.push_back(wait);
        if (batches.empty()) {
            WindowEvent close;
            close.type = WindowEventType::Close;
            out.push_back(close);
            return;
        }
        out = batches.front();
        batches.pop_front();
    }
};

class EditorFrame : public GlTest {
  protected:
    void SetUp() override {
        dir = userDirectory();
        makeDirectories(dir);
        for (const char* f : {"Config.ini", "NEW_MODEL.FW2", "PREVIEWMODEL1.FW2",
                              "PREVIEWMODEL2.FW2", "PREVIEWMODEL3.FW2"})
            std::remove((dir + f).c_str());
    }
    void writeConfig(const std::string& text) { std::ofstream(dir + "Config.ini") << text; }
    void start(const std::string& commandLine = "") {
        editor = std::make_unique<Editor>(platform);
        ASSERT_TRUE(startEditor(*editor, commandLine));
    }
    void frame() {
        renderFrame(*editor);
        glFinish();
    }
    void send(WindowEventType type, int x, int y, int buttons = 0) {
        WindowEvent e;
        e.type = type;
        e.x = x, e.y = y, e.buttons = buttons;
        handleWindowEvent(*editor, e);
    }

    std::string dir;
    BatchPlatform platform;
    std::unique_ptr<Editor> editor;
};

// Background 0.2, 0.3, 0.4 and the grid colour 0.2 lighter, as 0..255.
constexpr int kBack[3] = {51, 76, 102};
constexpr int kGrid[3] = {102, 127, 153};
const char* const kBlueConfig = "WindowWidth = 800\nWindowHeight = 600\nBackgroundR = 0.2\n"
                                "BackgroundG = 0.3\nBackgroundB = 0.4\nMaxUndoCount = 3\n"
                                "DeleteDefaultMeshOnStartup = 0\nShowHint0 = 0\n";

} // namespace

TEST_F(EditorFrame, FirstRunWritesDefaultsAndLoadsModels) {
    start();
    // the five default files, complete
    EXPECT_EQ(lineCount(dir + "NEW_MODEL.FW2"), 14);
    EXPECT_EQ(lineCount(dir + "Config.ini"), 23);
    EXPECT_EQ(lineCount(dir + "PREVIEWMODEL1.FW2"), 156);
    EXPECT_EQ(lineCount(dir + "PREVIEWMODEL2.FW2"), 6151);
    EXPECT_EQ(lineCount(dir + "PREVIEWMODEL3.FW2"), 6151);
    // the window as the default configuration asks, with the title and the whole menu
    EXPECT_EQ(platform.windowSpec.title, "Facetwright v2.6");
    EXPECT_EQ(platform.windowSpec.width, 800);
    EXPECT_EQ(platform.windowSpec.height, 600);
    EXPECT_GT(platform.windowSpec.menuCount, 100u);
    // the icon: 32 x 32, yellow corner marks on a dark blue ground (top-left pixel is ground)
    ASSERT_EQ(platform.windowSpec.icon.width, 32);
    ASSERT_EQ(platform.windowSpec.icon.pixels.size(), 32u * 32u * 4u);
    const uint8_t* topLeft = rgbaAt(platform.windowSpec.icon, 0, 31);
    EXPECT_EQ(topLeft[0] + topLeft[1], 20 + 40);
    const uint8_t* apex = rgbaAt(platform.windowSpec.icon, 15, 30);
    EXPECT_EQ(apex[0], 240);
    // the default model under its untitled name, and the previews
    EXPECT_EQ(editor->edit.fileName, "UNTITLED.FW2");
    EXPECT_FALSE(editor->edit.hasFileName);
    EXPECT_EQ(vertexCount(editor->edit), 6);
    EXPECT_EQ(vertexCount(editor->preview[1]), 6144);
    EXPECT_TRUE(editor->startupComplete);
    // a first run greets with hint 0
    EXPECT_TRUE(editor->panels.hints.visible);
    // check marks from the configuration: update checking and texture preview on
    EXPECT_TRUE(platform.menuCheck(CmdAutoCheckUpdates));
    EXPECT_TRUE(platform.menuCheck(CmdShowTexturePreview));
    EXPECT_FALSE(platform.menuCheck(CmdDeleteDefaultMesh));
    EXPECT_TRUE(platform.menuCheck(CmdScaleX));
    // the shutdown rewrites the configuration with all 75 keys
    shutdownEditor(*editor);
    EXPECT_EQ(lineCount(dir + "Config.ini"), 77);
    EXPECT_FALSE(platform.windowOpen);
}

TEST_F(EditorFrame, ExistingFilesKeptAndClampsApplied) {
    writeConfig("WindowX = -20\nWindowY = 30\nWindowWidth = 399\nWindowHeight = 300\n"
                "DeleteDefaultMeshOnStartup = 1\n");
    std::ofstream(dir + "PREVIEWMODEL2.FW2") << "2.6x VERSION \n";
    start();
    EXPECT_EQ(platform.windowSpec.x, 0);
    EXPECT_EQ(platform.windowSpec.y, 30);
    EXPECT_EQ(platform.windowSpec.width, 800);
    EXPECT_EQ(platform.windowSpec.height, 300);
    // an existing file is never overwritten, whatever it holds
    EXPECT_EQ(lineCount(dir + "PREVIEWMODEL2.FW2"), 1);
    EXPECT_EQ(vertexCount(editor->preview[1]), 0);
    // the default mesh was deleted at start-up
    EXPECT_EQ(meshCount(editor->edit), 0);
    EXPECT_EQ(vertexCount(editor->edit), 0);
}

TEST_F(EditorFrame, CommandLineModelAndFailures) {
    // a quoted path loads and keeps its name
    const std::string path = dir + "ship model.FW2";
    std::ofstream(path) << "2.6x VERSION \nMAT,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1,1,0,0,1,1,"
                           "1,1,1,a\nMSH,0,0,1,0,0\nVTX,0,0,0,0,0,0,1,1,1,1\n"
                           "VTX,1,1,0,0,0,0,1,1,1,1\nVTX,2,0,1,0,0,0,1,1,1,1\n";
    start("\"" + path + "\"");
    EXPECT_EQ(editor->edit.fileName, path);
    EXPECT_TRUE(editor->edit.hasFileName);
    EXPECT_EQ(vertexCount(editor->edit), 3);
    EXPECT_TRUE(platform.callsOf(CallKind::MessageBox).empty());

    // a missing file: an ERROR box naming it, and the default model instead
    start(dir + "missing.FW2");
    const std::vector<RecordedCall> boxes = platform.callsOf(CallKind::MessageBox);
    ASSERT_EQ(boxes.size(), 1u);
    const RecordedCall& box = boxes[0];
    EXPECT_EQ(box.caption, "ERROR");
    EXPECT_NE(box.text.find("missing.FW2"), std::string::npos);
    EXPECT_NE(box.text.find("Failed to open Model File"), std::string::npos);
    EXPECT_EQ(editor->edit.fileName, "UNTITLED.FW2");
    EXPECT_EQ(vertexCount(editor->edit), 6);

    // a window that cannot be made: its message, and no start
    platform.windowFailure = "Window Creation Error.";
    editor = std::make_unique<Editor>(platform);
    EXPECT_FALSE(startEditor(*editor, ""));
    EXPECT_TRUE(platform.shownMessage("ERROR", "Window Creation Error."));
    EXPECT_EQ(runEditor(platform, ""), 1);
}

TEST_F(EditorFrame, BackgroundDividersGridAndModel) {
    writeConfig(kBlueConfig);
    start();
    // clear colour in every view (grid and axes off for this look)
    for (Panel* p : {&editor->panels.viewOrtho, &editor->panels.view3D}) {
        setState(*p, 1025, false);
        setState(*p, 1026, false);
    }
    setState(editor->panels.view3D, 1028, false);
    setState(editor->panels.view3D, 1029, false);
    setState(editor->panels.view3D, 1030, false);
    setState(editor->panels.view3D, 1027, false);
    frame();
    for (auto [x, y] : {std::pair{320, 250}, {700, 250}, {320, 550}, {700, 550}}) {
        const Rgb got = glTestPixel(x, y);
        EXPECT_TRUE(rgbNear(got, kBack[0], kBack[1], kBack[2]))
            << x << "," << y << ": " << got.r << " " << got.g << " " << got.b;
    }
    // the dividers of the four-way split cross at the middle
    EXPECT_TRUE(rgbNear(glTestPixel(W / 2, 100), 102, 102, 76));
    EXPECT_TRUE(rgbNear(glTestPixel(100, H / 2), 102, 102, 76));

    // grid back on: the Front view's line u = 0.5 is 50 pixels right of the view's centre
    setState(editor->panels.viewOrtho, 1025, true);
    frame();
    EXPECT_TRUE(glTestColourAround(250, 40, kGrid[0], kGrid[1], kGrid[2]));
    // the default square's corners in the Front view, grey as the current mesh's points
    EXPECT_TRUE(glTestColourAround(100, 50, 153, 153, 153, 2));
    EXPECT_TRUE(glTestColourAround(300, 250, 153, 153, 153, 2));

    // Front maximised: one view over the whole window and no dividers
    send(WindowEventType::LeftDoubleClick, 100, 100);
    ASSERT_EQ(editor->state.viewLayout, 1);
    frame();
    EXPECT_FALSE(rgbNear(glTestPixel(W / 2 + 20, 100), 102, 102, 76));
    EXPECT_FALSE(rgbNear(glTestPixel(W / 2 - 1, H / 2 + 20), 102, 102, 76));
    // the square is twice as far from the centre now that the view is twice the size
    EXPECT_TRUE(glTestColourAround(300, 200, 153, 153, 153, 2));
}

TEST_F(EditorFrame, CursorPanelAndDebugLines) {
    writeConfig(kBlueConfig);
    start();
    // the cursor image sits at the pointer: its white arrow runs down from the hot spot
    send(WindowEventType::MouseMove, 230, 470);
    frame();
    const Rgb tip = glTestPixel(230 + 1, 470 + 6);
    EXPECT_GT(tip.r + tip.g + tip.b, 3 * 180);
    const Rgb beside = glTestPixel(230 + 20, 470 + 3);
    EXPECT_LT(beside.r + beside.g + beside.b, 3 * 170);

    // a panel with its title bar, in the light colour (0.7, 0.8, 0.9)
    showPanelAt(editor->panels.view3D, 420, 320);
    frame();
    const Rgb bar = glTestPixel(420 + 200, 320 + 8);
    EXPECT_TRUE(rgbNear(bar, 178, 204, 229)) << bar.r << " " << bar.g << " " << bar.b;

    // the debug text panel's lines follow the model and the frame rate
    runCommand(*editor, CmdShowDebugInfo);
    editor->clock.frameRate = 57;
    updateStatus(*editor);
    const Panel& debug = editor->panels.debugText;
    EXPECT_EQ(debug.widgets[findWidget(debug, kIdDebugFirstLine)].caption,
              "Model File: UNTITLED.FW2");
    EXPECT_EQ(debug.widgets[findWidget(debug, kIdDebugFirstLine + 1)].caption, "# Triangles: 2");
    EXPECT_EQ(debug.widgets[findWidget(debug, kIdDebugFirstLine + 6)].caption,
              "Rendering FrameRate: 57");
    EXPECT_EQ(displayFileName("C:\\models\\ship.FW2"), "ship.FW2");
}

TEST_F(EditorFrame, ATextureThatDoesNotLoadIsNamedInTheLogAndTheDebugText) {
    writeConfig(kBlueConfig);
    const std::string model = dir + "textured.FW2";
    std::ofstream(model) << "2.6x VERSION\nTEX,0,./here.bmp\nTEX,1,./gone.png\n";
    RgbaImage grey;
    grey.width = grey.height = 2;
    grey.pixels.assign(16, 128);
    platform.images[dir + "./here.bmp"] = grey;
    start(model);
    runCommand(*editor, CmdShowDebugInfo);
    updateStatus(*editor);
    const Panel& debug = editor->panels.debugText;
    EXPECT_EQ(debug.widgets[findWidget(debug, kIdDebugMissingTextures)].caption,
              "Missing Textures: 1 (./gone.png)");
    EXPECT_EQ(debug.height, kDebugTextHeight + kDebugTextLine);
    std::ifstream log(dir + "Facetwright.Log");
    const std::string text((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find(" - WARNING: Texture 1 cannot be loaded: ./gone.png\n"), std::string::npos);
    EXPECT_EQ(text.find("Texture 0 cannot"), std::string::npos);
    // With every image loaded the line is empty.
    editor->edit.textures[1].glTexture = editor->edit.textures[0].glTexture;
    updateStatus(*editor);
    EXPECT_EQ(debug.widgets[findWidget(debug, kIdDebugMissingTextures)].caption, "");
    EXPECT_EQ(debug.height, kDebugTextHeight);
}

TEST_F(EditorFrame, OddWindowSizeLeavesNoCursorTrails) {
    writeConfig(kBlueConfig);
    start();
    // One pixel short of the surface each way: the last column and row lie in no view. The
    // window's row y is the surface's row y + 1.
    WindowEvent size;
    size.type = WindowEventType::Size;
    size.width = W - 1, size.height = H - 1;
    handleWindowEvent(*editor, size);
    // the cursor's arrow, one pixel right of and six below its hot spot, in the last column,
    // then in the last row
    send(WindowEventType::MouseMove, W - 3, 294);
    frame();
    ASSERT_FALSE(rgbNear(glTestPixel(W - 2, 301), kBack[0], kBack[1], kBack[2]));
    send(WindowEventType::MouseMove, 400, H - 8);
    frame();
    send(WindowEventType::MouseMove, 100, 100);
    frame();
    for (auto [x, y] : {std::pair{W - 2, 301}, {401, H - 1}}) {
        const Rgb got = glTestPixel(x, y);
        EXPECT_TRUE(rgbNear(got, kBack[0], kBack[1], kBack[2]))
            << x << "," << y << ": " << got.r << " " << got.g << " " << got.b;
    }
}

TEST_F(EditorFrame, MinimisedLoopWaitsAndDrawsNothing) {
    writeConfig(kBlueConfig);
    start();
    WindowEvent minimise;
    minimise.type = WindowEventType::Activate;
    minimise.minimised = true;
    WindowEvent restore = minimise;
    restore.minimised = false;
    platform.batches = {{}, {minimise}, {}, {}, {restore}, {}, {}};
    runMainLoop(*editor);
    // polls: 0 frame, 1 minimise, 2-3 waiting without frames, 4 restore, 5-6 frames, then Close
    ASSERT_EQ(platform.swapsAtPoll.size(), 8u);
    EXPECT_EQ(platform.swapsAtPoll[1], 1);
    EXPECT_TRUE(platform.waitAtPoll[2]);
    EXPECT_TRUE(platform.waitAtPoll[3]);
    EXPECT_TRUE(platform.waitAtPoll[4]);
    EXPECT_EQ(platform.swapsAtPoll[4], 1);
    EXPECT_FALSE(platform.waitAtPoll[5]);
    EXPECT_EQ(platform.swapsAtPoll[7], 3);
}

TEST_F(EditorFrame, AStatusLineShowsAtTheFootOfTheWindowThenGoes) {
    writeConfig(kBlueConfig);
    start();
    const int h = H;
    frame();
    const Rgb before = glTestPixel(4, h - 4);
    setStatusText(*editor, "Weld: 3 corners moved");
    frame();
    // The strip is dark grey over the blue background, its text light yellow.
    const Rgb strip = glTestPixel(4, h - 4);
    EXPECT_FALSE(rgbNear(strip, before.r, before.g, before.b))
        << strip.r << " " << strip.g << " " << strip.b;
    int lit = 0;
    for (int x = 8; x < 120; ++x)
        for (int y = h - 20; y < h - 2; ++y) lit += glTestPixel(x, y).r > 200;
    EXPECT_GT(lit, 20);
    editor->state.statusUntil = 0;
    frame();
    EXPECT_TRUE(rgbNear(glTestPixel(4, h - 4), before.r, before.g, before.b));
}
