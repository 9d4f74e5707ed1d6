// The editor's input side without a window: command line, pacing, events, keys, menu commands.
#include "app/commands.h"
#include "app/keyboard.h"
#include "app/startup.h"
#include "app/window_messages.h"
#include "edit/undo.h"
#include "platform/fake_platform.h"
#include "ui/panel.h"

#include "editor_fixture.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

using fwtest::LaidOutEditor;

namespace {

struct EditorFixture : LaidOutEditor {
    void send(WindowEventType type, int x = 0, int y = 0, int buttons = 0) {
        WindowEvent e;
        e.type = type;
        e.x = x, e.y = y, e.buttons = buttons;
        handleWindowEvent(editor, e);
    }
    void key(WindowEventType type, int code) { fwtest::sendKey(editor, type, code); }
};

} // namespace

TEST(Startup, CommandLineAndPacing) {
    // quotes around the path are dropped; an unquoted path is kept as it is
    EXPECT_EQ(commandLineFileName("\"/home/a b/ship.FW2\""), "/home/a b/ship.FW2");
    EXPECT_EQ(commandLineFileName("/tmp/x.FW2"), "/tmp/x.FW2");
    EXPECT_EQ(commandLineFileName("\"\""), "");
    // 60 frames per second: a 10 ms frame sleeps 6 ms, 11 ms or more sleeps not at all
    EXPECT_EQ(frameSleep(60, 1000, 1010), 6);
    EXPECT_EQ(frameSleep(60, 1000, 1011), 0);
    EXPECT_EQ(frameSleep(5, 1000, 1000), 200);
    // a stalled clock (wait over 999) does not sleep either
    EXPECT_EQ(frameSleep(5, 5000, 1000), 0);
    // the rate is the frames counted in the last window of over a second
    FrameClock clock;
    for (int t = 10; t <= 1000; t += 10) countFrame(clock, t);
    EXPECT_EQ(clock.frameRate, 0);
    countFrame(clock, 1001);
    EXPECT_EQ(clock.frameRate, 101);
    EXPECT_EQ(clock.frameCounter, 0);
}

TEST_F(EditorFixture, GeometryActivationAndClose) {
    WindowEvent size;
    size.type = WindowEventType::Size;
    size.width = 1000, size.height = 700;
    handleWindowEvent(editor, size);
    EXPECT_EQ(editor.settings.windowWidth, 1000);
    // the views follow the new size: the 3D view is the bottom-right quarter
    EXPECT_EQ(editor.views[View3D].hitLeft, 500);
    EXPECT_EQ(editor.views[View3D].height, 350);
    send(WindowEventType::Move, 40, 50);
    EXPECT_EQ(editor.settings.windowX, 40);
    EXPECT_EQ(editor.settings.windowY, 50);

    WindowEvent minimise;
    minimise.type = WindowEventType::Activate;
    minimise.minimised = true;
    handleWindowEvent(editor, minimise);
    EXPECT_FALSE(editor.windowActive);
    minimise.minimised = false;
    handleWindowEvent(editor, minimise);
    EXPECT_TRUE(editor.windowActive);

    send(WindowEventType::Close);
    EXPECT_TRUE(editor.quit);
}

TEST_F(EditorFixture, MaterialEditorStaysCentredAsTheWindowChanges) {
    Panel& panel = editor.panels.materialEditor;
    showPanelAt(panel, 10, 20); // dragged away from the centre
    WindowEvent size;
    size.type = WindowEventType::Size;
    size.width = 1000, size.height = 700;
    handleWindowEvent(editor, size);
    EXPECT_EQ(panel.x, 500 - panel.width / 2);
    EXPECT_EQ(panel.y, 350 - panel.height / 2);
    panel.x = 10;
    send(WindowEventType::Move, 40, 50);
    EXPECT_EQ(panel.x, 500 - panel.width / 2);
    // a closed editor stays where it was
    panel.visible = false;
    panel.x = 10;
    handleWindowEvent(editor, size);
    EXPECT_EQ(panel.x, 10);
}

TEST_F(EditorFixture, MouseButtonsDragsAndCursor) {
    // a move records both positions and the exact-button flags, and hides the system cursor
    send(WindowEventType::MouseMove, 100, 100, MkLeft);
    send(WindowEventType::MouseMove, 110, 105, MkLeft | MkShift);
    EXPECT_EQ(editor.input.previousX, 100);
    EXPECT_FALSE(editor.input.leftDrag);
    EXPECT_FALSE(platform.systemCursorVisible);
    // over the Front view the cursor shows the view icon and the Edit Toolbar moves there
    EXPECT_EQ(editor.state.cursorIcon, CursorOrthoView);
    EXPECT_EQ(editor.panels.edit.x, 5);
    // a right press drags the view under it; moving pans it; the release ends every drag
    send(WindowEventType::RightDown, 600, 450, MkRight);
    EXPECT_TRUE(editor.views[View3D].dragging);
    EXPECT_FALSE(editor.views[ViewFront].dragging);
    send(WindowEventType::MouseMove, 600, 450, MkRight);
    send(WindowEventType::MouseMove, 620, 440, MkRight);
    EXPECT_FLOAT_EQ(editor.views[View3D].panX, 0.2f);
    EXPECT_FLOAT_EQ(editor.views[View3D].panY, 0.1f);
    send(WindowEventType::RightUp, 620, 440);
    EXPECT_FALSE(editor.views[View3D].dragging);
    // a left drag in 3D orbits; over the 3D view the Edit Toolbar names it
    send(WindowEventType::LeftDown, 620, 440, MkLeft);
    send(WindowEventType::MouseMove, 630, 445, MkLeft);
    EXPECT_FLOAT_EQ(editor.views[View3D].yaw, 10.0f);
    EXPECT_FLOAT_EQ(editor.views[View3D].pitch, 5.0f);
    EXPECT_EQ(editor.panels.edit.widgets[findWidget(editor.panels.edit, kIdViewLabel)].caption,
              "  3D");
    send(WindowEventType::LeftUp, 630, 445);
    EXPECT_FALSE(editor.views[View3D].dragging);
    // the pointer leaving the window brings the system cursor back
    send(WindowEventType::MouseLeave);
    EXPECT_TRUE(platform.systemCursorVisible);
    EXPECT_FALSE(editor.input.mouseInside);
}

TEST_F(EditorFixture, RubberBandAndMaximise) {
    // a left press in Top starts a band that follows the pointer and ends on release
    send(WindowEventType::MouseMove, 150, 400);
    send(WindowEventType::LeftDown, 150, 400, MkLeft);
    EXPECT_TRUE(editor.views[ViewTop].rubberBand);
    send(WindowEventType::MouseMove, 190, 420, MkLeft);
    EXPECT_FLOAT_EQ(editor.views[ViewTop].bandEndU, editor.views[ViewTop].cursorU);
    EXPECT_NE(editor.views[ViewTop].bandEndU, editor.views[ViewTop].bandStartU);
    send(WindowEventType::LeftUp, 190, 420);
    EXPECT_FALSE(editor.views[ViewTop].rubberBand);
    // a double click maximises the view under it and another restores the split
    send(WindowEventType::LeftDoubleClick, 600, 100);
    EXPECT_EQ(editor.state.viewLayout, 2);
    EXPECT_EQ(editor.views[ViewLeft].width, 800);
    send(WindowEventType::LeftDoubleClick, 10, 10);
    EXPECT_EQ(editor.state.viewLayout, kLayoutSplit);
    // on the border between views nothing is maximised
    send(WindowEventType::LeftDoubleClick, 400, 100);
    EXPECT_EQ(editor.state.viewLayout, kLayoutSplit);
    // an open blocking panel keeps the double click and the wheel from the views
    editor.panels.cursorMode.visible = true;
    send(WindowEventType::LeftDoubleClick, 600, 100);
    EXPECT_EQ(editor.state.viewLayout, kLayoutSplit);
}

TEST_F(EditorFixture, KeysPolledEachFrame) {
    send(WindowEventType::MouseMove, 200, 450); // over Top
    const float scale = editor.views[ViewTop].scale;
    // Page Up zooms every frame while held
    key(WindowEventType::KeyDown, VkPageUp);
    handleKeyboard(editor);
    handleKeyboard(editor);
    EXPECT_FLOAT_EQ(editor.views[ViewTop].scale, scale * 1.1f * 1.1f);
    key(WindowEventType::KeyUp, VkPageUp);
    handleKeyboard(editor);
    EXPECT_FLOAT_EQ(editor.views[ViewTop].scale, scale * 1.1f * 1.1f);
    // arrows turn the 3D view
    key(WindowEventType::KeyDown, VkUp);
    key(WindowEventType::KeyDown, VkLeft);
    handleKeyboard(editor);
    EXPECT_FLOAT_EQ(editor.views[View3D].pitch, 1.0f);
    EXPECT_FLOAT_EQ(editor.views[View3D].roll, 1.0f);
    key(WindowEventType::KeyUp, VkUp);
    key(WindowEventType::KeyUp, VkLeft);
    // M is consumed: one press advances the mode once, and the icon follows
    key(WindowEventType::KeyDown, 'M');
    handleKeyboard(editor);
    handleKeyboard(editor);
    EXPECT_EQ(editor.state.transformMode, ModeRotate);
    const Panel& edit = editor.panels.edit;
    EXPECT_FALSE(edit.widgets[findWidget(edit, kIdMoveModeIcon)].shown);
    EXPECT_TRUE(edit.widgets[findWidget(edit, kIdMoveModeIcon + 1)].shown);
    for (int i = 0; i < 3; ++i) {
        key(WindowEventType::KeyDown, 'M');
        handleKeyboard(editor);
    }
    EXPECT_EQ(editor.state.transformMode, ModeMove);
}

TEST_F(EditorFixture, MenuToggles) {
    // Render Lit Mesh twice is off again
    runCommand(editor, CmdRenderLitMesh);
    runCommand(editor, CmdRenderLitMesh);
    EXPECT_FALSE(platform.menuCheck(CmdRenderLitMesh));
    // Show Debug Info opens the debug panel at the bottom-left and closes it again
    runCommand(editor, CmdShowDebugInfo);
    EXPECT_TRUE(editor.panels.debugText.visible);
    EXPECT_EQ(editor.panels.debugText.y, 600 - 95);
    runCommand(editor, CmdShowDebugInfo);
    EXPECT_FALSE(editor.panels.debugText.visible);
    // options copy their mark into their flag
    runCommand(editor, CmdSnapToGrid);
    EXPECT_TRUE(editor.state.snapToGrid);
    runCommand(editor, CmdScaleY);
    EXPECT_EQ(editor.edit.scaleY, platform.menuCheck(CmdScaleY));
    // grid sizes reach all four views; Preview Model shows only the 3D view with materials
    runCommand(editor, CmdGridSize10);
    EXPECT_FLOAT_EQ(editor.views[ViewLeft].gridSpacing, 10.0f);
    runCommand(editor, CmdPreviewModel);
    EXPECT_EQ(editor.state.viewLayout, 4);
    EXPECT_FALSE(getState(editor.panels.view3D, 1025));
    EXPECT_TRUE(getState(editor.panels.view3D, 1029));
    runCommand(editor, CmdRestoreEditView);
    EXPECT_EQ(editor.state.viewLayout, kLayoutSplit);
    EXPECT_TRUE(getState(editor.panels.view3D, 1030));
    // Exit ends the loop
    runCommand(editor, CmdExit);
    EXPECT_TRUE(editor.quit);
}

namespace {

// The default square (-1..1 in x and y) as the edit model, with ten undo steps.
struct EditingFixture : EditorFixture {
    EditingFixture() {
        Model& m = editor.edit;
        const float corners[6][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, -1}, {1, 1}, {-1, 1}};
        m.vertices.resize(6);
        for (int i = 0; i < 6; ++i) {
            m.vertices[i].x = corners[i][0];
            m.vertices[i].y = corners[i][1];
        }
        m.meshes.resize(1);
        m.meshes[0].triangleCount = 2;
        m.materials.resize(1);
        m.LoadOK = true;
        setupUndo(m, 10);
    }
    // Front view: centre (200, 150), 100 pixels per unit.
    static int frontX(float x) { return 200 + static_cast<int>(x * 100); }
    static int frontY(float y) { return 150 - static_cast<int>(y * 100); }
};

} // namespace

TEST_F(EditingFixture, DragAVertexThenUndoInOneStep) {
    // hovering the corner (1, 1) shows the Move cursor
    send(WindowEventType::MouseMove, frontX(1), frontY(1));
    EXPECT_EQ(editor.state.cursorIcon, CursorOverVertex + ModeMove);
    // press, drag 30 pixels right and 20 down in three moves, release
    send(WindowEventType::LeftDown, frontX(1), frontY(1), MkLeft);
    EXPECT_TRUE(editor.views[ViewFront].snapActive);
    EXPECT_FALSE(editor.views[ViewFront].rubberBand);
    send(WindowEventType::MouseMove, frontX(1) + 10, frontY(1) + 5, MkLeft);
    send(WindowEventType::MouseMove, frontX(1) + 20, frontY(1) + 10, MkLeft);
    send(WindowEventType::MouseMove, frontX(1) + 30, frontY(1) + 20, MkLeft);
    send(WindowEventType::LeftUp, frontX(1) + 30, frontY(1) + 20);
    // both corners at (1, 1) moved by (0.3, -0.2); the others stayed
    EXPECT_NEAR(editor.edit.vertices[2].x, 1.3f, 1e-5);
    EXPECT_NEAR(editor.edit.vertices[4].y, 0.8f, 1e-5);
    EXPECT_EQ(editor.edit.vertices[1].x, 1.0f);
    // Ctrl+Z restores the model before the press in one step
    key(WindowEventType::KeyDown, VkControl);
    key(WindowEventType::KeyDown, 'Z');
    handleKeyboard(editor);
    handleKeyboard(editor);
    EXPECT_EQ(editor.edit.vertices[2].x, 1.0f);
    EXPECT_EQ(editor.edit.vertices[4].y, 1.0f);
    // Ctrl+R brings the drag back
    key(WindowEventType::KeyDown, 'R');
    handleKeyboard(editor);
    EXPECT_NEAR(editor.edit.vertices[2].x, 1.3f, 1e-5);
    key(WindowEventType::KeyUp, 'R');
    key(WindowEventType::KeyUp, VkControl);
    // a quick Ctrl+Z tapped and released between two frames still undoes, once
    key(WindowEventType::KeyDown, VkControl);
    key(WindowEventType::KeyDown, 'Z');
    key(WindowEventType::KeyUp, 'Z');
    key(WindowEventType::KeyUp, VkControl);
    handleKeyboard(editor);
    EXPECT_EQ(editor.edit.vertices[2].x, 1.0f);
    handleKeyboard(editor);
    EXPECT_FALSE(editor.input.keys['Z']);
    EXPECT_FALSE(editor.input.keys[VkControl]);
    // Ctrl went up before the frame that sees the tapped R: the press still had Ctrl with it
    key(WindowEventType::KeyDown, VkControl);
    handleKeyboard(editor);
    key(WindowEventType::KeyDown, 'R');
    key(WindowEventType::KeyUp, 'R');
    key(WindowEventType::KeyUp, VkControl);
    handleKeyboard(editor);
    EXPECT_NEAR(editor.edit.vertices[2].x, 1.3f, 1e-5);
    // the same with Z still held when the frame comes: Ctrl was down when Z went down
    key(WindowEventType::KeyDown, VkControl);
    handleKeyboard(editor);
    key(WindowEventType::KeyDown, 'Z');
    key(WindowEventType::KeyUp, VkControl);
    handleKeyboard(editor);
    EXPECT_EQ(editor.edit.vertices[2].x, 1.0f);
    // and a Z pressed alone afterwards is just a Z
    key(WindowEventType::KeyUp, 'Z');
    key(WindowEventType::KeyDown, 'R');
    handleKeyboard(editor);
    EXPECT_EQ(editor.edit.vertices[2].x, 1.0f);
}

TEST_F(EditingFixture, KeysReleasedWhileTheKeyboardWasElsewhereAreUp) {
    takeSnapshot(editor.edit); // one step to undo
    // Ctrl held with Shift as the menu opens; both come up there, unseen
    key(WindowEventType::KeyDown, VkControl);
    key(WindowEventType::KeyDown, VkShift);
    send(WindowEventType::MouseMove, 10, 10, MkShift | MkControl);
    handleKeyboard(editor);
    WindowEvent away;
    away.type = WindowEventType::Activate;
    away.deactivated = true;
    handleWindowEvent(editor, away);
    EXPECT_TRUE(editor.windowActive);
    EXPECT_FALSE(editor.input.keys[VkShift]);
    EXPECT_EQ(editor.input.buttonMask, 0);
    // back in the window a Z is only a Z
    key(WindowEventType::KeyDown, 'Z');
    handleKeyboard(editor);
    EXPECT_FALSE(editor.edit.undo.canRedo); // nothing was undone
}

TEST_F(EditingFixture, BandSelectsExactlyWhatItEncloses) {
    // a band around the two right-hand corners (x = 1) selects those vertices only
    send(WindowEventType::MouseMove, frontX(0.5f), frontY(1.4f));
    send(WindowEventType::LeftDown, frontX(0.5f), frontY(1.4f), MkLeft);
    EXPECT_TRUE(editor.views[ViewFront].rubberBand);
    for (int step = 1; step <= 10; ++step) // moves come in small steps, as a real drag's do
        send(WindowEventType::MouseMove, frontX(0.5f + 0.09f * step), frontY(1.4f - 0.28f * step),
             MkLeft);
    send(WindowEventType::LeftUp, frontX(1.4f), frontY(-1.4f));
    const bool expected[6] = {false, true, true, false, true, false};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(editor.edit.vertices[i].selected, expected[i]) << i;
    // a drag that leaves the view it started in rests until it comes back
    send(WindowEventType::MouseMove, frontX(1), frontY(1));
    send(WindowEventType::LeftDown, frontX(1), frontY(1), MkLeft);
    send(WindowEventType::MouseMove, frontX(1) + 20, frontY(1), MkLeft);
    const float x = editor.edit.vertices[1].x;
    send(WindowEventType::MouseMove, 410, frontY(1), MkLeft); // into the Left view
    send(WindowEventType::MouseMove, 430, frontY(1), MkLeft);
    EXPECT_EQ(editor.edit.vertices[1].x, x);
    send(WindowEventType::LeftUp, 430, frontY(1));
}

TEST_F(EditingFixture, PixelDrivenDragsGoOnOutsideTheirView) {
    runCommand(editor, CmdSelectAll);
    const std::vector<Vertex> before = editor.edit.vertices;
    // grab the corner (1, 1) in Front, run right into the Left view, then 10 pixels down there
    auto dragIntoLeftView = [&](int mode) {
        editor.edit.vertices = before;
        editor.state.transformMode = mode;
        send(WindowEventType::MouseMove, frontX(1), frontY(1));
        send(WindowEventType::LeftDown, frontX(1), frontY(1), MkLeft);
        for (int x : {330, 360, 390, 410}) send(WindowEventType::MouseMove, x, frontY(1), MkLeft);
        send(WindowEventType::MouseMove, 410, frontY(1) + 10, MkLeft);
        send(WindowEventType::LeftUp, 410, frontY(1) + 10);
        return editor.edit.vertices[2];
    };
    EXPECT_NEAR(dragIntoLeftView(ModeScale).x, 1.05f, 1e-5);
    const float turn = 10 / 57.29578f; // about z, around the centre (0, 0)
    EXPECT_NEAR(dragIntoLeftView(ModeRotate).x, std::cos(turn) - std::sin(turn), 1e-5);
    // the Front view's mapping all along: 110 pixels right, 10 down, at 100 pixels a unit
    const Vertex moved = dragIntoLeftView(ModeTexture);
    EXPECT_NEAR(moved.textureX, 1.1f, 1e-5);
    EXPECT_NEAR(moved.textureY, -0.1f, 1e-5);
}

TEST_F(EditingFixture, SnapRotateAndMenuEdits) {
    // snapping: the grabbed corner at x = 1 lands on grid points 0.5 apart
    runCommand(editor, CmdSnapToGrid);
    send(WindowEventType::MouseMove, frontX(-1), frontY(-1));
    send(WindowEventType::LeftDown, frontX(-1), frontY(-1), MkLeft);
    send(WindowEventType::MouseMove, frontX(-1) + 20, frontY(-1), MkLeft);
    EXPECT_EQ(editor.edit.vertices[0].x, -1.0f);
    send(WindowEventType::MouseMove, frontX(-1) + 30, frontY(-1), MkLeft);
    EXPECT_EQ(editor.edit.vertices[0].x, -0.5f);
    send(WindowEventType::LeftUp, frontX(-1) + 30, frontY(-1));
    runCommand(editor, CmdSnapToGrid);
    // align on X through the menu is one undo step
    runCommand(editor, CmdSelectAll);
    runCommand(editor, CmdAlignX);
    EXPECT_TRUE(editor.edit.normalsPending);
    for (const Vertex& v : editor.edit.vertices) EXPECT_EQ(v.x, editor.edit.vertices[0].x);
    runCommand(editor, CmdUndo);
    EXPECT_EQ(editor.edit.vertices[1].x, 1.0f);
    // lock and select commands
    runCommand(editor, CmdLockSelected);
    EXPECT_TRUE(editor.edit.vertices[3].locked);
    runCommand(editor, CmdUnlockAllVertices);
    EXPECT_FALSE(editor.edit.vertices[3].locked);
    runCommand(editor, CmdSelectNone);
    EXPECT_FALSE(editor.edit.vertices[0].selected);
    // mirroring in X reflects about the mesh's mean x, then swaps the first two corners
    // (both corners at (-1, -1) were grabbed and moved to x = -0.5)
    const float mean = (-0.5f + 1 + 1 - 0.5f + 1 - 1) / 6;
    runCommand(editor, CmdMirrorX);
    EXPECT_NEAR(editor.edit.vertices[2].x, 2 * mean - 1, 1e-5);
    EXPECT_NEAR(editor.edit.vertices[0].x, 2 * mean - 1, 1e-5);
    EXPECT_NEAR(editor.edit.vertices[1].x, 2 * mean + 0.5f, 1e-5);
}
