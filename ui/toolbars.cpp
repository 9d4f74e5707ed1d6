// The toolbars and boxes: the panel table, the widget tables and the builder that walks them.
//
// Sections: the panel table; widget tables; building; the Edit Toolbar.
#include "ui/toolbars.h"

#include "ui/bitmap_texture.h"
#include "ui/font.h"

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
    {&Panels::debugText, "", 240, 85, false, false, false},
    {&Panels::hints, "Hints and Tips", 240, 240, true, true, false},
    {&Panels::about, "About Facetwright", 240, 180, true, true, false},
};
static_assert(sizeof(kPanelRows) / sizeof(kPanelRows[0]) == kPanelCount - 2,
              "every panel but the material editor's two is built here");

// ---- Widget tables ----

// One widget as added: shown and enabled, texture loaded from bitmap for image buttons.
struct WidgetRow {
    int id;
    WidgetType type;
    int x, y, width, height;
    int textX, textY;
    const char* caption;
    const char* help;
    int bitmap; // resource id of an image button's picture; 0 for none
    bool state;
    bool optionA;
};

constexpr WidgetType kImage = WidgetType::ImageButton;
constexpr WidgetType kLabel = WidgetType::Label;

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
    table(&Panels::edit, kEditToolbar),      table(&Panels::debugText, kDebugText),
    table(&Panels::view3D, kView3D),         table(&Panels::viewOrtho, kViewOrtho),
    table(&Panels::cursorMode, kCursorMode),
};

// Cursor icons 0 .. 6.
constexpr int kCursorResources[kCursorTextures] = {135, 136, 137, 138, 139, 140, 143};

// ---- Building ----

void addWidgetRows(Panel& panel, const WidgetTable& t, unsigned (*loadTexture)(int)) {
    for (std::size_t i = 0; i < t.count; ++i) {
        const WidgetRow& r = t.rows[i];
        const int texture = r.bitmap ? static_cast<int>(loadTexture(r.bitmap)) : 0;
        addWidget(panel, r.id, r.type, r.x, r.y, r.width, r.height, r.textX, r.textY, r.caption,
                  true, true, r.state, r.help, r.optionA, false, texture, 0);
    }
}

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
    for (const WidgetTable& t : kWidgetTables) addWidgetRows(panels.*t.member, t, loadTexture);
    setTransformModeIcon(panels, 0);
}

void buildToolbars(Panels& panels, Platform& platform, unsigned cursorTextures[kCursorTextures]) {
    for (int i = 0; i < kCursorTextures; ++i)
        cursorTextures[i] = loadBitmapTexture(kCursorResources[i]);
    layoutToolbars(panels, loadBitmapTexture);
    // One rasterisation serves every panel: they all use the same face and height.
    GlyphSet glyphs;
    if (!platform.rasterizeGlyphs(kFontFamily, kFontPixelHeight, glyphs)) glyphs.glyphs.clear();
    for (const PanelRow& row : kPanelRows) createFontFromGlyphs(panels.*row.member, glyphs);
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
