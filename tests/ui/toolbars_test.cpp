// The toolbars as laid out: the panel table, the Edit Toolbar and the debug text panel.
#include "ui/toolbars.h"

#include "platform/fake_platform.h"

#include <gtest/gtest.h>

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
        EXPECT_TRUE(p->translucent);
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
    ASSERT_EQ(debug.widgets.size(), 8u);
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
