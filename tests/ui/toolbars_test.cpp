// The toolbars and boxes as laid out: the panel table and every panel's widgets.
#include "ui/toolbars.h"

#include "platform/fake_platform.h"
#include "ui/about.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Stands in for the texture loader: a name that tells which resource it came from.
unsigned fakeTexture(int resourceId) {
    return static_cast<unsigned>(resourceId) * 10;
}

} // namespace

TEST(Toolbars, PanelTable) {
    Panels panels;
    layoutToolbars(panels, fakeTexture);
    for (Panel* p : allPanels(panels)) {
        EXPECT_FALSE(p->visible);
        EXPECT_EQ(p->translucent, p != &panels.textureSelector); // the selector is opaque
        EXPECT_FLOAT_EQ(p->lightColour.blue, 0.9f);
    }
    EXPECT_EQ(panels.meshPinExtended.title, "Mesh Pin Extended Toolbar");
    EXPECT_EQ(panels.meshPinExtended.height, 249);
    EXPECT_EQ(panels.viewOrtho.title, "3D View Options Toolbar");
    EXPECT_EQ(panels.viewOrtho.width, 116);
    EXPECT_EQ(panels.about.title, "About Facetwright");
    EXPECT_TRUE(panels.hints.hasTitleBar && panels.hints.hasStatusBar);
    EXPECT_FALSE(panels.debugText.hasTitleBar || panels.debugText.hasStatusBar);
    EXPECT_EQ(panels.debugText.width, 240);
    EXPECT_EQ(panels.debugText.height, 85);

    // Blocking panels keep the viewports from the mouse; boxes and the Edit Toolbar do not.
    EXPECT_FALSE(viewportsBlocked(panels));
    showPanelAt(panels.edit, 5, 5);
    showPanelAt(panels.hints, 5, 5);
    showPanelAt(panels.debugText, 5, 5);
    EXPECT_FALSE(viewportsBlocked(panels));
    panels.cursorMode.visible = true;
    EXPECT_TRUE(viewportsBlocked(panels));
    panels.cursorMode.visible = false;
    panels.materialEditor.visible = true;
    EXPECT_TRUE(viewportsBlocked(panels));

    // Laying out twice does not duplicate widgets.
    layoutToolbars(panels, fakeTexture);
    EXPECT_EQ(panels.edit.widgets.size(), 6u);
}

TEST(Toolbars, EditToolbarWidgets) {
    Panels panels;
    layoutToolbars(panels, fakeTexture);
    const Panel& edit = panels.edit;
    EXPECT_EQ(edit.width, 74);
    EXPECT_EQ(edit.height, 22);
    EXPECT_FALSE(edit.hasTitleBar || edit.hasStatusBar);
    ASSERT_EQ(edit.widgets.size(), 6u);
    for (int m = 0; m < 4; ++m) {
        const Widget& icon = edit.widgets[m];
        EXPECT_EQ(icon.id, 11023 + m);
        EXPECT_EQ(icon.type, WidgetType::ImageButton);
        EXPECT_EQ(icon.x, 3);
        EXPECT_EQ(icon.width, 16);
        EXPECT_EQ(icon.helpText, "Show Cursor Menu");
        EXPECT_EQ(icon.value, (131 + m) * 10);
        EXPECT_EQ(icon.shown, m == 0); // Move mode at start
    }
    const Widget& view = edit.widgets[4];
    EXPECT_EQ(view.id, 1024);
    EXPECT_EQ(view.x, 22);
    EXPECT_EQ(view.value, 1240);
    EXPECT_EQ(view.helpText, "Show View Menu");
    const Widget& label = edit.widgets[5];
    EXPECT_EQ(label.id, 11027);
    EXPECT_EQ(label.type, WidgetType::Label);
    EXPECT_TRUE(label.optionA);
    EXPECT_EQ(label.caption, "Front");
    EXPECT_EQ(label.textX, 3);
    EXPECT_EQ(label.textY, 12);

    // Exactly the mode's icon is shown; clicking where the icons sit reaches it.
    setTransformModeIcon(panels, 2);
    for (int m = 0; m < 4; ++m) EXPECT_EQ(edit.widgets[m].shown, m == 2);
    FakePlatform platform;
    EXPECT_EQ(panelClick(panels.edit, edit.x + 10, edit.y + 10, platform), 11025);
    EXPECT_EQ(panelClick(panels.edit, edit.x + 30, edit.y + 10, platform), 1024);
    EXPECT_EQ(panelClick(panels.edit, edit.x + 50, edit.y + 10, platform), 0); // the label

    // Over the 3D view: dim icons and the view's label; over another view: bright again.
    placeEditToolbar(panels, "  3D", 300, 200, false);
    EXPECT_TRUE(edit.visible);
    EXPECT_EQ(edit.x, 300);
    EXPECT_EQ(edit.y, 200);
    EXPECT_EQ(edit.widgets[5].caption, "  3D");
    EXPECT_FALSE(edit.widgets[2].enabled);
    EXPECT_TRUE(edit.widgets[2].shown);
    placeEditToolbar(panels, "Top", 10, 10, true);
    EXPECT_TRUE(edit.widgets[2].enabled);
    EXPECT_FALSE(edit.widgets[0].enabled);
    EXPECT_EQ(edit.widgets[5].caption, "Top");
}

TEST(Toolbars, DebugTextLines) {
    Panels panels;
    layoutToolbars(panels, fakeTexture);
    const Panel& debug = panels.debugText;
    ASSERT_EQ(debug.widgets.size(), 9u);
    EXPECT_EQ(debug.widgets[0].id, 0);
    EXPECT_EQ(debug.widgets[1].id, 1093);
    EXPECT_EQ(debug.widgets[1].x, 7);
    EXPECT_EQ(debug.widgets[1].y, 3);
    for (int k = 0; k < 6; ++k) {
        const Widget& line = debug.widgets[2 + k];
        EXPECT_EQ(line.id, 1094 + k);
        EXPECT_EQ(line.x, 5);
        EXPECT_EQ(line.y, 15 + 10 * k);
    }
    // Below them the line naming missing textures, empty until a texture fails.
    EXPECT_EQ(debug.widgets[8].id, kIdDebugMissingTextures);
    EXPECT_EQ(debug.widgets[8].y, 75);
    EXPECT_EQ(debug.widgets[8].caption, "");
    for (const Widget& w : debug.widgets) {
        EXPECT_EQ(w.type, WidgetType::Label);
        EXPECT_EQ(w.width, 0);
        EXPECT_EQ(w.textX, 17);
        EXPECT_EQ(w.textY, 14);
    }
    // Every line can be written by id (none falls back to the decoration label).
    Panels copy = panels;
    for (int id = 1093; id <= 1099; ++id) setCaption(copy.debugText, "line", id);
    for (int i = 1; i < 8; ++i) EXPECT_EQ(copy.debugText.widgets[i].caption, "line");
    EXPECT_EQ(copy.debugText.widgets[0].caption, "");
}

TEST(Toolbars, ViewOptionsAndCursorModeStartStates) {
    Panels panels;
    layoutToolbars(panels, fakeTexture);
    // every 3D option starts on
    for (int id = 1025; id <= 1030; ++id) EXPECT_TRUE(getState(panels.view3D, id)) << id;
    // the orthographic views show grid and axes but not materials
    EXPECT_TRUE(getState(panels.viewOrtho, 1025));
    EXPECT_TRUE(getState(panels.viewOrtho, 1026));
    EXPECT_FALSE(getState(panels.viewOrtho, 1029));
    EXPECT_EQ(panels.viewOrtho.widgets.size(), 3u);
    // exactly the Move mode is on, and each button carries its own picture
    EXPECT_TRUE(getState(panels.cursorMode, 1031));
    for (int id = 1032; id <= 1034; ++id) EXPECT_FALSE(getState(panels.cursorMode, id));
    EXPECT_EQ(getValue(panels.cursorMode, 1033), 1330);
}

namespace {

// One image button as the pin toolbars place it.
struct PinRow {
    int id, x, y, bitmap;
    const char* help;
};

void expectPinButtons(const Panel& panel, const std::vector<PinRow>& rows) {
    ASSERT_EQ(panel.widgets.size(), rows.size()) << panel.title;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Widget& w = panel.widgets[i];
        const PinRow& r = rows[i];
        EXPECT_EQ(w.id, r.id) << panel.title << " row " << i;
        EXPECT_EQ(w.type, WidgetType::ImageButton) << r.id;
        EXPECT_EQ(w.x, r.x) << r.id;
        EXPECT_EQ(w.y, r.y) << r.id;
        EXPECT_EQ(w.width, 32) << r.id;
        EXPECT_EQ(w.height, 32) << r.id;
        EXPECT_EQ(w.textX, 2) << r.id;
        EXPECT_EQ(w.textY, 12) << r.id;
        EXPECT_EQ(w.value, r.bitmap * 10) << r.id;
        EXPECT_EQ(w.helpText, r.help) << r.id;
        EXPECT_EQ(w.caption, "") << r.id;
        EXPECT_TRUE(w.shown && w.enabled) << r.id;
    }
}

} // namespace

TEST(Toolbars, PinToolbarsInTableOrder) {
    Panels panels;
    layoutToolbars(panels, fakeTexture);
    expectPinButtons(panels.unlock,
                     {{1001, 5, 14, 101, "Unlock Mesh"}, {1002, 42, 14, 102, "Unlock ALL"}});
    expectPinButtons(panels.meshPin, {{1003, 5, 16, 103, "Lock Mesh"},
                                      {1004, 5, 53, 104, "Lock ALL Meshes"},
                                      {1005, 42, 16, 105, "Select THIS Mesh ONLY"},
                                      {1006, 42, 53, 106, "Add Mesh to Current Selection"},
                                      {1010, 79, 16, 110, "Subdivide this Mesh"},
                                      {1016, 116, 16, 116, "Create duplicate of this Mesh"},
                                      {1017, 116, 53, 117, "View Mesh Material Properties"},
                                      {11027, 153, 16, 145, "Toggle Smooth Mesh Mode"},
                                      {1019, 153, 53, 119, "Show Extended Mesh Menu"}});
    expectPinButtons(panels.meshPinExtended,
                     {{1002, 5, 90, 102, "Unlock ALL Meshes"},
                      {1003, 5, 16, 103, "Lock Mesh"},
                      {1004, 5, 53, 104, "Lock ALL Meshes"},
                      {11022, 5, 127, 144, "Hide this mesh"},
                      {1005, 42, 16, 105, "Select THIS Mesh ONLY"},
                      {1006, 42, 53, 106, "Add Mesh to Current Selection"},
                      {1007, 42, 90, 107, "Remove Mesh from Current Selection"},
                      {1008, 42, 127, 108, "Select All Meshes"},
                      {1009, 42, 164, 109, "De-Select All Meshes"},
                      {1010, 79, 16, 110, "Subdivide this Mesh"},
                      {1016, 116, 16, 116, "Create duplicate of this Mesh"},
                      {1018, 116, 53, 118, "Recalculate Texture Coordinates"},
                      {1017, 116, 90, 117, "View Mesh Material Properties"},
                      {1015, 116, 127, 115, "Invert Mesh (Flip front/back face)"},
                      {11027, 153, 16, 145, "Toggle Smooth Mesh Mode"},
                      {11028, 153, 53, 146, "Toggle Triangle Pins"},
                      {1022, 153, 201, 122, "DELETE This Mesh"}});
    expectPinButtons(panels.trianglePin,
                     {{2001, 5, 16, 103, "Lock Triangle"},
                      {2002, 5, 53, 104, "Lock ALL Triangles"},
                      {2003, 5, 90, 101, "Unlock Triangle"},
                      {2004, 5, 127, 102, "Unlock ALL Triangles"},
                      {2005, 42, 16, 105, "Select THIS Triangle ONLY"},
                      {2006, 42, 53, 106, "Add this Triangle to Current Selection"},
                      {2007, 42, 90, 107, "Remove this Triange from Selection"},
                      {2008, 42, 127, 108, "Select All Triangles"},
                      {2009, 42, 164, 109, "Select NO Triangles"},
                      {2012, 79, 16, 110, "Subdivide this Triangle"},
                      {2010, 79, 53, 115, "Invert this Triangle"},
                      {2011, 79, 201, 122, "Delete this Triangle"}});

    // The smooth and triangle-pin toggles start on, hiding starts off; nothing else is on.
    EXPECT_TRUE(getState(panels.meshPin, kIdSmoothMesh));
    EXPECT_TRUE(getState(panels.meshPinExtended, kIdSmoothMesh));
    EXPECT_TRUE(getState(panels.meshPinExtended, kIdTrianglePins));
    EXPECT_FALSE(getState(panels.meshPinExtended, kIdHideMesh));
    int on = 0;
    for (const Panel* p :
         {&panels.unlock, &panels.meshPin, &panels.meshPinExtended, &panels.trianglePin})
        for (const Widget& w : p->widgets) on += w.state;
    EXPECT_EQ(on, 3);

    // A click in the middle of a button reaches it; the gap between two buttons reaches none.
    FakePlatform platform;
    showPanelAt(panels.meshPinExtended, 100, 50);
    EXPECT_EQ(panelClick(panels.meshPinExtended, 100 + 153 + 16, 50 + 201 + 16, platform), 1022);
    EXPECT_EQ(panelClick(panels.meshPinExtended, 100 + 5 + 16, 50 + 127 + 16, platform), 11022);
    EXPECT_EQ(panelClick(panels.meshPinExtended, 100 + 39, 50 + 30, platform), 0);
}

// Checks every panel built here for what would break clicks or drawing: widgets outside the
// body or under the bars, overlapping buttons, and looked-up ids that another widget shadows.
TEST(Toolbars, EveryWidgetFitsItsPanel) {
    Panels panels;
    layoutToolbars(panels, fakeTexture);
    for (Panel* p : allPanels(panels)) {
        const int top = p->hasTitleBar ? 12 : 0;
        const int bottom = p->height - (p->hasStatusBar ? 12 : 0);
        ASSERT_FALSE(p->widgets.empty()) << p->title;
        for (std::size_t i = 0; i < p->widgets.size(); ++i) {
            const Widget& w = p->widgets[i];
            if (w.type == WidgetType::ValueHolder) continue; // never drawn or hit
            EXPECT_GE(w.x, 0) << p->title << " " << w.id;
            EXPECT_GE(w.y, top) << p->title << " " << w.id;
            EXPECT_LE(w.x + w.width, p->width) << p->title << " " << w.id;
            EXPECT_LE(w.y + w.height, bottom) << p->title << " " << w.id;
            if (w.id != 0) {
                EXPECT_EQ(findWidget(*p, w.id), static_cast<int>(i)) << w.id;
            }
            if (w.type == WidgetType::ImageButton) {
                EXPECT_NE(w.value, 0) << w.id;
            }
            // Clickable widgets must not overlap, or the earlier one steals the click.
            const bool clickable = w.type != WidgetType::Label;
            for (std::size_t j = 0; clickable && j < i; ++j) {
                const Widget& o = p->widgets[j];
                if (o.type == WidgetType::Label || !o.shown || !w.shown) continue;
                const bool apart = o.x + o.width <= w.x || w.x + w.width <= o.x ||
                                   o.y + o.height <= w.y || w.y + w.height <= o.y;
                EXPECT_TRUE(apart) << p->title << " " << o.id << " and " << w.id;
            }
        }
    }
}

TEST(Toolbars, HintsAndAboutBoxes) {
    Panels panels;
    layoutToolbars(panels, fakeTexture);
    FakePlatform platform;

    // Hints box: Close, the ticked check box with its wide hit area, the title box, six lines.
    Panel& hints = panels.hints;
    ASSERT_EQ(hints.widgets.size(), 9u);
    const Widget& close = hints.widgets[0];
    EXPECT_EQ(close.id, 1084);
    EXPECT_EQ(close.type, WidgetType::Button);
    EXPECT_EQ(close.caption, "Close");
    EXPECT_EQ(close.helpText, "Close this message box");
    const Widget& check = hints.widgets[1];
    EXPECT_EQ(check.id, 1085);
    EXPECT_EQ(check.type, WidgetType::CheckBox);
    EXPECT_EQ(check.caption, "Don't tell me again");
    EXPECT_EQ(check.textX, 37);
    EXPECT_EQ(check.textY, 14);
    EXPECT_TRUE(check.state);
    const Widget& title = hints.widgets[2];
    EXPECT_EQ(title.id, 1086);
    EXPECT_TRUE(title.optionA);
    EXPECT_EQ(title.width, 200);
    EXPECT_EQ(title.height, 160);
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(hints.widgets[3 + k].id, 1087 + k);
        EXPECT_EQ(hints.widgets[3 + k].y, 38 + 18 * k);
        EXPECT_EQ(hints.widgets[3 + k].width, 0);
    }
    showPanelAt(hints, 200, 100);
    EXPECT_EQ(panelClick(hints, 200 + 190, 100 + 195, platform), 1084);
    EXPECT_EQ(panelClick(hints, 200 + 95, 100 + 215, platform), 1085); // right of the box
    EXPECT_FALSE(check.state);

    // About box: the version line formatted, our own lines, and its Close.
    const Panel& about = panels.about;
    ASSERT_EQ(about.widgets.size(), 6u);
    EXPECT_EQ(about.widgets[0].caption, "Facetwright Version Information");
    EXPECT_EQ(about.widgets[0].width, 230);
    EXPECT_EQ(about.widgets[0].height, 142);
    EXPECT_EQ(about.widgets[1].caption, "Version Number: 2.61 build 318");
    EXPECT_EQ(about.widgets[2].caption, kAboutAuthor);
    EXPECT_EQ(about.widgets[3].caption, kWebSiteUrl);
    EXPECT_EQ(about.widgets[4].caption, kContactAddress);
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(about.widgets[i].y, 20 + 20 * i);
    EXPECT_EQ(about.widgets[5].id, 1053);
    EXPECT_EQ(about.widgets[5].helpText, "Close the About Box");
    EXPECT_EQ(findWidget(about, kIdAboutClose), 5);
}
