// Stored settings: corrections on reading, the undo ring, and the file written at shutdown.
#include "app/settings.h"

#include "config_fixture.h"
#include "resources/default_files.h"

#include <cstdio>
#include <gtest/gtest.h>

using namespace fwtest;

namespace {

struct SettingsFixture : ConfigScratch {
    // Everything start-up reads from the file.
    void readAll(Settings& s, Model& edit) {
        configReadWindowGeometry(config, s);
        configReadAll(config, s, edit);
        configReadHints(config, s);
    }
    std::vector<std::string> writtenLines(const Settings& s, const Model& m) {
        EXPECT_TRUE(configWriteAll(config, s, m));
        return splitLines(readText(config.path));
    }
};

void expectDefaultWindow(const Settings& s) {
    EXPECT_EQ(s.windowX, 0);
    EXPECT_EQ(s.windowY, 0);
    EXPECT_EQ(s.windowWidth, 800);
    EXPECT_EQ(s.windowHeight, 600);
}

// "Key = value" of the written file, or "" when the key is not there.
std::string valueOf(const std::vector<std::string>& lines, const std::string& key) {
    for (const std::string& line : lines)
        if (line.rfind(key + " = ", 0) == 0) return line.substr(key.size() + 3);
    return "";
}

} // namespace

TEST(Settings, DefaultFileGivesDefaultsAndIsRewrittenWithAllKeys) {
    SettingsFixture f;
    f.setFile(std::string(defaultFileContent(DefaultFile::Config)));
    Settings s;
    s.backgroundRed = 0.5f; // must be overwritten: the default file's keys are spelt BackGround
    Model edit;
    f.readAll(s, edit);

    expectDefaultWindow(s);
    EXPECT_TRUE(edit.undoEnabled);
    EXPECT_EQ(edit.undo.slots.size(), 11u);
    EXPECT_EQ(s.maxUndoCount, 10);
    EXPECT_EQ(s.targetFramerate, 60);
    EXPECT_TRUE(s.showTexturePreview);
    EXPECT_FALSE(s.onlyShowExtendedToolbars);
    EXPECT_FALSE(s.deleteDefaultMeshOnStartup);
    EXPECT_TRUE(s.enableUpdateChecking);
    EXPECT_EQ(s.offeredMajorVersion, -1);
    EXPECT_EQ(s.offeredBuildNumber, -1);
    EXPECT_EQ(s.backgroundRed, 0.0f);
    EXPECT_EQ(s.backgroundGreen, 0.0f);
    EXPECT_EQ(s.backgroundBlue, 0.0f);
    for (int h = 0; h < kHintCount; ++h) EXPECT_TRUE(s.showHint[h]) << h;
    for (int c = 0; c < kCustomColourCount; ++c) EXPECT_EQ(s.customColour[c], 0xFFFFFFu) << c;
    // The undo store restarted the log; the reads after it are there.
    EXPECT_TRUE(contains(readText(f.log.path), "Config Value: ShowHint0 - Value detected: 1"));

    const std::vector<std::string> lines = f.writtenLines(s, edit);
    std::vector<std::string> expected = {"[config]",
                                         "",
                                         "WindowX = 0",
                                         "WindowY = 0",
                                         "WindowWidth = 800",
                                         "WindowHeight = 600",
                                         "EnableUndo = 1",
                                         "MaxUndoCount = 10",
                                         "TargetFramerate = 60",
                                         "ShowTexturePreview = 1",
                                         "OnlyShowExtendedToolbars = 0",
                                         "DeleteDefaultMeshOnStartup = 0",
                                         "EnableUpdateChecking = 1",
                                         "OfferedMajorVersion = -1",
                                         "OfferedMinorVersion = -1",
                                         "OfferedBuildNumber = -1",
                                         "BackgroundR = 0.000000",
                                         "BackgroundG = 0.000000",
                                         "BackgroundB = 0.000000"};
    for (int h = 0; h < kHintCount; ++h)
        expected.push_back("ShowHint" + std::to_string(h) + " = 1");
    for (int c = 0; c < kCustomColourCount; ++c)
        for (char component : {'R', 'G', 'B'}) {
            char key[32];
            std::snprintf(key, sizeof key, "CustomColour%02d%c = 255", c, component);
            expected.push_back(key);
        }
    ASSERT_EQ(expected.size(), 2u + 75u);
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(readText(f.config.path).rfind("[config]\n\nWindowX = 0\n", 0), 0u);
    EXPECT_TRUE(contains(readText(f.log.path),
                         "Writing FLOAT Config Value: BackgroundB - Value detected: 0.000000"));
}

TEST(Settings, MissingFileGivesUsableSettings) {
    SettingsFixture f;
    f.config.path = f.dir + "none/Config.ini";
    Settings s;
    s.windowX = 5;
    s.targetFramerate = 0;
    Model edit;
    f.readAll(s, edit);
    expectDefaultWindow(s);
    EXPECT_EQ(s.targetFramerate, 60);
    EXPECT_FALSE(edit.undoEnabled); // -1 undo steps: no ring, so no undo
    EXPECT_TRUE(edit.undo.slots.empty());
    EXPECT_TRUE(s.showTexturePreview && s.onlyShowExtendedToolbars);
    EXPECT_TRUE(s.deleteDefaultMeshOnStartup && s.enableUpdateChecking);
    EXPECT_TRUE(s.showHint[9]);
    EXPECT_EQ(s.customColour[15], 0xFFFFFFu);
    EXPECT_TRUE(contains(readText(f.log.path),
                         "ERROR: Failed to open config File: " + f.dir + "none/Config.ini"));
    // Writing into a missing folder fails, is logged, and goes no further.
    EXPECT_FALSE(configWriteAll(f.config, s, edit));
}

TEST(Settings, WindowGeometryClamps) {
    SettingsFixture f;
    Settings s;
    // Negative positions go to 0; too small a size takes the default, the limits themselves stay.
    f.setFile("WindowX = -5\nWindowY = -20\nWindowWidth = 399\nWindowHeight = 299\n");
    configReadWindowGeometry(f.config, s);
    expectDefaultWindow(s);
    f.setFile("WindowX = 0\nWindowY = 17\nWindowWidth = 400\nWindowHeight = 300\n");
    configReadWindowGeometry(f.config, s);
    EXPECT_EQ(s.windowX, 0);
    EXPECT_EQ(s.windowY, 17);
    EXPECT_EQ(s.windowWidth, 400);
    EXPECT_EQ(s.windowHeight, 300);
}

TEST(Settings, TargetFramerateRange) {
    SettingsFixture f;
    const struct {
        const char* stored;
        int32_t expected;
    } cases[] = {{"4", 60}, {"5", 5}, {"500", 500}, {"501", 60}, {"-1", 60}, {"120", 120}};
    for (const auto& c : cases) {
        f.setFile(std::string("MaxUndoCount = 0\nTargetFramerate = ") + c.stored + "\n");
        Settings s;
        Model edit;
        configReadAll(f.config, s, edit);
        EXPECT_EQ(s.targetFramerate, c.expected) << c.stored;
        EXPECT_EQ(valueOf(f.writtenLines(s, edit), "TargetFramerate"), std::to_string(c.expected));
    }
}

TEST(Settings, UndoRingFollowsMaxUndoCount) {
    SettingsFixture f;
    Settings s;
    {
        // In range, undo comes on whatever EnableUndo said.
        f.setFile("EnableUndo = 0\nMaxUndoCount = 10\n");
        Model edit;
        configReadAll(f.config, s, edit);
        EXPECT_TRUE(edit.undoEnabled);
        EXPECT_EQ(edit.undo.slots.size(), 11u);
        for (const auto& slot : edit.undo.slots) EXPECT_NE(slot, nullptr);
        EXPECT_EQ(valueOf(f.writtenLines(s, edit), "EnableUndo"), "1");
    }
    for (const char* count : {"500", "0", "-3"}) {
        // Out of range: no ring, undo unavailable even when asked for, the count kept as read.
        f.setFile(std::string("EnableUndo = 1\nMaxUndoCount = ") + count + "\n");
        Model edit;
        configReadAll(f.config, s, edit);
        EXPECT_FALSE(edit.undoEnabled) << count;
        EXPECT_TRUE(edit.undo.slots.empty()) << count;
        const std::vector<std::string> lines = f.writtenLines(s, edit);
        EXPECT_EQ(valueOf(lines, "MaxUndoCount"), count);
        EXPECT_EQ(valueOf(lines, "EnableUndo"), "0");
    }
    for (int count : {1, 499}) {
        f.setFile("MaxUndoCount = " + std::to_string(count) + "\n");
        Model edit;
        configReadAll(f.config, s, edit);
        EXPECT_TRUE(edit.undoEnabled);
        EXPECT_EQ(edit.undo.slots.size(), static_cast<std::size_t>(count) + 1);
    }
}

TEST(Settings, AllocatingTheUndoStoreStartsTheLogAfresh) {
    SettingsFixture f;
    for (const char* count : {"10", "0"}) {
        logOpen(f.log, f.log.path);
        logEntry(f.log, "before");
        f.setFile(std::string("MaxUndoCount = ") + count + "\nTargetFramerate = 30\n");
        Settings s;
        Model edit;
        configReadAll(f.config, s, edit);
        const std::vector<std::string> lines = splitLines(f.logText());
        ASSERT_GE(lines.size(), 3u);
        EXPECT_EQ(lines[0], "  ..... Initialising Logs .....");
        EXPECT_TRUE(contains(lines[1], " - Log File Opened..."));
        // Only a store that exists restarts the log; the reads after it stay in the new one.
        EXPECT_EQ(contains(lines[2], " - before"), std::string(count) == "0") << count;
        EXPECT_TRUE(contains(lines.back(), "TargetFramerate - Value detected: 30")) << count;
    }
}

TEST(Settings, FlagsHintsColoursAndBackground) {
    SettingsFixture f;
    f.setFile("MaxUndoCount = 0\n"
              "ShowTexturePreview = 0\nOnlyShowExtendedToolbars = 2\n"
              "DeleteDefaultMeshOnStartup = -1\nEnableUpdateChecking = 0\n"
              "OfferedMajorVersion = 2\nOfferedMinorVersion = 7\nOfferedBuildNumber = 31\n"
              "BackgroundR = 0.25\nBackgroundG = 1\nBackgroundB = 0.125\n"
              "ShowHint3 = 0\nShowHint4 = 1\n"
              "CustomColour00R = 1\nCustomColour00G = 2\nCustomColour00B = 3\n"
              "CustomColour07G = 256\nCustomColour07B = -1\nCustomColour15R = 0\n");
    Settings s;
    Model edit;
    configReadAll(f.config, s, edit);
    configReadHints(f.config, s);
    // Any value but 0 is on.
    EXPECT_FALSE(s.showTexturePreview);
    EXPECT_TRUE(s.onlyShowExtendedToolbars);
    EXPECT_TRUE(s.deleteDefaultMeshOnStartup);
    EXPECT_FALSE(s.enableUpdateChecking);
    EXPECT_EQ(s.offeredMajorVersion, 2);
    EXPECT_EQ(s.offeredMinorVersion, 7);
    EXPECT_EQ(s.offeredBuildNumber, 31);
    EXPECT_FLOAT_EQ(s.backgroundRed, 0.25f);
    EXPECT_FLOAT_EQ(s.backgroundGreen, 1.0f);
    EXPECT_FLOAT_EQ(s.backgroundBlue, 0.125f);
    EXPECT_FALSE(s.showHint[3]);
    EXPECT_TRUE(s.showHint[4]);
    EXPECT_TRUE(s.showHint[5]); // missing: shown
    // Colours pack as R | G << 8 | B << 16, each component cut to 8 bits, missing ones 255.
    EXPECT_EQ(s.customColour[0], 0x030201u);
    EXPECT_EQ(s.customColour[7], 0xFF00FFu);
    EXPECT_EQ(s.customColour[15], 0xFFFF00u);

    const std::vector<std::string> lines = f.writtenLines(s, edit);
    EXPECT_EQ(valueOf(lines, "ShowTexturePreview"), "0");
    EXPECT_EQ(valueOf(lines, "OnlyShowExtendedToolbars"), "1");
    EXPECT_EQ(valueOf(lines, "OfferedMinorVersion"), "7");
    EXPECT_EQ(valueOf(lines, "BackgroundR"), "0.250000");
    EXPECT_EQ(valueOf(lines, "BackgroundB"), "0.125000");
    EXPECT_EQ(valueOf(lines, "ShowHint3"), "0");
    EXPECT_EQ(valueOf(lines, "ShowHint5"), "1");
    EXPECT_EQ(valueOf(lines, "CustomColour00G"), "2");
    EXPECT_EQ(valueOf(lines, "CustomColour07G"), "0");
    EXPECT_EQ(valueOf(lines, "CustomColour07B"), "255");
    EXPECT_EQ(valueOf(lines, "CustomColour15R"), "0");

    // What was written reads back to the same settings.
    Settings again;
    Model edit2;
    configReadAll(f.config, again, edit2);
    configReadHints(f.config, again);
    EXPECT_EQ(again.showTexturePreview, s.showTexturePreview);
    EXPECT_FLOAT_EQ(again.backgroundBlue, s.backgroundBlue);
    EXPECT_FALSE(again.showHint[3]);
    for (int c = 0; c < kCustomColourCount; ++c)
        EXPECT_EQ(again.customColour[c], s.customColour[c]);
}
