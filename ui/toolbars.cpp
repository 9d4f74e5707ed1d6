// The toolbars and boxes: the panel table, the widget tables and the builder that walks them.
//
// Sections: the panel table; widget tables; building; the Edit Toolbar.
#include "ui/toolbars.h"

#include "base/numbers.h"
#include "ui/about.h"
#include "ui/bitmap_texture.h"
#include "ui/font.h"
#include "ui/hints.h"
#include "ui/material_editor.h"
#include "ui/widget_rows.h"

#include <cstddef>

namespace {

// ---- The panel table ----

struct PanelRow {
    Panel Panels::*member;
    const char* title;
    int width;
    int height;
    bool titleBar;
    bool statusBar;
    bool blocksViewports; // while open, the viewports ignore hover, drags, wheel, double clicks
};

constexpr PanelRow kPanelRows[] = {
    {&Panels::unlock, "Unlock Toolbar", 80, 60, true, true, true},
    {&Panels::meshPin, "Mesh Pin Toolbar", 190, 102, true, true, true},
    {&Panels::meshPinExtended, "Mesh Pin Extended Toolbar", 190, 249, true, true, true},
    {&Panels::trianglePin, "Triangle Pin Toolbar", 190, 249, true, true, true},
    {&Panels::edit, "Edit Toolbar", 74, 22, false, false, false},
    {&Panels::view3D, "3D View Options Toolbar", 227, 60, true, true, true},
    {&Panels::viewOrtho, "3D View Options Toolbar", 116, 60, true, true, true},
    {&Panels::cursorMode, "Select Cursor Mode", 153, 60, true, true, true},
    {&Panels::debugText, "", 240, kDebugTextHeight, false, false, false},
    {&Panels::hints, "Hints and Tips", 240, 240, true, true, false},
    {&Panels::about, "About Facetwright", 240, 180, true, true, false},
};
static_assert(sizeof(kPanelRows) / sizeof(kPanelRows[0]) == kPanelCount - 2,
              "every panel but the material editor's two is built here");

// ---- Widget tables ----

constexpr WidgetType kImage = WidgetType::ImageButton;
constexpr WidgetType kLabel = WidgetType::Label;
constexpr WidgetType kButton = WidgetType::Button;
constexpr WidgetType kCheck = WidgetType::CheckBox;

// A 32 x 32 image button with the usual caption offset and no caption.
constexpr WidgetRow pinButton(int id, int x, int y, const char* help, int bitmap,
                              bool state = false) {
    return {id, kImage, x, y, 32, 32, 2, 12, "", help, bitmap, state, false};
}

// A mesh pin that is locked offers only unlocking.
constexpr WidgetRow kUnlockToolbar[] = {
    pinButton(kIdUnlockMesh, 5, 14, "Unlock Mesh", 101),
    pinButton(kIdUnlockAllMeshes, 42, 14, "Unlock ALL", 102),
};

constexpr WidgetRow kMeshPinToolbar[] = {
    pinButton(kIdLockMesh, 5, 16, "Lock Mesh", 103),
    pinButton(kIdLockAllMeshes, 5, 53, "Lock ALL Meshes", 104),
    pinButton(kIdSelectMeshOnly, 42, 16, "Select THIS Mesh ONLY", 105),
    pinButton(kIdAddMeshToSelection, 42, 53, "Add Mesh to Current Selection", 106),
    pinButton(kIdSubdivideMesh, 79, 16, "Subdivide this Mesh", 110),
    pinButton(kIdDuplicateMesh, 116, 16, "Create duplicate of this Mesh", 116),
    pinButton(kIdMeshMaterial, 116, 53, "View Mesh Material Properties", 117),
    pinButton(kIdSmoothMesh, 153, 16, "Toggle Smooth Mesh Mode", 145, true),
    pinButton(kIdShowExtendedMenu, 153, 53, "Show Extended Mesh Menu", 119),
};

constexpr WidgetRow kMeshPinExtendedToolbar[] = {
    pinButton(kIdUnlockAllMeshes, 5, 90, "Unlock ALL Meshes", 102),
    pinButton(kIdLockMesh, 5, 16, "Lock Mesh", 103),
    pinButton(kIdLockAllMeshes, 5, 53, "Lock ALL Meshes", 104),
    pinButton(kIdHideMesh, 5, 127, "Hide this mesh", 144),
    pinButton(kIdSelectMeshOnly, 42, 16, "Select THIS Mesh ONLY", 105),
    pinButton(kIdAddMeshToSelection, 42, 53, "Add Mesh to Current Selection", 106),
    pinButton(kIdRemoveMeshFromSelection, 42, 90, "Remove Mesh from Current Selection", 107),
    pinButton(kIdSelectAllMeshes, 42, 127, "Select All Meshes", 108),
    pinButton(kIdSelectNoMeshes, 42, 164, "De-Select All Meshes", 109),
    pinButton(kIdSubdivideMesh, 79, 16, "Subdivide this Mesh", 110),
    pinButton(kIdDuplicateMesh, 116, 16, "Create duplicate of this Mesh", 116),
    pinButton(kIdRecalcTexCoords, 116, 53, "Recalculate Texture Coordinates", 118),
    pinButton(kIdMeshMaterial, 116, 90, "View Mesh Material Properties", 117),
    pinButton(kIdInvertMesh, 116, 127, "Invert Mesh (Flip front/back face)", 115),
    pinButton(kIdSmoothMesh, 153, 16, "Toggle Smooth Mesh Mode", 145, true),
    pinButton(kIdTrianglePins, 153, 53, "Toggle Triangle Pins", 146, true),
    pinButton(kIdDeleteMesh, 153, 201, "DELETE This Mesh", 122),
};

constexpr WidgetRow kTrianglePinToolbar[] = {
    pinButton(kIdLockTriangle, 5, 16, "Lock Triangle", 103),
    pinButton(kIdLockAllTriangles, 5, 53, "Lock ALL Triangles", 104),
    pinButton(kIdUnlockTriangle, 5, 90, "Unlock Triangle", 101),
    pinButton(kIdUnlockAllTriangles, 5, 127, "Unlock ALL Triangles", 102),
    pinButton(kIdSelectTriangleOnly, 42, 16, "Select THIS Triangle ONLY", 105),
    pinButton(kIdAddTriangleToSelection, 42, 53, "Add this Triangle to Current Selection", 106),
    pinButton(kIdRemoveTriangleFromSelection, 42, 90, "Remove this Triange from Selection", 107),
    pinButton(kIdSelectAllTriangles, 42, 127, "Select All Triangles", 108),
    pinButton(kIdSelectNoTriangles, 42, 164, "Select NO Triangles", 109),
    pinButton(kIdSubdivideTriangle, 79, 16, "Subdivide this Triangle", 110),
    pinButton(kIdInvertTriangle, 79, 53, "Invert this Triangle", 115),
    pinButton(kIdDeleteTriangle, 79, 201, "Delete this Triangle", 122),
};

constexpr WidgetRow kEditToolbar[] = {
    {kIdMoveModeIcon + 0, kImage, 3, 3, 16, 16, 0, 0, "", "Show Cursor Menu", 131, false, false},
    {kIdMoveModeIcon + 1, kImage, 3, 3, 16, 16, 0, 0, "", "Show Cursor Menu", 132, false, false},
    {kIdMoveModeIcon + 2, kImage, 3, 3, 16, 16, 0, 0, "", "Show Cursor Menu", 133, false, false},
    {kIdMoveModeIcon + 3, kImage, 3, 3, 16, 16, 0, 0, "", "Show Cursor Menu", 134, false, false},
    {kIdViewMenu, kImage, 22, 3, 16, 16, 0, 0, "", "Show View Menu", 124, false, false},
    {kIdViewLabel, kLabel, 40, 3, 30, 16, 3, 12, "Front", "Front", 0, false, true},
};

// The debug lines' texts are written every frame by the status update.
constexpr WidgetRow kDebugText[] = {
    {0, kLabel, 5, 5, 0, 0, 17, 14, "", "", 0, false, false},
    {kIdDebugFirstLine + 0, kLabel, 7, 3, 0, 0, 17, 14, "", "", 0, false, false},
    {kIdDebugFirstLine + 1, kLabel, 5, 15, 0, 0, 17, 14, "", "", 0, false, false},
    {kIdDebugFirstLine + 2, kLabel, 5, 25, 0, 0, 17, 14, "", "", 0, false, false},
    {kIdDebugFirstLine + 3, kLabel, 5, 35, 0, 0, 17, 14, "", "", 0, false, false},
    {kIdDebugFirstLine + 4, kLabel, 5, 45, 0, 0, 17, 14, "", "", 0, false, false},
    {kIdDebugFirstLine + 5, kLabel, 5, 55, 0, 0, 17, 14, "", "", 0, false, false},
    {kIdDebugFirstLine + 6, kLabel, 5, 65, 0, 0, 17, 14, "", "", 0, false, false},
    {kIdDebugMissingTextures, kLabel, 5, 75, 0, 0, 17, 14, "", "", 0, false, false},
};

// View options: toggles that stay open while clicked.
constexpr WidgetRow kView3D[] = {
    {1025, kImage, 5, 14, 32, 32, 0, 0, "", "Show Grid", 125, true, false},
    {1026, kImage, 42, 14, 32, 32, 0, 0, "", "Show Axis", 126, true, false},
    {1027, kImage, 79, 14, 32, 32, 0, 0, "", "Show Points/Vertices", 127, true, false},
    {1028, kImage, 116, 14, 32, 32, 0, 0, "", "Show Meshes", 128, true, false},
    {1029, kImage, 153, 14, 32, 32, 0, 0, "", "Show Materials", 129, true, false},
    {1030, kImage, 190, 14, 32, 32, 0, 0, "", "Show MeshPins", 130, true, false},
};

// Shared by the three orthographic views.
constexpr WidgetRow kViewOrtho[] = {
    {1025, kImage, 5, 14, 32, 32, 0, 0, "", "Show Grid", 125, true, false},
    {1026, kImage, 42, 14, 32, 32, 0, 0, "", "Show Axis", 126, true, false},
    {1029, kImage, 79, 14, 32, 32, 0, 0, "", "Show Materials", 129, false, false},
};

// Exactly one mode is on.
constexpr WidgetRow kCursorMode[] = {
    {1031, kImage, 5, 14, 32, 32, 0, 0, "", "Move Mode", 131, true, false},
    {1032, kImage, 42, 14, 32, 32, 0, 0, "", "Rotate Mode", 132, false, false},
    {1033, kImage, 79, 14, 32, 32, 0, 0, "", "Scale Mode", 133, false, false},
    {1034, kImage, 116, 14, 32, 32, 0, 0, "", "Texture Coordinate Mode", 134, false, false},
};

// The texts come from offerHint; the check box starts ticked, as every offer leaves it.
constexpr WidgetRow kHintsBox[] = {
    {kIdHintClose, kButton, 160, 185, 60, 20, 17, 14, "Close", "Close this message box", 0, false,
     false},
    {kIdHintCheck, kCheck, 40, 205, 60, 20, 37, 14, "Don't tell me again", "", 0, true, false},
    {kIdHintTitle, kLabel, 20, 20, 200, 160, 5, 14, "", "", 0, false, true},
    {kIdHintFirstLine + 0, kLabel, 20, 38, 0, 0, 5, 14, "", "", 0, false, false},
    {kIdHintFirstLine + 1, kLabel, 20, 56, 0, 0, 5, 14, "", "", 0, false, false},
    {kIdHintFirstLine + 2, kLabel, 20, 74, 0, 0, 5, 14, "", "", 0, false, false},
    {kIdHintFirstLine + 3, kLabel, 20, 92, 0, 0, 5, 14, "", "", 0, false, false},
    {kIdHintFirstLine + 4, kLabel, 20, 110, 0, 0, 5, 14, "", "", 0, false, false},
    {kIdHintFirstLine + 5, kLabel, 20, 128, 0, 0, 5, 14, "", "", 0, false, false},
};
static_assert(sizeof(kHintsBox) / sizeof(kHintsBox[0]) == 3 + kHintBoxLines - 1,
              "a label for each line of a hint");

// The version line is formatted when the box is built.
constexpr char kVersionFormat[] = "Version Number: %i.%i build %i";
constexpr int kAboutVersionRow = 1;
constexpr WidgetRow kAboutBox[] = {
    {0, kLabel, 5, 20, 230, 142, 5, 14, "Facetwright Version Information", "", 0, false, true},
    {0, kLabel, 25, 40, 0, 0, 5, 14, kVersionFormat, "", 0, false, false},
    {0, kLabel, 25, 60, 0, 0, 5, 14, kAboutAuthor, "", 0, false, false},
    {0, kLabel, 25, 80, 0, 0, 5, 14, kWebSiteUrl, "", 0, false, false},
    {0, kLabel, 25, 100, 0, 0, 5, 14, kContactAddress, "", 0, false, false},
    {kIdAboutClose, kButton, 160, 135, 60, 20, 17, 14, "Close", "Close the About Box", 0, false,
     false},
};
static_assert(kAboutBox[kAboutVersionRow].caption == kVersionFormat, "the version row moved");

struct WidgetTable {
    Panel Panels::*member;
    const WidgetRow* rows;
    std::size_t count;
};

template <std::size_t N>
constexpr WidgetTable table(Panel Panels::*member, const WidgetRow (&rows)[N]) {
    return {member, rows, N};
}

constexpr WidgetTable kWidgetTables[] = {
    table(&Panels::unlock, kUnlockToolbar),
    table(&Panels::meshPin, kMeshPinToolbar),
    table(&Panels::meshPinExtended, kMeshPinExtendedToolbar),
    table(&Panels::trianglePin, kTrianglePinToolbar),
    table(&Panels::edit, kEditToolbar),
    table(&Panels::view3D, kView3D),
    table(&Panels::viewOrtho, kViewOrtho),
    table(&Panels::cursorMode, kCursorMode),
    table(&Panels::debugText, kDebugText),
    table(&Panels::hints, kHintsBox),
    table(&Panels::about, kAboutBox),
};
static_assert(sizeof(kWidgetTables) / sizeof(kWidgetTables[0]) ==
                  sizeof(kPanelRows) / sizeof(kPanelRows[0]),
              "one widget table for each panel built here");

// Cursor icons 0 .. 6.
constexpr int kCursorResources[kCursorTextures] = {135, 136, 137, 138, 139, 140, 143};

// ---- Building ----

} // namespace

Panels::Panels() {
    for (Panel* p : allPanels(*this)) constructPanel(*p);
}

std::array<Panel*, kPanelCount> allPanels(Panels& p) {
    return {&p.unlock, &p.meshPin,        &p.meshPinExtended, &p.trianglePin, &p.edit,
            &p.view3D, &p.viewOrtho,      &p.cursorMode,      &p.debugText,   &p.hints,
            &p.about,  &p.materialEditor, &p.textureSelector};
}

void layoutToolbars(Panels& panels, unsigned (*loadTexture)(int resourceId)) {
    for (const PanelRow& row : kPanelRows) {
        Panel& panel = panels.*row.member;
        resetPanel(panel, row.width, row.height, row.title);
        panel.hasTitleBar = row.titleBar;
        panel.hasStatusBar = row.statusBar;
        panel.translucent = true;
    }
    for (const WidgetTable& t : kWidgetTables)
        addWidgetRows(panels.*t.member, t.rows, t.count, loadTexture);
    layoutMaterialEditor(panels, loadTexture);
    char version[64];
    formatC(version, sizeof version, kVersionFormat, kVersionMajor, kVersionMinor, kVersionBuild);
    assignText(panels.about.widgets[kAboutVersionRow].caption, version, kWidgetTextMax);
    setTransformModeIcon(panels, 0);
}

void buildToolbars(Panels& panels, Platform& platform, unsigned cursorTextures[kCursorTextures]) {
    for (int i = 0; i < kCursorTextures; ++i)
        cursorTextures[i] = loadBitmapTexture(kCursorResources[i]);
    layoutToolbars(panels, loadBitmapTexture);
    // One rasterisation serves every panel: they all use the same face and height.
    GlyphSet glyphs;
    if (!platform.rasterizeGlyphs(kFontFamily, kFontPixelHeight, glyphs)) glyphs.glyphs.clear();
    for (Panel* p : allPanels(panels)) createFontFromGlyphs(*p, glyphs);
}

void deleteToolbarFonts(Panels& panels) {
    for (Panel* p : allPanels(panels)) deleteFont(*p);
}

bool viewportsBlocked(const Panels& panels) {
    if (panels.materialEditor.visible) return true;
    for (const PanelRow& row : kPanelRows)
        if (row.blocksViewports && (panels.*row.member).visible) return true;
    return false;
}

// ---- The Edit Toolbar ----

void setTransformModeIcon(Panels& panels, int mode) {
    for (int m = 0; m < kTransformModes; ++m) setShown(panels.edit, kIdMoveModeIcon + m, m == mode);
}

void placeEditToolbar(Panels& panels, std::string_view label, int x, int y, bool iconsEnabled) {
    Panel& edit = panels.edit;
    if (edit.widgets.empty()) return;
    setCaption(edit, label, kIdViewLabel);
    for (int m = 0; m < kTransformModes; ++m) {
        Widget& icon = edit.widgets[findWidget(edit, kIdMoveModeIcon + m)];
        if (icon.shown) icon.enabled = iconsEnabled;
    }
    showPanelAt(edit, x, y);
}
