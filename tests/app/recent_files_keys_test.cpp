// Recent files, where the file dialogs start, and the command keys, with scripted dialogs.
#include "app/commands.h"
#include "app/default_files_writer.h"
#include "app/file_commands.h"
#include "app/keyboard.h"
#include "app/recent_files.h"
#include "app/window_messages.h"
#include "base/paths.h"
#include "editor_fixture.h"
#include "platform/fake_platform.h"
#include "resources/menu_table.h"
#include "temp_files.h"
#include "ui/material_editor.h"
#include "ui/panel.h"

#include <gtest/gtest.h>

using fwtest::readText;

namespace {

struct RecentAndKeys : ::testing::Test {
    FakePlatform platform;
    Editor editor{platform};
    std::string dir = fwtest::makeScratchDir();
    RecentAndKeys() {
        editor.userDirectory = userDirectory();
        writeMissingDefaultFiles(editor.userDirectory, editor.log);
        std::remove((editor.userDirectory + kRecentFilesName).c_str());
        platform.environment["HOME"] = dir;
        initViewports(editor.views, kLayoutSplit, 800, 600);
        layoutToolbars(editor.panels, [](int) { return 0u; });
        newModel(editor);
    }
    void saveAs(const std::string& path) {
        platform.saveAnswers = {path};
        runCommand(editor, CmdSaveAs);
    }
    std::string listFile() { return readText(editor.userDirectory + kRecentFilesName); }
    std::string lastStart(CallKind kind) {
        return platform.callsOf(kind).back().dialog.startFolder;
    }
    void press(std::initializer_list<int> keys) {
        for (int k : keys) fwtest::sendKey(editor, WindowEventType::KeyDown, k);
        handleKeyboard(editor);
        for (int k : keys) fwtest::sendKey(editor, WindowEventType::KeyUp, k);
    }
};

} // namespace

TEST(RecentFileList, NewestFirstEightAtMostOnceEach) {
    std::vector<std::string> list = parseRecentFiles("/a\r\n\n/b\n/a\n");
    EXPECT_EQ(list, (std::vector<std::string>{"/a", "/b"}));
    for (char c = 'b'; c <= 'j'; ++c) rememberFile(list, std::string("/") + c);
    EXPECT_EQ(list, (std::vector<std::string>{"/j", "/i", "/h", "/g", "/f", "/e", "/d", "/c"}));
}

TEST_F(RecentAndKeys, SavedAndOpenedModelsAreListedAndReopened) {
    saveAs(dir + "a.FW2");
    saveAs(dir + "b.FW2");
    EXPECT_EQ(listFile(), dir + "b.FW2\n" + dir + "a.FW2\n");
    EXPECT_EQ(platform.menuItems[CmdRecentFile], std::make_pair("&1 b.FW2   (" + dir + ")", true));
    EXPECT_FALSE(platform.menuItems[CmdRecentFile + 2].second);
    // Another run reads the same list; picking the second opens it and moves it up.
    FakePlatform other;
    Editor next{other};
    next.userDirectory = editor.userDirectory;
    loadRecentFiles(next);
    EXPECT_EQ(next.recentFiles, editor.recentFiles);
    runCommand(next, CmdRecentFile + 1);
    EXPECT_EQ(next.edit.fileName, dir + "a.FW2");
    EXPECT_EQ(listFile(), dir + "a.FW2\n" + dir + "b.FW2\n");
    // A file that is gone is dropped with a message, and the model stays.
    std::remove((dir + "b.FW2").c_str());
    runCommand(next, CmdRecentFile + 1);
    EXPECT_EQ(other.callsOf(CallKind::MessageBox).back().caption, "Recent Files");
    EXPECT_EQ(next.edit.fileName, dir + "a.FW2");
    EXPECT_EQ(listFile(), dir + "a.FW2\n");
    EXPECT_FALSE(other.menuItems[CmdRecentFile + 1].second);
}

TEST_F(RecentAndKeys, DialogsStartWhereThatKindOfFileWasLast) {
    // An untitled model: the home folder, never the per-user folder.
    runCommand(editor, CmdImportObj);
    EXPECT_EQ(lastStart(CallKind::OpenFileDialog), dir);
    // A named model: its folder, for every kind at first.
    const std::string models = dir + "models/", meshes = dir + "meshes/";
    makeDirectory(models);
    makeDirectory(meshes);
    saveAs(models + "ship.FW2");
    runCommand(editor, CmdImportObj);
    EXPECT_EQ(lastStart(CallKind::OpenFileDialog), models);
    // An export somewhere else: OBJ dialogs go there now, model dialogs stay; a bare name gets
    // the extension.
    platform.saveAnswers = {meshes + "monkey"};
    runCommand(editor, CmdExportObj);
    EXPECT_TRUE(fileExists(meshes + "monkey.OBJ"));
    runCommand(editor, CmdImportObj);
    EXPECT_EQ(lastStart(CallKind::OpenFileDialog), meshes);
    runCommand(editor, CmdOpen);
    EXPECT_EQ(lastStart(CallKind::OpenFileDialog), models);
}

TEST_F(RecentAndKeys, CommandKeys) {
    saveAs(dir + "keys.FW2");
    const std::size_t dialogs = platform.callsOf(CallKind::SaveFileDialog).size();
    // Ctrl+S writes a named model without asking; Ctrl+Shift+S asks.
    std::remove((dir + "keys.FW2").c_str());
    press({VkControl, 'S'});
    EXPECT_TRUE(fileExists(dir + "keys.FW2"));
    EXPECT_EQ(platform.callsOf(CallKind::SaveFileDialog).size(), dialogs);
    press({VkControl, VkShift, 'S'});
    EXPECT_EQ(platform.callsOf(CallKind::SaveFileDialog).size(), dialogs + 1);
    // Delete asks before deleting the selected triangles.
    press({0x2E});
    EXPECT_EQ(platform.callsOf(CallKind::MessageBox).back().caption, "Confirm Delete");
    // Home frames the model: the square moved off-centre comes back to the middle.
    for (Vertex& v : editor.edit.vertices) v.x += 20;
    press({0x24});
    EXPECT_NEAR(editor.views[ViewFront].panX, -20 * editor.views[ViewFront].scale, 1);
    // While the material name is typed, Ctrl+S is a letter of it.
    runCommand(editor, CmdShowMaterialEditor);
    const Panel& panel = editor.panels.materialEditor;
    const std::string before = panel.widgets[findWidget(panel, kIdMaterialName)].caption;
    std::remove((dir + "keys.FW2").c_str());
    press({VkControl, 'S'});
    EXPECT_FALSE(fileExists(dir + "keys.FW2"));
    EXPECT_EQ(panel.widgets[findWidget(panel, kIdMaterialName)].caption, before + "S");
}
