// Transform Selection, the welds and the reference images from the menu, on the scripted platform.
#include "app/commands.h"
#include "app/modelling_commands.h"
#include "app/reference_images.h"
#include "edit/undo.h"
#include "resources/menu_table.h"

#include "editor_fixture.h"
#include "temp_files.h"

#include <gtest/gtest.h>

namespace {

// Two triangles of one mesh whose shared corners drifted apart by 0.01, all selected.
struct ModellingCommands : fwtest::LaidOutEditor {
    ModellingCommands() {
        Model& m = editor.edit;
        const float p[6][2] = {{0, 0}, {1, 0}, {0, 1}, {1.01f, 0}, {1, 1}, {0, 1.01f}};
        for (const auto& c : p) {
            Vertex v;
            v.x = c[0], v.y = c[1];
            v.selected = true;
            m.vertices.push_back(v);
        }
        Mesh mesh;
        mesh.triangleCount = 2;
        m.meshes.push_back(mesh);
        setupUndo(m, 5);
    }
};

TEST_F(ModellingCommands, TransformAppliesTheTickedStepsAsOneUndoStepAndIsRemembered) {
    platform.formAnswers.push_back([](std::vector<FormField>& f) {
        f[0].checked = true; // move
        f[1].number = 2;
        f[8].checked = true; // scale
        f[10].number = 3;    // y about the box centre 0.505
        return true;
    });
    ASSERT_TRUE(runCommand(editor, CmdTransformSelection));
    const Model& m = editor.edit;
    EXPECT_FLOAT_EQ(m.vertices[0].x, 2);
    EXPECT_FLOAT_EQ(m.vertices[0].y, 0.505f - 3 * 0.505f);
    // The next dialog offers the same values; cancelling it changes nothing.
    runCommand(editor, CmdTransformSelection);
    const std::vector<RecordedCall> forms = platform.callsOf(CallKind::FormDialog);
    ASSERT_EQ(forms.size(), 2u);
    EXPECT_TRUE(forms[1].form[0].checked);
    EXPECT_EQ(forms[1].form[1].number, 2);
    EXPECT_EQ(forms[1].form[10].number, 3);
    EXPECT_FLOAT_EQ(m.vertices[0].x, 2);
    // The cancelled dialog left no undo step: one undo takes back the transform.
    runCommand(editor, CmdUndo);
    EXPECT_EQ(m.vertices[0].x, 0);
    EXPECT_EQ(m.vertices[0].y, 0);
}

TEST_F(ModellingCommands, WeldsReportTheCornersMovedAndUndo) {
    platform.formAnswers.push_back([](std::vector<FormField>& f) {
        EXPECT_EQ(f[0].number, 0.05); // the float as typed, not 0.0500000007
        f[0].number = 0.005;          // too small for the drift
        return true;
    });
    runCommand(editor, CmdWeldSelected);
    EXPECT_EQ(currentStatusText(editor), "Weld: 0 corners moved");
    // Weld Mesh takes the distance last used, then the default catches the drift.
    editor.state.weldDistance = kCoincidenceTolerance;
    runCommand(editor, CmdWeldMesh);
    EXPECT_EQ(currentStatusText(editor), "Weld: 4 corners moved");
    const Model& m = editor.edit;
    EXPECT_EQ(m.vertices[1].x, m.vertices[3].x);
    runCommand(editor, CmdUndo);
    EXPECT_EQ(m.vertices[3].x, 1.01f);
}

TEST_F(ModellingCommands, ReferenceImagesAreKeptInTheirFile) {
    editor.userDirectory = fwtest::makeScratchDir();
    ASSERT_FALSE(editor.userDirectory.empty());
    const std::string path = editor.userDirectory + "front, side.png";
    platform.formAnswers.push_back([&](std::vector<FormField>& f) {
        f[0].choice = 1; // Top
        f[1].path = path;
        f[2].number = -1.5;
        f[4].number = 8;
        f[5].number = 2; // opacity is clamped to 1
        return true;
    });
    runCommand(editor, CmdReferenceImage);
    const std::string file = editor.userDirectory + kReferenceImagesFile;
    EXPECT_EQ(fwtest::readText(file), "Top,-1.500000,0.000000,8.000000,1.000000," + path + "\n");
    // The file reads back whole; lines it does not know are skipped.
    ReferenceImages read;
    parseReferenceImages(fwtest::readText(file) + "Side,1,2,3,4,x.png\nFront,1,2,0,1,y.png\n",
                         read);
    EXPECT_EQ(read.plane[1].path, path);
    EXPECT_EQ(read.plane[1].width, 8);
    EXPECT_TRUE(read.plane[0].path.empty());
    // The dialog offers the view last chosen, with its values.
    runCommand(editor, CmdReferenceImage);
    const RecordedCall offered = platform.callsOf(CallKind::FormDialog).back();
    EXPECT_EQ(offered.form[0].choice, 1);
    EXPECT_EQ(offered.form[1].path, path);
    runCommand(editor, CmdClearReferenceImages);
    EXPECT_EQ(fwtest::readText(file), "");
}

} // namespace
