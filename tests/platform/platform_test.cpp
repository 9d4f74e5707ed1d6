// The address check, file-filter patterns and the scripted fake platform.
#include "platform/fake_platform.h"

#include "base/paths.h"
#include "scratch_dirs.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <unistd.h>

TEST(PlatformHelpers, OnlyWebAndMailAddressesMayBeOpened) {
    // The three accepted schemes, in any case.
    EXPECT_TRUE(isOpenableUrl("http://example.org/download"));
    EXPECT_TRUE(isOpenableUrl("HTTPS://example.org/"));
    EXPECT_TRUE(isOpenableUrl("mailto:someone@example.org"));
    // Local files, scripts and data are refused.
    EXPECT_FALSE(isOpenableUrl("file:///etc/passwd"));
    EXPECT_FALSE(isOpenableUrl("javascript:alert(1)"));
    EXPECT_FALSE(isOpenableUrl("data:text/html,<script>x</script>"));
    EXPECT_FALSE(isOpenableUrl("/etc/passwd"));
    EXPECT_FALSE(isOpenableUrl("ftp://example.org/"));
    // A scheme glued to another, a bare scheme, and the empty address.
    EXPECT_FALSE(isOpenableUrl("httpx://example.org"));
    EXPECT_FALSE(isOpenableUrl("http:/example.org"));
    EXPECT_FALSE(isOpenableUrl("http://"));
    EXPECT_FALSE(isOpenableUrl("mailto:"));
    EXPECT_FALSE(isOpenableUrl(""));
    // Blanks and control characters could smuggle a second argument or header.
    EXPECT_FALSE(isOpenableUrl(" http://example.org"));
    EXPECT_FALSE(isOpenableUrl("http://example.org/a b"));
    EXPECT_FALSE(isOpenableUrl("http://example.org/\nfile:///etc/passwd"));
}

TEST(PlatformHelpers, FilterPatterns) {
    // The trailing ';' of a filter and blank entries vanish.
    EXPECT_EQ(splitPatterns("*.bmp;*.jpg;*.jpeg;"),
              (std::vector<std::string>{"*.bmp", "*.jpg", "*.jpeg"}));
    EXPECT_EQ(splitPatterns(" *.OBJ ;;"), (std::vector<std::string>{"*.OBJ"}));
    EXPECT_TRUE(splitPatterns("").empty());
    // Letters match either case; digits, dots and wildcards stay.
    EXPECT_EQ(caseInsensitivePattern("*.FW2"), "*.[fF][wW]2");
    EXPECT_EQ(caseInsensitivePattern("a?.1"), "[aA]?.1");
}

TEST(FakePlatform, AnswersFromTheScriptAndRecordsEveryBox) {
    FakePlatform fake;
    fake.messageAnswers = {MessageAnswer::Yes};
    // A scripted answer is used once.
    EXPECT_EQ(
        fake.messageBox("Delete?", "Confirm Delete", MessageButtons::YesNo, MessageIcon::Question),
        MessageAnswer::Yes);
    // With the script used up, Yes/No boxes answer No and OK boxes Ok, marked unscripted.
    EXPECT_EQ(
        fake.messageBox("Again?", "Confirm Delete", MessageButtons::YesNo, MessageIcon::Question),
        MessageAnswer::No);
    EXPECT_EQ(fake.messageBox("Saved.", "Notification!", MessageButtons::Ok, MessageIcon::None),
              MessageAnswer::Ok);
    ASSERT_EQ(fake.callsOf(CallKind::MessageBox).size(), 3u);
    EXPECT_TRUE(fake.calls[0].scripted);
    EXPECT_FALSE(fake.calls[1].scripted);
    EXPECT_EQ(fake.calls[1].answer, "No");
    EXPECT_EQ(fake.calls[0].icon, MessageIcon::Question);
    EXPECT_TRUE(fake.shownMessage("Notification!", "Saved."));
    EXPECT_FALSE(fake.shownMessage("Notification!", "Delete?"));
}

TEST(FakePlatform, FileAndColourDialogs) {
    FakePlatform fake;
    const std::string dir = fwtest::makeTempDir("fwfake");
    ASSERT_FALSE(dir.empty());
    const std::string folder = dir + "/";
    const std::string before = ::currentDirectory();
    fake.openAnswers = {folder + "model.FW2", ""};
    FileDialogOptions options;
    options.filters = {{"Facetwright v2.0 Model", "*.FW2;"}};
    // A chosen file moves the current directory to its folder, as the real dialog does.
    EXPECT_EQ(fake.openFileDialog(options), folder + "model.FW2");
    EXPECT_EQ(::currentDirectory(), folder);
    // An empty answer cancels, and so does an empty queue.
    EXPECT_EQ(fake.openFileDialog(options), "");
    EXPECT_EQ(fake.saveFileDialog(options), "");
    EXPECT_EQ(::currentDirectory(), folder);
    const auto opens = fake.callsOf(CallKind::OpenFileDialog);
    ASSERT_EQ(opens.size(), 2u);
    EXPECT_EQ(opens[0].dialog.filters[0].patterns, "*.FW2;");
    EXPECT_FALSE(fake.callsOf(CallKind::SaveFileDialog)[0].scripted);
    ::setCurrentDirectory(before);

    // Colour dialog: a choice replaces the colour and the custom colours; a cancel keeps them.
    CustomColours custom{};
    CustomColours edited{};
    edited[5] = makeColourRef(1, 2, 3);
    fake.colourAnswers = {{true, makeColourRef(10, 20, 30), edited}, {false, 0, std::nullopt}};
    ColourRef colour = makeColourRef(200, 100, 50);
    EXPECT_TRUE(fake.chooseColour(colour, custom));
    EXPECT_EQ(colour, 0x001e140au);
    EXPECT_EQ(custom[5], makeColourRef(1, 2, 3));
    EXPECT_FALSE(fake.chooseColour(colour, custom));
    EXPECT_EQ(colour, 0x001e140au);
    EXPECT_EQ(fake.callsOf(CallKind::ChooseColour)[0].a, static_cast<int>(0x003264c8));
}

TEST(FakePlatform, ImagesNetworkAddressesAndEnvironment) {
    FakePlatform fake;
    // A 2 x 2 image: bottom row red, green; top row blue, white.
    RgbaImage image;
    image.width = image.height = 2;
    image.pixels = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255};
    fake.images["/tex/wood.bmp"] = image;
    int w = 0, h = 0;
    EXPECT_TRUE(fake.imageSize("/tex/wood.bmp", w, h));
    EXPECT_EQ(w, 2);
    // Scaled up, each source pixel covers a 2 x 2 block in the same corner.
    RgbaImage out;
    ASSERT_TRUE(fake.decodeImage("/tex/wood.bmp", 4, 4, out));
    EXPECT_EQ(out.pixels.size(), 64u);
    EXPECT_EQ(rgbaAt(out, 1, 1)[0], 255); // bottom-left red
    EXPECT_EQ(rgbaAt(out, 3, 0)[1], 255); // bottom-right green
    EXPECT_EQ(rgbaAt(out, 0, 3)[2], 255); // top-left blue
    EXPECT_FALSE(fake.decodeImage("/tex/missing.bmp", 4, 4, out));
    EXPECT_FALSE(fake.decodeImage("/tex/wood.bmp", 0, 4, out));

    // GET answers only listed addresses and records the user agent and time limit.
    fake.httpBodies["http://host/LatestVersion.txt"] = "v,2,61,319,http://host/dl EOF.";
    std::string body;
    EXPECT_TRUE(fake.httpGet("http://host/LatestVersion.txt", "agent", 3000, body));
    EXPECT_EQ(body, "v,2,61,319,http://host/dl EOF.");
    EXPECT_FALSE(fake.httpGet("http://host/other", "agent", 3000, body));
    EXPECT_EQ(fake.callsOf(CallKind::HttpGet)[0].caption, "agent");
    EXPECT_EQ(fake.callsOf(CallKind::HttpGet)[0].a, 3000);

    // Addresses are recorded, and refused by the same rule as the real platform.
    EXPECT_TRUE(fake.openUrl("https://host/notes"));
    EXPECT_FALSE(fake.openUrl("file:///etc/passwd"));
    EXPECT_EQ(fake.callsOf(CallKind::OpenUrl)[1].answer, "refused");

    // Overrides hide or replace real variables; others come from the process.
    setenv("FW_FAKE_TEST_VAR", "real", 1);
    std::string value;
    EXPECT_TRUE(fake.environmentVariable("FW_FAKE_TEST_VAR", value));
    EXPECT_EQ(value, "real");
    fake.environment["FW_FAKE_TEST_VAR"] = std::nullopt;
    EXPECT_FALSE(fake.environmentVariable("FW_FAKE_TEST_VAR", value));
    fake.environment["APPDATA"] = "/nowhere";
    EXPECT_TRUE(fake.environmentVariable("APPDATA", value));
    EXPECT_EQ(value, "/nowhere");
}

TEST(FakePlatform, SyntheticFontHasTheGlBitmapLayout) {
    FakePlatform fake;
    GlyphSet set;
    ASSERT_TRUE(fake.rasterizeGlyphs("Arial", 10, set));
    ASSERT_EQ(set.glyphs.size(), static_cast<std::size_t>(kGlyphCount));
    const Glyph& a = set.glyphs['A' - kFirstGlyph];
    // Whole bytes per row: 5 pixels wide takes one byte a row.
    EXPECT_EQ(a.bits.size(), static_cast<std::size_t>(a.height));
    EXPECT_TRUE(glyphBit(a, 0, 0));
    EXPECT_TRUE(glyphBit(a, a.width - 1, a.height - 1));
    EXPECT_EQ(a.bits[0], 0xf8); // MSB first, padding bits clear
    const Glyph& space = set.glyphs[0];
    EXPECT_TRUE(space.bits.empty());
    EXPECT_GT(space.advance, 0);
}

TEST(FakePlatform, ScriptedWindow) {
    FakePlatform fake;
    WindowSpec spec;
    spec.title = "T";
    spec.width = 640;
    spec.menu = kMainMenu;
    spec.menuCount = kMainMenuCount;
    // A scripted failure hands its message back and leaves no window.
    fake.windowFailure = "Can't Create A GL Rendering Context.";
    std::string failure;
    EXPECT_FALSE(fake.createMainWindow(spec, failure));
    EXPECT_EQ(failure, "Can't Create A GL Rendering Context.");
    EXPECT_FALSE(fake.windowOpen);
    fake.windowFailure.clear();
    ASSERT_TRUE(fake.createMainWindow(spec, failure));
    EXPECT_TRUE(fake.windowOpen);
    EXPECT_EQ(fake.windowSpec.width, 640);
    EXPECT_EQ(fake.windowSpec.menuCount, kMainMenuCount);

    // Marks stick only to toggling items of the menu, as in the real menu bar.
    fake.setMenuCheck(CmdRenderLitMesh, true);
    fake.setMenuCheck(CmdExit, true);
    EXPECT_TRUE(fake.menuCheck(CmdRenderLitMesh));
    EXPECT_FALSE(fake.menuCheck(CmdExit));

    // Events come out front first, eventsPerPoll at a time; waiting polls are counted.
    WindowEvent key;
    key.type = WindowEventType::KeyDown;
    key.key = 'M';
    WindowEvent close;
    close.type = WindowEventType::Close;
    fake.scriptedEvents = {key, close};
    fake.eventsPerPoll = 1;
    std::vector<WindowEvent> out;
    fake.pollEvents(false, out);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].key, 'M');
    fake.pollEvents(true, out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[1].type, WindowEventType::Close);
    EXPECT_EQ(fake.pollCount, 2);
    EXPECT_EQ(fake.waitingPolls, 1);
}
