// The editor's panels by role, and building the toolbars and boxes with their widgets.
#pragma once

#include "platform/platform.h"
#include "ui/panel.h"

#include <array>
#include <string_view>

struct Panels {
    Panel unlock;          // "Unlock Toolbar"
    Panel meshPin;         // "Mesh Pin Toolbar"
    Panel meshPinExtended; // "Mesh Pin Extended Toolbar"
    Panel trianglePin;     // "Triangle Pin Toolbar"
    Panel edit;            // "Edit Toolbar": follows the cursor into the view under it
    Panel view3D;          // 3D view options
    Panel viewOrtho;       // orthographic view options
    Panel cursorMode;      // "Select Cursor Mode"
    Panel debugText;       // debug information lines
    Panel hints;           // "Hints and Tips"
    Panel about;           // "About Facetwright"
    Panel materialEditor;  // built by the material editor
    Panel textureSelector; // built by the material editor

    Panels(); // every panel constructed (colours, picker slots), hidden, without widgets
};

constexpr int kPanelCount = 13;
// Every panel, in the order of the members above.
std::array<Panel*, kPanelCount> allPanels(Panels& panels);

// Widget ids of the toolbars and boxes, as the click handling dispatches them.
enum : int {
    // Unlock Toolbar and the two Mesh Pin Toolbars: act on the mesh whose pin opened them.
    kIdUnlockMesh = 1001,
    kIdUnlockAllMeshes = 1002,
    kIdLockMesh = 1003,
    kIdLockAllMeshes = 1004,
    kIdSelectMeshOnly = 1005,
    kIdAddMeshToSelection = 1006,
    kIdRemoveMeshFromSelection = 1007,
    kIdSelectAllMeshes = 1008,
    kIdSelectNoMeshes = 1009,
    kIdSubdivideMesh = 1010,
    kIdInvertMesh = 1015,
    kIdDuplicateMesh = 1016,
    kIdMeshMaterial = 1017,
    kIdRecalcTexCoords = 1018,
    kIdShowExtendedMenu = 1019,
    kIdDeleteMesh = 1022,
    kIdHideMesh = 11022,     // toggle
    kIdSmoothMesh = 11027,   // toggle
    kIdTrianglePins = 11028, // toggle
    // Triangle Pin Toolbar: acts on the current triangle.
    kIdLockTriangle = 2001,
    kIdLockAllTriangles = 2002,
    kIdUnlockTriangle = 2003,
    kIdUnlockAllTriangles = 2004,
    kIdSelectTriangleOnly = 2005,
    kIdAddTriangleToSelection = 2006,
    kIdRemoveTriangleFromSelection = 2007,
    kIdSelectAllTriangles = 2008,
    kIdSelectNoTriangles = 2009,
    kIdInvertTriangle = 2010,
    kIdDeleteTriangle = 2011,
    kIdSubdivideTriangle = 2012,
    // Edit Toolbar.
    kIdMoveModeIcon = 11023, // 11023 .. 11026: one icon per transform mode, one shown at a time
    kIdViewMenu = 1024,
    kIdViewLabel = 11027,
    // View toolbars (toggles; the orthographic one has grid, axis and materials only).
    kIdShowGrid = 1025,
    kIdShowAxis = 1026,
    kIdShowPoints = 1027,
    kIdShowMeshes = 1028,
    kIdShowMaterials = 1029,
    kIdShowMeshPins = 1030,
    // Cursor Mode Menu: 1031 .. 1034 for Move, Rotate, Scale, Texture Coordinate.
    kIdMoveMode = 1031,
    // About box.
    kIdAboutClose = 1053,
    // Hints box.
    kIdHintClose = 1084,
    kIdHintCheck = 1085,     // "Don't tell me again"; its value is the hint shown
    kIdHintTitle = 1086,     // the hint's first line, in a rounded box
    kIdHintFirstLine = 1087, // 1087 .. 1092: the hint's other six lines
    // Debug text panel.
    kIdDebugFirstLine = 1093,       // 1093 .. 1099: the debug lines
    kIdDebugMissingTextures = 1100, // empty unless texture images are missing
};
// The debug text panel's height, and the line added below it while textures are missing.
constexpr int kDebugTextHeight = 85;
constexpr int kDebugTextLine = 10;
constexpr int kTransformModes = 4; // Move, Rotate, Scale, Texture Coordinate
constexpr int kCursorTextures = 7; // cursor icons 0 .. 6

// Sizes, titles, bars and widgets of the toolbars and boxes, and of the material editor's two
// panels (ui/material_editor.h); textures of image buttons come from
// loadTexture (resource id -> texture name). Needs no OpenGL unless loadTexture does.
void layoutToolbars(Panels& panels, unsigned (*loadTexture)(int resourceId));

// Once the GL context and the viewport layout exist: loads the seven cursor textures (resources
// 135 .. 140 and 143, for cursor icons 0 .. 6), lays out the toolbars and boxes with their bitmap
// textures and gives each of them its font.
void buildToolbars(Panels& panels, Platform& platform, unsigned cursorTextures[kCursorTextures]);

// Releases the fonts of every panel (at exit).
void deleteToolbarFonts(Panels& panels);

// Whether a panel that keeps the viewports from hover, drags, the wheel and double clicks is
// open (the material editor counts).
bool viewportsBlocked(const Panels& panels);

// Shows exactly the Edit Toolbar icon of the transform mode (0 .. 3).
void setTransformModeIcon(Panels& panels, int mode);

// Moves the Edit Toolbar to (x, y) and shows it with the view's label; the four mode icons are
// drawn dim unless iconsEnabled.
void placeEditToolbar(Panels& panels, std::string_view label, int x, int y, bool iconsEnabled);
