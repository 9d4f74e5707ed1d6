// New, Open, Save, Save As and revisions on the edit model, with scripted dialogs.
#include "app/commands.h"
#include "app/default_files_writer.h"
#include "app/file_commands.h"
#include "app/startup.h"
#include "base/paths.h"
#include "edit/undo.h"
#include "platform/fake_platform.h"
#include "resources/menu_table.h"
#include "temp_files.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>

using fwtest::readText;

namespace {

struct FileCommands : ::testing::Test {
    FakePlatform platform;
    Editor editor{platform};
    std::string dir;
    FileCommands() {
        // Every test starts from the default model.
        dir = userDirectory();
        makeDirectories(dir);
        editor.userDirectory = dir;
        std::remove((dir + "NEW_MODEL.FW2").c_str()); // a test may have broken it
        writeMissingDefaultFiles(dir, editor.log);
        newModel(editor);
        setupUndo(editor.edit, 5);
    }
};

} // namespace

TEST(RevisionName, StampsTheTime) {
    EXPECT_EQ(revisionName("C:/m/car.FW2", 1765000000), "C:/m/car_REV_1765000000.FW2");
    // the extension goes whatever its length; without one the stamp is appended
    EXPECT_EQ(revisionName("/m/car.model", 5), "/m/car_REV_5.FW2");
    EXPECT_EQ(revisionName("/m.d/car", 5), "/m.d/car_REV_5.FW2");
    EXPECT_EQ(revisionName("a", 5), "a_REV_5.FW2");
}

TEST_F(FileCommands, NewGivesTheUntitledDefaultModel) {
    EXPECT_EQ(editor.edit.fileName, "UNTITLED.FW2");
    EXPECT_FALSE(editor.edit.hasFileName);
    EXPECT_EQ(vertexCount(editor.edit), 6);
    // a broken default file: the model and its name stay, and the user is told
    std::ofstream(dir + "NEW_MODEL.FW2") << "2.6x VERSION \nVTX,9,0,0,0,0,0,1,1,1,1\n";
    editor.edit.vertices[0].x = 42;
    platform.messageAnswers = {MessageAnswer::No}; // discard the edit
    runCommand(editor, CmdNew);
    EXPECT_EQ(editor.edit.vertices[0].x, 42);
    EXPECT_EQ(editor.edit.fileName, "UNTITLED.FW2");
    ASSERT_EQ(platform.callsOf(CallKind::MessageBox).size(), 2u);
    EXPECT_EQ(platform.callsOf(CallKind::MessageBox)[0].caption, "Unsaved Changes");
    EXPECT_NE(platform.callsOf(CallKind::MessageBox)[1].text.find("Invalid Vertex number"),
              std::string::npos);
}

TEST_F(FileCommands, SaveAsksOnceThenWritesToTheName) {
    // no name yet: Save asks; a cancelled dialog writes nothing
    runCommand(editor, CmdSave);
    EXPECT_FALSE(editor.edit.hasFileName);
    const std::string path = dir + "first.FW2";
    platform.saveAnswers = {path};
    runCommand(editor, CmdSave);
    EXPECT_EQ(editor.edit.fileName, path);
    EXPECT_TRUE(editor.edit.hasFileName);
    EXPECT_NE(readText(path).find("VTX,5,"), std::string::npos);
    // the next Save writes without asking
    editor.edit.vertices[0].x = 0.25f;
    runCommand(editor, CmdSave);
    EXPECT_EQ(platform.callsOf(CallKind::SaveFileDialog).size(), 2u);
    EXPECT_NE(readText(path).find("VTX,0,0.250000,"), std::string::npos);
    // Save As always asks and asks for the FW2 extension
    platform.saveAnswers = {dir + "second.FW2"};
    runCommand(editor, CmdSaveAs);
    EXPECT_EQ(platform.callsOf(CallKind::SaveFileDialog).back().dialog.defaultExtension, "FW2");
    EXPECT_EQ(editor.edit.fileName, dir + "second.FW2");
    // a failed Save As says so and keeps the name the model had
    platform.saveAnswers = {dir + "no such folder/x.FW2"};
    runCommand(editor, CmdSaveAs);
    EXPECT_TRUE(platform.shownMessage(
        "ERROR", "Failed to Open File for Saving!\nNo such file or directory"));
    EXPECT_EQ(editor.edit.fileName, dir + "second.FW2");
}

TEST_F(FileCommands, RevisionsKeepTheName) {
    const std::string path = dir + "car.FW2";
    platform.saveAnswers = {path};
    saveRevision(editor, 1000);
    // the chosen name becomes the model's; only the revision is written
    EXPECT_EQ(editor.edit.fileName, path);
    EXPECT_FALSE(fileExists(path));
    EXPECT_TRUE(fileExists(dir + "car_REV_1000.FW2"));
    // automatic revisions: the first click saves, 200 s later nothing, 301 s after the last one
    editor.state.automaticRevision = true;
    automaticRevisionCheck(editor, 5000);
    EXPECT_TRUE(fileExists(dir + "car_REV_5000.FW2"));
    automaticRevisionCheck(editor, 5200);
    EXPECT_FALSE(fileExists(dir + "car_REV_5200.FW2"));
    automaticRevisionCheck(editor, 5301);
    EXPECT_TRUE(fileExists(dir + "car_REV_5301.FW2"));
}

TEST_F(FileCommands, TexturesStayReachableFromAnotherFolder) {
    // The default model's texture names are relative to the per-user folder it was read from.
    Texture plasma;
    plasma.fileName = "./plasma.png";
    editor.edit.textures.push_back(plasma);
    makeDirectory(dir + "models");
    const std::string path = dir + "models/car.FW2";
    platform.saveAnswers = {path};
    runCommand(editor, CmdSaveAs);
    EXPECT_NE(readText(path).find("\nTEX,0,../plasma.png\n"), std::string::npos);
    // Saving again, and a revision beside it, write the same name: it is not moved twice.
    runCommand(editor, CmdSave);
    EXPECT_NE(readText(path).find("\nTEX,0,../plasma.png\n"), std::string::npos);
    saveRevision(editor, 77);
    EXPECT_NE(readText(dir + "models/car_REV_77.FW2").find("\nTEX,0,../plasma.png\n"),
              std::string::npos);
    EXPECT_EQ(editor.edit.textures[0].fileName, "./plasma.png");
}

TEST_F(FileCommands, OpenKeepsTheModelWhenLoadingFails) {
    // cancelled: nothing changes
    runCommand(editor, CmdOpen);
    EXPECT_EQ(editor.edit.fileName, "UNTITLED.FW2");
    // a file with a bad record: the message, and the model and name as they were
    const std::string bad = dir + "bad.FW2";
    std::ofstream(bad) << "2.6x VERSION \nMSH,3,0,0,0,0\n";
    platform.openAnswers = {bad};
    runCommand(editor, CmdOpen);
    EXPECT_EQ(editor.edit.fileName, "UNTITLED.FW2");
    EXPECT_FALSE(editor.edit.hasFileName);
    EXPECT_EQ(vertexCount(editor.edit), 6);
    EXPECT_EQ(platform.callsOf(CallKind::MessageBox).size(), 1u);
    // a good file opens under its name
    platform.openAnswers = {dir + "PREVIEWMODEL1.FW2"};
    runCommand(editor, CmdOpen);
    EXPECT_EQ(editor.edit.fileName, dir + "PREVIEWMODEL1.FW2");
    EXPECT_TRUE(editor.edit.hasFileName);
    EXPECT_EQ(meshCount(editor.edit), 6);
}

TEST_F(FileCommands, OpenRefusesWhatIsNoModelAndOpensImportsAsNewModels) {
    // an image: refused with the reason, the model and its name as they were
    const std::string png = dir + "photo.png";
    fwtest::writeText(png, std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    platform.openAnswers = {png};
    runCommand(editor, CmdOpen);
    EXPECT_EQ(vertexCount(editor.edit), 6);
    EXPECT_EQ(editor.edit.fileName, "UNTITLED.FW2");
    ASSERT_EQ(platform.callsOf(CallKind::MessageBox).size(), 1u);
    EXPECT_NE(platform.callsOf(CallKind::MessageBox)[0].text.find("photo.png is not a model file"),
              std::string::npos);
    // the dialog offers the import formats after the preselected model format
    const auto filters = platform.callsOf(CallKind::OpenFileDialog)[0].dialog.filters;
    ASSERT_EQ(filters.size(), 4u);
    EXPECT_EQ(filters[0].patterns, "*.FW2;");
    EXPECT_EQ(filters[1].patterns, "*.OBJ;");
    EXPECT_EQ(filters[2].patterns, "*.GLB;");

    // an OBJ: a new model of the default material and the file's mesh, named after the file
    const std::string obj = dir + "tri.obj";
    const std::string objText = "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n";
    fwtest::writeText(obj, objText);
    platform.openAnswers = {obj};
    runCommand(editor, CmdOpen);
    EXPECT_EQ(vertexCount(editor.edit), 3);
    EXPECT_EQ(meshCount(editor.edit), 1);
    EXPECT_EQ(materialCount(editor.edit), 1);
    EXPECT_EQ(editor.edit.fileName, dir + "tri.FW2");
    EXPECT_FALSE(editor.edit.hasFileName);
    // Save asks, proposing that name, and writes a model file there; the OBJ stays as it was
    platform.saveAnswers = {dir + "tri.FW2"};
    runCommand(editor, CmdSave);
    EXPECT_EQ(platform.callsOf(CallKind::SaveFileDialog).back().dialog.fileName, dir + "tri.FW2");
    EXPECT_NE(readText(dir + "tri.FW2").find("\nMSH,0,0,1,0,0\n"), std::string::npos);
    EXPECT_EQ(readText(obj), objText);
    // a new model proposes no name
    runCommand(editor, CmdNew);
    runCommand(editor, CmdSaveAs);
    EXPECT_EQ(platform.callsOf(CallKind::SaveFileDialog).back().dialog.fileName, "");
}

TEST_F(FileCommands, ReplacingAChangedModelAsksFirst) {
    Model& m = editor.edit;
    auto boxes = [&] { return platform.callsOf(CallKind::MessageBox); };
    // an unchanged model is replaced at once
    runCommand(editor, CmdNew);
    EXPECT_TRUE(boxes().empty());
    // a change asks; Cancel keeps the model
    m.vertices[0].x = 0.5f;
    platform.messageAnswers = {MessageAnswer::Cancel};
    runCommand(editor, CmdNew);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_TRUE(platform.shownMessage("Unsaved Changes", "Save changes to UNTITLED.FW2?"));
    EXPECT_EQ(boxes()[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(m.vertices[0].x, 0.5f);
    // Yes without a name goes through Save As; a cancelled dialog keeps the model
    platform.messageAnswers = {MessageAnswer::Yes};
    runCommand(editor, CmdOpen);
    EXPECT_EQ(platform.callsOf(CallKind::SaveFileDialog).back().dialog.defaultExtension, "FW2");
    EXPECT_TRUE(platform.callsOf(CallKind::OpenFileDialog).empty());
    EXPECT_EQ(m.vertices[0].x, 0.5f);
    // ... and so does a save that fails
    platform.messageAnswers = {MessageAnswer::Yes};
    platform.saveAnswers = {dir + "no such folder/x.FW2"};
    runCommand(editor, CmdNew);
    EXPECT_EQ(m.vertices[0].x, 0.5f);
    // a save that works writes the change, then New goes on
    platform.messageAnswers = {MessageAnswer::Yes};
    platform.saveAnswers = {dir + "kept.FW2"};
    runCommand(editor, CmdNew);
    EXPECT_NE(readText(dir + "kept.FW2").find("VTX,0,0.500000,"), std::string::npos);
    EXPECT_EQ(m.vertices[0].x, -1.0f);
    // a named model saves under its name without asking where; No discards
    platform.openAnswers = {dir + "kept.FW2"};
    runCommand(editor, CmdOpen);
    m.vertices[0].y = 0.75f;
    platform.messageAnswers = {MessageAnswer::Yes};
    runCommand(editor, CmdNew);
    EXPECT_TRUE(platform.shownMessage("Unsaved Changes", "Save changes to kept.FW2?"));
    EXPECT_NE(readText(dir + "kept.FW2").find("VTX,0,0.500000,0.750000,"), std::string::npos);
    m.vertices[0].y = 0.25f;
    platform.messageAnswers = {MessageAnswer::No};
    const std::size_t saves = platform.callsOf(CallKind::SaveFileDialog).size();
    runCommand(editor, CmdNew);
    EXPECT_EQ(m.vertices[0].y, -1.0f);
    EXPECT_EQ(platform.callsOf(CallKind::SaveFileDialog).size(), saves);
    // selecting, or editing and undoing, is no change; an import only adds, so it asks nothing
    const std::size_t asked = boxes().size();
    takeSnapshot(m);
    m.vertices[1].x = 3;
    m.vertices[2].selected = true;
    runCommand(editor, CmdUndo);
    runCommand(editor, CmdNew);
    fwtest::writeText(dir + "tri.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    platform.openAnswers = {dir + "tri.obj"};
    runCommand(editor, CmdImportObj);
    EXPECT_EQ(boxes().size(), asked);
}

// Exit and closing the window settle unsaved changes first; Cancel keeps the program running.
TEST_F(FileCommands, ClosingAChangedModelAsks) {
    WindowEvent close;
    close.type = WindowEventType::Close;
    editor.edit.vertices[0].x = 0.5f;
    platform.scriptedEvents = {close, close};
    platform.messageAnswers = {MessageAnswer::Cancel, MessageAnswer::No};
    runMainLoop(editor);
    EXPECT_TRUE(editor.quit);
    ASSERT_EQ(platform.callsOf(CallKind::MessageBox).size(), 2u);
    EXPECT_EQ(platform.callsOf(CallKind::MessageBox)[1].answer, "No");
    // a model as it was loaded ends the loop at once
    platform.messageAnswers = {MessageAnswer::No};
    runCommand(editor, CmdNew);
    editor.quit = false;
    WindowEvent exit;
    exit.type = WindowEventType::Command;
    exit.command = CmdExit;
    platform.scriptedEvents = {exit};
    runMainLoop(editor);
    EXPECT_TRUE(editor.quit);
    EXPECT_EQ(platform.callsOf(CallKind::MessageBox).size(), 3u);
}

TEST_F(FileCommands, ObjAndModelImportsFromTheMenu) {
    // an OBJ file becomes a new mesh of the model
    const std::string obj = dir + "tri.obj";
    std::ofstream(obj) << "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n";
    platform.openAnswers = {obj};
    runCommand(editor, CmdImportObj);
    EXPECT_EQ(meshCount(editor.edit), 2);
    EXPECT_EQ(vertexCount(editor.edit), 9);
    // a broken one changes nothing and says why
    std::ofstream(dir + "bad.obj") << "v 0 0 0\nf 1 2 9\n";
    platform.openAnswers = {dir + "bad.obj"};
    runCommand(editor, CmdImportObj);
    EXPECT_EQ(vertexCount(editor.edit), 9);
    // export writes every whole triangle
    platform.saveAnswers = {dir + "out.obj"};
    runCommand(editor, CmdExportObj);
    const std::string text = readText(dir + "out.obj");
    EXPECT_NE(text.find("\nf "), std::string::npos);
    // importing a model file appends it, one undo step; the library starts in its own folder
    platform.openAnswers = {dir + "PREVIEWMODEL1.FW2"};
    runCommand(editor, CmdImportFromLibrary);
    EXPECT_EQ(platform.callsOf(CallKind::OpenFileDialog).back().caption, dir + "Library");
    EXPECT_EQ(meshCount(editor.edit), 8);
    runCommand(editor, CmdUndo);
    EXPECT_EQ(meshCount(editor.edit), 2);
}

TEST_F(FileCommands, InterchangeExportsAndGltfImportFromTheMenu) {
    // a bare name gets the first filter's extension; .gltf by name writes its buffer beside it
    platform.saveAnswers = {dir + "shot", dir + "shot.gltf", dir + "part", dir + "part"};
    runCommand(editor, CmdExportGltf);
    runCommand(editor, CmdExportGltf);
    runCommand(editor, CmdExportStl);
    runCommand(editor, CmdExportObjMaterials);
    const auto dialogs = platform.callsOf(CallKind::SaveFileDialog);
    ASSERT_EQ(dialogs.size(), 4u);
    EXPECT_EQ(dialogs[0].dialog.filters.size(), 2u); // .glb and .gltf
    EXPECT_EQ(readText(dir + "shot.glb").compare(0, 4, "glTF"), 0);
    EXPECT_NE(readText(dir + "shot.gltf").find("\"uri\":\"shot.bin\""), std::string::npos);
    EXPECT_EQ(readText(dir + "part.stl").size(), 84u + 50 * 2);
    EXPECT_NE(readText(dir + "part.obj").find("usemtl "), std::string::npos);
    EXPECT_NE(readText(dir + "part.mtl").find("newmtl "), std::string::npos);
    // importing the .glb adds its mesh and material; one undo step takes them away
    platform.openAnswers = {dir + "shot.glb"};
    runCommand(editor, CmdImportGltf);
    EXPECT_EQ(meshCount(editor.edit), 2);
    EXPECT_EQ(materialCount(editor.edit), 2);
    EXPECT_EQ(vertexCount(editor.edit), 12);
    runCommand(editor, CmdUndo);
    EXPECT_EQ(meshCount(editor.edit), 1);
}
