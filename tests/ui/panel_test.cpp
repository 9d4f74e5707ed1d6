// Panel lookups, text setters, click and drag routing, and the colour picker's input.
#include "platform/fake_platform.h"
#include "ui/panel.h"
#include "ui/panel_draw.h"

#include <gtest/gtest.h>
#include <string>

namespace {

Panel makePanel() {
    Panel p;
    constructPanel(p);
    resetPanel(p, 300, 200, "Test");
    return p;
}

int add(Panel& p, int id, WidgetType type, int x, int y, int w, int h, bool enabled = true) {
    return addWidget(p, id, type, x, y, w, h, 0, 0, "", true, enabled, false, "", false, false, 0,
                     0);
}

// A panel with a picker at (10, 20), the panel itself at (100, 50).
Panel pickerPanel() {
    Panel p = makePanel();
    p.x = 100;
    p.y = 50;
    add(p, 0, WidgetType::ColourPicker, 10, 20, 240, 130);
    return p;
}

} // namespace

TEST(PanelLookup, UnknownIdsFallBackToTheFirstWidget) {
    Panel p = makePanel();
    // Without widgets: nothing to change, value -1.
    EXPECT_EQ(getValue(p, 5), -1);
    EXPECT_FALSE(getState(p, 5));
    setState(p, 5, true);
    setCaption(p, "x", 5);

    add(p, 7, WidgetType::Label, 0, 0, 10, 10);
    add(p, 8, WidgetType::Label, 0, 0, 10, 10);
    add(p, 8, WidgetType::Label, 0, 0, 10, 10);
    // The last widget with an id wins; a missing id addresses the first widget.
    EXPECT_EQ(findWidget(p, 8), 2);
    EXPECT_EQ(findWidget(p, 99), 0);
    setValue(p, 99, 42);
    EXPECT_EQ(p.widgets[0].value, 42);
    setState(p, 99, true);
    EXPECT_TRUE(getState(p, 7));
    setShown(p, 99, false);
    EXPECT_FALSE(p.widgets[0].shown);
    EXPECT_FALSE(p.widgets[0].enabled);

    // Text setters leave index 0 alone, whether reached by fall-back or by its own id.
    setCaption(p, "caption", 99);
    setHelpText(p, 99, "help");
    setCaptionNumber(p, 12, 7);
    EXPECT_EQ(p.widgets[0].caption, "");
    EXPECT_EQ(p.widgets[0].helpText, "");
    setCaptionNumber(p, -12, 8);
    EXPECT_EQ(p.widgets[2].caption, "-12");
    EXPECT_EQ(p.widgets[1].caption, "");

    // Texts are cut at their capacity.
    setCaption(p, std::string(300, 'a'), 8);
    EXPECT_EQ(p.widgets[2].caption.size(), kWidgetTextMax);
    resetPanel(p, 10, 10, std::string(600, 't'));
    EXPECT_EQ(p.title.size(), kPanelTextMax);
    EXPECT_TRUE(p.widgets.empty());
}

TEST(PanelClick, RoutesToTheFirstWidgetHit) {
    FakePlatform platform;
    Panel p = makePanel();
    p.x = 100;
    p.y = 50;
    add(p, 1, WidgetType::Label, 0, 0, 60, 60);
    add(p, 2, WidgetType::Button, 10, 10, 40, 20);
    add(p, 3, WidgetType::Button, 20, 15, 40, 20);
    add(p, 4, WidgetType::CheckBox, 10, 40, 16, 16);
    add(p, 5, WidgetType::Slider, 10, 70, 130, 10);
    add(p, 6, WidgetType::ImageButton, 150, 10, 32, 32, false);

    // Labels are skipped; the earlier of two overlapping buttons takes the click.
    EXPECT_EQ(panelClick(p, 125, 70, platform), 2);
    EXPECT_EQ(panelClick(p, 155, 70, platform), 3);
    // A check box flips on every click and reports its id.
    EXPECT_EQ(panelClick(p, 115, 95, platform), 4);
    EXPECT_TRUE(p.widgets[3].state);
    EXPECT_EQ(panelClick(p, 115, 95, platform), 4);
    EXPECT_FALSE(p.widgets[3].state);
    // A 130-pixel slider gives 0 .. 128; its left edge is outside.
    EXPECT_EQ(panelClick(p, 111, 125, platform), -1);
    EXPECT_EQ(p.widgets[4].value, 0);
    EXPECT_EQ(panelClick(p, 239, 125, platform), -1);
    EXPECT_EQ(p.widgets[4].value, 128);
    EXPECT_EQ(panelClick(p, 110, 125, platform), 0);
    EXPECT_EQ(panelClick(p, 240, 125, platform), 0);
    EXPECT_EQ(p.widgets[4].value, 128);
    // A disabled image button still reports its id; a hidden one is never hit.
    EXPECT_EQ(panelClick(p, 260, 70, platform), 6);
    p.widgets[5].shown = false;
    EXPECT_EQ(panelClick(p, 260, 70, platform), 0);
    // Nothing hit.
    EXPECT_EQ(panelClick(p, 99, 49, platform), 0);
}

TEST(PanelClick, DragsMoveSlidersAndPickersOnly) {
    Panel p = makePanel();
    add(p, 2, WidgetType::Button, 0, 0, 50, 50);
    add(p, 5, WidgetType::Slider, 0, 60, 130, 10);
    EXPECT_EQ(panelDrag(p, 20, 20), 0);
    EXPECT_EQ(panelDrag(p, 57, 65), -1);
    EXPECT_EQ(p.widgets[1].value, 56);

    // A drag on the picker moves a channel of the selected slot; between the bands nothing.
    Panel q = pickerPanel();
    EXPECT_EQ(panelDrag(q, 100 + 10 + 190, 50 + 20 + 20), -1);
    EXPECT_FLOAT_EQ(q.pickerColours[0].red, 0.7f);
    EXPECT_EQ(panelDrag(q, 100 + 10 + 150, 50 + 20 + 30), -1);
    EXPECT_FLOAT_EQ(q.pickerColours[0].red, 0.7f);
    EXPECT_FLOAT_EQ(q.pickerColours[0].green, 0.5f);
}

TEST(ColourPicker, SlotChoiceAndChannelSliders) {
    FakePlatform platform;
    Panel p = pickerPanel();
    // Slot bands are inclusive and only count for 6 <= px < 80.
    struct Case {
        int px, py, slot;
    };
    const Case cases[] = {{6, 6, 0},    {79, 31, 1},  {40, 74, 2}, {40, 81, 3}, {40, 124, 4},
                          {40, 125, 4}, {40, 28, 4},  {5, 6, 4},   {80, 6, 4},  {40, 56, 2},
                          {40, 99, 3},  {40, 100, 3}, {40, 24, 0}};
    for (const Case& c : cases) {
        pickerInput(p, c.px, c.py, false, platform);
        EXPECT_EQ(p.pickerSlot, c.slot) << c.px << "," << c.py;
    }

    // Channel sliders act on the selected slot (now Colour): value (px - 120) / 100.
    pickerInput(p, 121, 13, false, platform);
    EXPECT_FLOAT_EQ(p.pickerColours[0].red, 0.01f);
    pickerInput(p, 219, 47, true, platform);
    EXPECT_FLOAT_EQ(p.pickerColours[0].green, 0.99f);
    pickerInput(p, 170, 53, true, platform);
    EXPECT_FLOAT_EQ(p.pickerColours[0].blue, 0.5f);
    pickerInput(p, 145, 87, false, platform);
    EXPECT_FLOAT_EQ(p.pickerColours[0].alpha, 0.25f);
    EXPECT_FLOAT_EQ(p.pickerColours[1].red, 0.5f); // other slots untouched

    // The sliders never reach 0.0 or 1.0, and nothing outside their bands changes a channel.
    for (int px = 0; px < 300; ++px) {
        for (int py = 0; py < 130; ++py) {
            Panel q = pickerPanel();
            q.pickerColours[0] = {0.5f, 0.5f, 0.5f, 0.5f};
            pickerInput(q, px, py, true, platform);
            const ColourRgba& c = q.pickerColours[q.pickerSlot];
            for (float v : {c.red, c.green, c.blue, c.alpha}) {
                ASSERT_GT(v, 0.0f);
                ASSERT_LT(v, 1.0f);
            }
        }
    }
    EXPECT_TRUE(platform.calls.empty()); // drags never open the dialog
}

TEST(ColourPicker, ColourDialogChangesRgbOnlyOnADifferentChoice) {
    FakePlatform platform;
    Panel p = pickerPanel();
    p.pickerSlot = 2;
    p.pickerColours[2] = {0.5f, 0.25f, 1.0f, 0.3f};
    // OK with a different colour: RGB become byte / 255, alpha stays; custom colours come back.
    CustomColours custom{};
    custom[3] = makeColourRef(1, 2, 3);
    platform.colourAnswers.push_back({true, makeColourRef(255, 0, 51), custom});
    pickerInput(p, 136, 98, false, platform);
    ASSERT_EQ(platform.callsOf(CallKind::ChooseColour).size(), 1u);
    EXPECT_EQ(static_cast<ColourRef>(platform.calls[0].a), makeColourRef(127, 63, 255));
    EXPECT_FLOAT_EQ(p.pickerColours[2].red, 1.0f);
    EXPECT_FLOAT_EQ(p.pickerColours[2].green, 0.0f);
    EXPECT_FLOAT_EQ(p.pickerColours[2].blue, 0.2f);
    EXPECT_FLOAT_EQ(p.pickerColours[2].alpha, 0.3f);
    EXPECT_EQ(p.customColours[3], makeColourRef(1, 2, 3));

    // Cancel, or OK with the initial colour (127 for 0.5, not 0.5 itself), changes nothing.
    p.pickerColours[2] = {0.5f, 0.5f, 0.5f, 0.5f};
    platform.colourAnswers.push_back({false, makeColourRef(9, 9, 9), std::nullopt});
    pickerInput(p, 196, 114, false, platform);
    platform.colourAnswers.push_back({true, makeColourRef(127, 127, 127), std::nullopt});
    pickerInput(p, 150, 105, false, platform);
    EXPECT_EQ(platform.callsOf(CallKind::ChooseColour).size(), 3u);
    EXPECT_FLOAT_EQ(p.pickerColours[2].red, 0.5f);
    EXPECT_FLOAT_EQ(p.pickerColours[2].blue, 0.5f);

    // The dialog's area is 135 < px <= 196, 97 < py <= 114, clicks only; a click through
    // panelClick reaches it at the picker's offset.
    for (auto [px, py] : {std::pair{135, 100}, {197, 100}, {150, 97}, {150, 115}})
        pickerInput(p, px, py, false, platform);
    pickerInput(p, 150, 105, true, platform);
    EXPECT_EQ(platform.callsOf(CallKind::ChooseColour).size(), 3u);
    EXPECT_EQ(panelClick(p, 100 + 10 + 150, 50 + 20 + 105, platform), -1);
    EXPECT_EQ(platform.callsOf(CallKind::ChooseColour).size(), 4u);
}

TEST(PanelText, FormatsCutsAndDropsCharactersWithoutGlyphs) {
    EXPECT_EQ(formatPanelText("%i.0f", 57), "57.0f");
    EXPECT_EQ(formatPanelText(nullptr), "");
    EXPECT_EQ(formatPanelText("a\tb\x7f\xe9z"), "ab\x7fz");
    // Cut at 255 characters before filtering, so dropped characters do not make room.
    const std::string longText = std::string(250, 'x') + "\n\n" + std::string(10, 'y');
    EXPECT_EQ(formatPanelText("%s", longText.c_str()), std::string(250, 'x') + "yyy");
}
