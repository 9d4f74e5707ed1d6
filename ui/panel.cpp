// The panel record: construction, widgets by id, hit tests, clicks, drags and the colour picker.
#include "ui/panel.h"

#include "ui/font.h"

#include <string>

namespace {

// The widget findWidget resolves to, or null on a panel without widgets.
Widget* widgetById(Panel& panel, int id) {
    if (panel.widgets.empty()) return nullptr;
    return &panel.widgets[findWidget(panel, id)];
}
const Widget* widgetById(const Panel& panel, int id) {
    if (panel.widgets.empty()) return nullptr;
    return &panel.widgets[findWidget(panel, id)];
}

// The text setters' target: none when the id falls back to the first widget.
Widget* textTarget(Panel& panel, int id) {
    const int index = findWidget(panel, id);
    if (index == 0) return nullptr;
    return &panel.widgets[index];
}

// Slot rows of the picker: the inclusive py range that selects each slot.
struct Band {
    int low, high;
};
constexpr Band kSlotBands[kPickerSlots] = {{6, 24}, {31, 49}, {56, 74}, {81, 99}, {106, 124}};
// Channel slider rows: red, green, blue, alpha.
constexpr Band kChannelBands[4] = {{13, 27}, {33, 47}, {53, 67}, {73, 87}};

// The selected slot's colour; a slot number out of range falls back to the first slot.
ColourRgba& selectedColour(Panel& panel) {
    if (panel.pickerSlot < 0 || panel.pickerSlot >= kPickerSlots) panel.pickerSlot = 0;
    return panel.pickerColours[panel.pickerSlot];
}

float* channel(ColourRgba& c, int index) {
    switch (index) {
    case 0:
        return &c.red;
    case 1:
        return &c.green;
    case 2:
        return &c.blue;
    default:
        return &c.alpha;
    }
}

// Slot choice and channel sliders: what both clicks and drags do.
void pickerSlotsAndSliders(Panel& panel, int px, int py) {
    if (px >= 6 && px < 80) {
        for (int slot = 0; slot < kPickerSlots; ++slot)
            if (py >= kSlotBands[slot].low && py <= kSlotBands[slot].high) panel.pickerSlot = slot;
    }
    if (px > 120 && px < 220) {
        ColourRgba& colour = selectedColour(panel);
        for (int c = 0; c < 4; ++c)
            if (py >= kChannelBands[c].low && py <= kChannelBands[c].high)
                *channel(colour, c) = static_cast<float>(px - 120) / 100.0f;
    }
}

// The colour dialog on the selected slot: red, green and blue change only on OK with a colour
// other than the initial one; alpha never.
void pickerDialog(Panel& panel, Platform& platform) {
    ColourRgba& colour = selectedColour(panel);
    const ColourRef initial =
        makeColourRef(static_cast<int>(colour.red * 255), static_cast<int>(colour.green * 255),
                      static_cast<int>(colour.blue * 255));
    ColourRef chosen = initial;
    if (!platform.chooseColour(chosen, panel.customColours) || chosen == initial) return;
    colour.red = static_cast<float>(colourRed(chosen)) / 255.0f;
    colour.green = static_cast<float>(colourGreen(chosen)) / 255.0f;
    colour.blue = static_cast<float>(colourBlue(chosen)) / 255.0f;
}

void setSlider(Widget& w, int px) {
    w.value = px - w.x - 1;
}

} // namespace

void assignText(std::string& field, std::string_view text, std::size_t capacity) {
    field.assign(text.substr(0, capacity));
}

void constructPanel(Panel& panel) {
    panel.lightColour = {0.7f, 0.8f, 0.9f};
    panel.backColour = {0.4f, 0.3f, 0.2f};
    panel.hoverColour = {0.8f, 0.8f, 0.8f};
    panel.disabledColour = {0.5f, 0.5f, 0.5f};
    panel.translucent = true;
    panel.pickerColours.fill({0.5f, 0.5f, 0.5f, 0.5f});
    panel.pickerSlot = 0;
}

void resetPanel(Panel& panel, int width, int height, std::string_view title) {
    panel.widgets.clear();
    panel.width = width;
    panel.height = height;
    assignText(panel.title, title, kPanelTextMax);
}

void initPanel(Panel& panel, Platform& platform, int width, int height, std::string_view title) {
    resetPanel(panel, width, height, title);
    createFont(panel, platform);
}

void showPanelAt(Panel& panel, int x, int y) {
    panel.visible = true;
    panel.x = x;
    panel.y = y;
}

int addWidget(Panel& panel, int id, WidgetType type, int x, int y, int width, int height, int textX,
              int textY, std::string_view caption, bool shown, bool enabled, bool state,
              std::string_view helpText, bool optionA, bool optionB, int value, int extra) {
    Widget w;
    w.id = id;
    w.type = type;
    w.shown = shown;
    w.enabled = enabled;
    w.x = x;
    w.y = y;
    w.width = width;
    w.height = height;
    w.state = state;
    w.textX = textX;
    w.textY = textY;
    assignText(w.caption, caption, kWidgetTextMax);
    assignText(w.helpText, helpText, kWidgetTextMax);
    w.optionA = optionA;
    w.optionB = optionB;
    w.value = value;
    w.extra = extra;
    panel.widgets.push_back(std::move(w));
    return static_cast<int>(panel.widgets.size()) - 1;
}

int findWidget(const Panel& panel, int id) {
    for (int i = static_cast<int>(panel.widgets.size()) - 1; i >= 0; --i)
        if (panel.widgets[i].id == id) return i;
    return 0;
}

bool getState(const Panel& panel, int id) {
    const Widget* w = widgetById(panel, id);
    return w && w->state;
}

void setState(Panel& panel, int id, bool state) {
    if (Widget* w = widgetById(panel, id)) w->state = state;
}

void setShown(Panel& panel, int id, bool shown) {
    if (Widget* w = widgetById(panel, id)) {
        w->shown = shown;
        w->enabled = shown;
    }
}

int getValue(const Panel& panel, int id) {
    const Widget* w = widgetById(panel, id);
    return w ? w->value : -1;
}

void setValue(Panel& panel, int id, int value) {
    if (Widget* w = widgetById(panel, id)) w->value = value;
}

void setCaption(Panel& panel, std::string_view text, int id) {
    if (Widget* w = textTarget(panel, id)) assignText(w->caption, text, kWidgetTextMax);
}

void setCaptionNumber(Panel& panel, int number, int id) {
    setCaption(panel, std::to_string(number), id);
}

void setHelpText(Panel& panel, int id, std::string_view text) {
    if (Widget* w = textTarget(panel, id)) assignText(w->helpText, text, kWidgetTextMax);
}

bool hitWidget(const Panel& panel, int index, int px, int py) {
    if (index < 0 || index >= static_cast<int>(panel.widgets.size())) return false;
    const Widget& w = panel.widgets[index];
    return w.shown && w.x < px && px < w.x + w.width && w.y < py && py < w.y + w.height;
}

int panelClick(Panel& panel, int mx, int my, Platform& platform) {
    const int px = mx - panel.x;
    const int py = my - panel.y;
    for (int i = 0; i < static_cast<int>(panel.widgets.size()); ++i) {
        if (!hitWidget(panel, i, px, py)) continue;
        Widget& w = panel.widgets[i];
        switch (w.type) {
        case WidgetType::Button:
        case WidgetType::ImageButton:
            return w.id;
        case WidgetType::CheckBox:
            w.state = !w.state;
            return w.id;
        case WidgetType::Slider:
            setSlider(w, px);
            return -1;
        case WidgetType::ColourPicker:
            pickerInput(panel, px - w.x, py - w.y, false, platform);
            return -1;
        default:
            break; // labels, text fields and value holders do not take clicks
        }
    }
    return 0;
}

int panelDrag(Panel& panel, int mx, int my) {
    const int px = mx - panel.x;
    const int py = my - panel.y;
    for (int i = 0; i < static_cast<int>(panel.widgets.size()); ++i) {
        Widget& w = panel.widgets[i];
        if (w.type == WidgetType::ColourPicker && hitWidget(panel, i, px, py)) {
            pickerSlotsAndSliders(panel, px - w.x, py - w.y);
            return -1;
        }
    }
    for (int i = 0; i < static_cast<int>(panel.widgets.size()); ++i) {
        Widget& w = panel.widgets[i];
        if (w.type == WidgetType::Slider && hitWidget(panel, i, px, py)) {
            setSlider(w, px);
            return -1;
        }
    }
    return 0;
}

void pickerInput(Panel& panel, int px, int py, bool dragging, Platform& platform) {
    pickerSlotsAndSliders(panel, px, py);
    if (!dragging && px > 135 && px <= 196 && py > 97 && py <= 114) pickerDialog(panel, platform);
}
