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

// Widget ids of the Edit Toolbar and the debug text panel.
enum : int {
    kIdMoveModeIcon = 11023, // 11023 .. 11026: one icon per transform mode, one shown at a time
    kIdViewMenu = 1024,
    kIdViewLabel = 11027,
    kIdDebugFirstLine = 1093, // 1093 .. 1099: the debug lines
};
constexpr int kTransformModes = 4; // Move, Rotate, Scale, Texture Coordinate
constexpr int kCursorTextures = 7; // cursor icons 0 .. 6

// Sizes, titles, bars and widgets of the toolbars and boxes; textures of image buttons come from
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
