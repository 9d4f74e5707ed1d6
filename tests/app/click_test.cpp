// The click dispatcher with the scripted platform: which panel takes a click, and what stays open.
#include "app/click.h"
#include "app/commands.h"
#include "app/window_messages.h"
#include "edit/undo.h"
#include "platform/fake_platform.h"
#include "resources/menu_table.h"
#include "ui/hints.h"
#include "ui/panel.h"

#include "editor_fixture.h"

#include <gtest/gtest.h>

using fwtest::LaidOutEditor;

namespace {

// Two one-triangle meshes; panels laid out at 800 x 600.
struct ClickFixture : LaidOutEditor {
    ClickFixture() {
        // hints would take the clicks under test; the standard mesh toolbar first
        for (bool& shown : editor.settings.showHint) shown = false;
        editor.settings.onlyShowExtendedToolbars = false;
        Model& m = editor.edit;
        m.vertices.resize(6);
        for (int i = 0; i < 6; ++i) m.vertices[i].x = static_cast<float>(i % 3);
        m.vertices[1].y = m.vertices[4].y = 1;
        m.meshes.resize(2);
        m.meshes[0].triangleCount = 1;
        m.meshes[1].firstVertex = 3, m.meshes[1].triangleCount = 1;
        m.materials.resize(1);
        setupUndo(m, 5);
    }
    // A click on widget id of a panel (at the widget's centre).
    void clickWidget(Panel& panel, int id) {
        const Widget& w = panel.widgets[findWidget(panel, id)];
        clickAt(panel.x + w.x + w.width / 2, panel.y + w.y + w.height / 2);
    }
    void clickAt(int x, int y) {
        editor.input.pointerX = x;
        editor.input.pointerY = y;
        handleLeftClick(editor);
    }
    // As if the pointer rested on mesh k's pin in the last frame.
    void hoverPin(int k) {
        for (Mesh& mesh : editor.edit.meshes) mesh.pinHovered = false;
        editor.edit.meshes[k].pinHovered = true;
    }
};

} // namespace

TEST_F(ClickFixture, MeshPinOpensToolbarsByTheirRules) {
    // a pin click in the 3D view makes its mesh current and opens the toolbar above the pointer
    hoverPin(1);
    clickAt(600, 450);
    EXPECT_EQ(editor.edit.currentMesh, 1);
    ASSERT_TRUE(editor.panels.meshPin.visible);
    EXPECT_EQ(editor.panels.meshPin.y, 450 - 102);
    EXPECT_FALSE(editor.views[View3D].dragging);
    // "Show Extended Mesh Menu" swaps in the extended toolbar at the same corner
    const int x = editor.panels.meshPin.x, y = editor.panels.meshPin.y;
    clickWidget(editor.panels.meshPin, kIdShowExtendedMenu);
    EXPECT_FALSE(editor.panels.meshPin.visible);
    ASSERT_TRUE(editor.panels.meshPinExtended.visible);
    EXPECT_EQ(editor.panels.meshPinExtended.x, x);
    EXPECT_EQ(editor.panels.meshPinExtended.y, y);
    // "Hide this mesh" twice: the toolbar stays, the mesh ends visible but locked
    clickWidget(editor.panels.meshPinExtended, kIdHideMesh);
    EXPECT_TRUE(editor.edit.meshes[1].hidden);
    clickWidget(editor.panels.meshPinExtended, kIdHideMesh);
    EXPECT_FALSE(editor.edit.meshes[1].hidden);
    EXPECT_TRUE(editor.edit.meshes[1].locked);
    EXPECT_TRUE(editor.panels.meshPinExtended.visible);
    // "Select THIS Mesh ONLY" selects the mesh, is one undo step, and closes the toolbar
    clickWidget(editor.panels.meshPinExtended, kIdSelectMeshOnly);
    EXPECT_FALSE(editor.panels.meshPinExtended.visible);
    EXPECT_FALSE(editor.edit.vertices[0].selected);
    EXPECT_TRUE(editor.edit.vertices[3].selected);
    undo(editor.edit);
    EXPECT_FALSE(editor.edit.vertices[3].selected);
    // a locked mesh's pin opens the Unlock Toolbar, raised by its own height
    editor.edit.meshes[1].locked = true;
    hoverPin(1);
    clickAt(600, 450);
    ASSERT_TRUE(editor.panels.unlock.visible);
    EXPECT_EQ(editor.panels.unlock.y, 450 - 60);
    clickWidget(editor.panels.unlock, 1001);
    EXPECT_FALSE(editor.panels.unlock.visible);
    EXPECT_FALSE(editor.edit.meshes[1].locked);
    // with the extended-only option the extended toolbar opens directly
    editor.settings.onlyShowExtendedToolbars = true;
    hoverPin(0);
    clickAt(600, 450);
    EXPECT_TRUE(editor.panels.meshPinExtended.visible);
    // "Recalculate Texture Coordinates" projects the flat triangle onto u = x, v = y
    editor.edit.vertices[2].textureX = 0.7f;
    clickWidget(editor.panels.meshPinExtended, kIdRecalcTexCoords);
    EXPECT_FLOAT_EQ(editor.edit.vertices[2].textureX, 1.0f);
    EXPECT_FLOAT_EQ(editor.edit.vertices[1].textureY, 1.0f);
    undo(editor.edit);
    EXPECT_FLOAT_EQ(editor.edit.vertices[2].textureX, 0.7f);
}

TEST_F(ClickFixture, PrecedenceAndBlocking) {
    // with the Material Editor open a mesh-pin click does nothing to the mesh
    editor.panels.materialEditor.visible = true;
    hoverPin(1);
    clickAt(600, 450);
    EXPECT_EQ(editor.edit.currentMesh, 0);
    EXPECT_FALSE(editor.panels.meshPin.visible);
    editor.panels.materialEditor.visible = false;
    // an open Hints box swallows every click but its own Close
    bool flags[kHintRecords] = {true, true, true, true, true, true, true, true, true, true};
    offerHint(editor.panels, flags, 0, 800, 600);
    clickAt(600, 450);
    EXPECT_FALSE(editor.panels.meshPin.visible);
    EXPECT_TRUE(editor.panels.hints.visible);
    clickWidget(editor.panels.hints, kIdHintClose);
    EXPECT_FALSE(editor.panels.hints.visible);
    // empty 3D space starts orbiting
    editor.edit.meshes[1].pinHovered = false;
    clickAt(600, 450);
    EXPECT_TRUE(editor.views[View3D].dragging);
}

TEST_F(ClickFixture, ViewToolbarsAndCursorModeMenu) {
    // the Edit Toolbar's view button opens the toolbar of the view under the pointer
    placeEditToolbar(editor.panels, "Front", 5, 5, true);
    clickWidget(editor.panels.edit, kIdViewMenu);
    ASSERT_TRUE(editor.panels.viewOrtho.visible);
    // its toggles flip and keep it open; a click elsewhere closes it
    clickWidget(editor.panels.viewOrtho, kIdShowGrid);
    EXPECT_FALSE(getState(editor.panels.viewOrtho, kIdShowGrid));
    EXPECT_TRUE(editor.panels.viewOrtho.visible);
    clickAt(300, 500);
    EXPECT_FALSE(editor.panels.viewOrtho.visible);
    EXPECT_FALSE(editor.views[ViewTop].rubberBand); // that click went nowhere else
    // the mode icon opens the Cursor Mode Menu; Rotate Mode leaves only the Rotate icon
    clickWidget(editor.panels.edit, kIdMoveModeIcon);
    ASSERT_TRUE(editor.panels.cursorMode.visible);
    clickWidget(editor.panels.cursorMode, kIdMoveMode + 1);
    EXPECT_FALSE(editor.panels.cursorMode.visible);
    EXPECT_EQ(editor.state.transformMode, ModeRotate);
    EXPECT_TRUE(getState(editor.panels.cursorMode, kIdMoveMode + 1));
    EXPECT_FALSE(getState(editor.panels.cursorMode, kIdMoveMode));
    const Panel& edit = editor.panels.edit;
    for (int m = 0; m < TransformModeCount; ++m)
        EXPECT_EQ(edit.widgets[findWidget(edit, kIdMoveModeIcon + m)].shown, m == ModeRotate);
}

TEST_F(ClickFixture, TrianglePinsAndDeleteConfirmation) {
    // a triangle pin counts only when its mesh shows triangle pins
    editor.edit.vertices[3].pinHovered = true;
    clickAt(600, 450);
    EXPECT_FALSE(editor.panels.trianglePin.visible);
    editor.views[View3D].dragging = false;
    editor.edit.meshes[1].trianglePins = true;
    clickAt(600, 450);
    ASSERT_TRUE(editor.panels.trianglePin.visible);
    EXPECT_EQ(editor.edit.currentTriangle, 3);
    // "Delete this Triangle" asks; No keeps the model, and the toolbar closes either way
    clickWidget(editor.panels.trianglePin, 2011);
    EXPECT_TRUE(platform.shownMessage("Confirm Delete", "Are you sure you want to delete?"));
    EXPECT_EQ(vertexCount(editor.edit), 6);
    EXPECT_FALSE(editor.panels.trianglePin.visible);
    // "DELETE This Mesh" with Yes removes the current mesh
    editor.settings.onlyShowExtendedToolbars = true;
    editor.edit.vertices[3].pinHovered = false;
    hoverPin(0);
    clickAt(600, 450);
    platform.messageAnswers = {MessageAnswer::Yes};
    clickWidget(editor.panels.meshPinExtended, 1022);
    EXPECT_EQ(meshCount(editor.edit), 1);
    EXPECT_EQ(vertexCount(editor.edit), 3);
}

TEST_F(ClickFixture, MenuEquivalentsAndColourDialog) {
    // 508 and 326 lock the same way
    runCommand(editor, CmdLockAllVertices);
    Model a;
    a.vertices = editor.edit.vertices;
    runCommand(editor, CmdUnlockAllMeshes);
    runCommand(editor, CmdLockAllMeshes);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(a.vertices[i].locked, editor.edit.vertices[i].locked);
    EXPECT_TRUE(editor.edit.meshes[0].locked);
    // a cancelled colour dialog changes nothing but keeps edited custom colours
    editor.settings.backgroundRed = 0.5f;
    ColourAnswer cancel;
    cancel.custom = CustomColours{};
    (*cancel.custom)[3] = 0x123456;
    platform.colourAnswers = {cancel};
    runCommand(editor, CmdBackgroundColour);
    EXPECT_FLOAT_EQ(editor.settings.backgroundRed, 0.5f);
    EXPECT_EQ(editor.settings.customColour[3], 0x123456u);
    // a chosen colour becomes the background
    ColourAnswer pick;
    pick.chosen = true;
    pick.colour = makeColourRef(51, 102, 255);
    platform.colourAnswers = {pick};
    runCommand(editor, CmdBackgroundColour);
    EXPECT_FLOAT_EQ(editor.settings.backgroundGreen, 0.4f);
    EXPECT_FLOAT_EQ(editor.settings.backgroundBlue, 1.0f);
    // About opens centred; Help addresses go to the browser
    runCommand(editor, CmdAbout);
    EXPECT_TRUE(editor.panels.about.visible);
    EXPECT_EQ(editor.panels.about.x, 400 - 120);
    runCommand(editor, CmdContact);
    ASSERT_EQ(platform.callsOf(CallKind::OpenUrl).size(), 1u);
    EXPECT_EQ(platform.callsOf(CallKind::OpenUrl)[0].text.rfind("mailto:", 0), 0u);
}

TEST_F(ClickFixture, StructureCommandsFromTheMenu) {
    // combine with fewer than two selected meshes: its message, after an undo step
    runCommand(editor, CmdCombine);
    EXPECT_TRUE(platform.shownMessage("Mesh Combine Failed",
                                      "You must have at least two meshes selected!"));
    // delete selected triangles asks first; Yes removes the selected triangle
    for (int i = 3; i < 6; ++i) editor.edit.vertices[i].selected = true;
    runCommand(editor, CmdDeleteSelected);
    EXPECT_EQ(vertexCount(editor.edit), 6);
    platform.messageAnswers = {MessageAnswer::Yes};
    runCommand(editor, CmdDeleteSelected);
    EXPECT_EQ(vertexCount(editor.edit), 3);
    // texture coordinates of the current mesh scaled by 3 along U only
    editor.edit.vertices[1].textureX = 0.25f, editor.edit.vertices[1].textureY = 0.5f;
    runCommand(editor, CmdScaleTextureU + 2);
    EXPECT_FLOAT_EQ(editor.edit.vertices[1].textureX, 0.75f);
    EXPECT_FLOAT_EQ(editor.edit.vertices[1].textureY, 0.5f);
    // Draw New Mesh: the next band in the Front view becomes a mesh, one undo step
    runCommand(editor, CmdDrawNewMesh);
    WindowEvent e;
    e.type = WindowEventType::MouseMove, e.x = 150, e.y = 100;
    handleWindowEvent(editor, e);
    e.type = WindowEventType::LeftDown, e.buttons = MkLeft;
    handleWindowEvent(editor, e);
    for (int step = 1; step <= 5; ++step) {
        e.type = WindowEventType::MouseMove, e.x = 150 + 10 * step, e.y = 100 + 8 * step;
        handleWindowEvent(editor, e);
    }
    e.type = WindowEventType::LeftUp;
    handleWindowEvent(editor, e);
    EXPECT_EQ(meshCount(editor.edit), 2);
    EXPECT_EQ(vertexCount(editor.edit), 9);
    EXPECT_EQ(editor.state.editMode, EditMode::Normal);
    undo(editor.edit);
    EXPECT_EQ(vertexCount(editor.edit), 3);
}

// Every menu item and pin toolbar button reaches a row of the command table, so renumbering one
// on either side cannot silently cut it off.
TEST_F(ClickFixture, EveryMenuItemAndPinButtonHasACommand) {
    for (std::size_t i = 0; i < kMainMenuCount; ++i) {
        if (kMainMenu[i].kind == MenuEntryKind::Item) {
            EXPECT_NE(findCommand(kMainMenu[i].id), nullptr) << kMainMenu[i].caption;
        }
    }
    Panels& p = editor.panels;
    for (Panel* panel : {&p.unlock, &p.meshPin, &p.meshPinExtended, &p.trianglePin})
        for (const Widget& w : panel->widgets) {
            if (w.type != WidgetType::Label && w.id != kIdShowExtendedMenu) {
                EXPECT_NE(findCommand(w.id), nullptr) << w.id;
            }
        }
}

// A declined delete neither acts nor takes a step; a confirmed one acts.
TEST_F(ClickFixture, ConfirmedCommandsActOnlyOnYes) {
    EXPECT_FALSE(runCommand(editor, kIdDeleteMesh)); // the unscripted box answers No
    EXPECT_EQ(meshCount(editor.edit), 2);
    platform.messageAnswers.push_back(MessageAnswer::Yes);
    EXPECT_TRUE(runCommand(editor, kIdDeleteMesh));
    EXPECT_EQ(meshCount(editor.edit), 1);
    EXPECT_FALSE(runCommand(editor, GestureDrawMesh)); // gestures act themselves
}
