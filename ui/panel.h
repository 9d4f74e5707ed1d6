// The floating panel record and its widgets: construction, lookup by id, hit tests and input.
#pragma once

#include "platform/platform.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

enum class WidgetType {
    Button = 2,       // push button with caption
    CheckBox = 3,     // 16 x 16 box with tick and caption
    Label = 4,        // text, optionally boxed
    ImageButton = 6,  // bitmap button; a toggle through state
    TextField = 7,    // framed text
    Slider = 8,       // horizontal, value 0 .. width - 2
    ColourPicker = 9, // fixed 240 x 130 block with five colour slots
    ValueHolder = 10, // never drawn or hit; carries value
};

// Text capacities in characters; longer texts are cut when set.
constexpr std::size_t kWidgetTextMax = 255;
constexpr std::size_t kPanelTextMax = 511;

struct Widget {
    int id = 0; // 0 for decoration; several widgets may share an id
    WidgetType type = WidgetType::Label;
    bool shown = false;   // drawn and clickable
    bool enabled = false; // full colour and hover highlight; still clickable when off
    int x = 0, y = 0, width = 0, height = 0; // relative to the panel's corner
    bool state = false;                      // toggles and check boxes
    int textX = 0, textY = 0;                // caption baseline relative to the widget's corner
    std::string caption;                     // at most kWidgetTextMax
    std::string helpText;                    // at most kWidgetTextMax; shown in the status bar
    bool optionA = false;                    // Label: rounded box; Slider: show the value
    bool optionB = false;                    // Label: light box with dark text
    int value = 0; // Slider position; ImageButton texture name; free for others
    int extra = 0; // second free integer
};

struct ColourRgb {
    float red, green, blue;
};
struct ColourRgba {
    float red, green, blue, alpha;
};

constexpr int kPickerSlots = 5; // Colour, Ambient, Diffuse, Specular, Emission

struct Panel {
    int x = 0, y = 0;          // top-left corner in window pixels, y downwards
    int width = 0, height = 0; // size in pixels
    bool visible = false;      // drawn and hit-tested only when set
    unsigned fontBase = 0;     // first of 96 display lists holding the font; 0 without a font
    ColourRgb lightColour{};   // title and status bars, enabled widgets
    ColourRgb backColour{};    // body, text on light areas
    ColourRgb hoverColour{};   // widget under the cursor
    ColourRgb disabledColour{};
    CustomColours customColours{}; // handed to the colour dialog
    bool hasTitleBar = false;
    std::string title; // at most kPanelTextMax
    bool hasStatusBar = false;
    std::string statusText; // at most kPanelTextMax; rebuilt by every draw
    bool translucent = true;
    std::vector<Widget> widgets; // creation order; only ever grows, so indices stay valid
    std::array<ColourRgba, kPickerSlots> pickerColours{};
    int pickerSlot = 0;
};

// Copies text into field, cut at capacity characters.
void assignText(std::string& field, std::string_view text, std::size_t capacity);

// Colours, translucency and picker slots; needs no OpenGL.
void constructPanel(Panel& panel);
// No widgets, the given size and title; needs no OpenGL (initPanel also makes the font).
void resetPanel(Panel& panel, int width, int height, std::string_view title);
// resetPanel plus the panel's font from the platform's glyphs; needs a current GL context.
void initPanel(Panel& panel, Platform& platform, int width, int height, std::string_view title);
// visible = true and the corner moves to (x, y).
void showPanelAt(Panel& panel, int x, int y);

// Appends one widget (texts cut to their capacity) and returns its index.
int addWidget(Panel& panel, int id, WidgetType type, int x, int y, int width, int height, int textX,
              int textY, std::string_view caption, bool shown, bool enabled, bool state,
              std::string_view helpText, bool optionA, bool optionB, int value, int extra);

// Index of the last widget with this id, or 0 when none has it (the first widget then stands in,
// so ids that are looked up must be unique and present).
int findWidget(const Panel& panel, int id);
// The accessors below act on findWidget's widget and do nothing (or give false / -1) on a panel
// without widgets.
bool getState(const Panel& panel, int id);
void setState(Panel& panel, int id, bool state);
void setShown(Panel& panel, int id, bool shown); // sets shown and enabled
int getValue(const Panel& panel, int id);        // -1 for a panel without widgets
void setValue(Panel& panel, int id, int value);
// The text setters do nothing when the id resolves to index 0.
void setCaption(Panel& panel, std::string_view text, int id);
void setCaptionNumber(Panel& panel, int number, int id); // caption "%i"
void setHelpText(Panel& panel, int id, std::string_view text);

// Whether the shown widget strictly contains (px, py), given relative to the panel's corner.
bool hitWidget(const Panel& panel, int index, int px, int py);

// A left click at window point (mx, my): the first widget hit in array order decides. Buttons
// and image buttons give their id, a check box flips and gives its id, a slider takes the value
// and gives -1, a colour picker takes the click and gives -1; 0 when nothing was hit. Visibility
// is the caller's to test.
int panelClick(Panel& panel, int mx, int my, Platform& platform);
// A mouse move with the left button held: the first colour picker hit takes a drag (-1), else
// the first slider hit takes the value (-1); otherwise 0.
int panelDrag(Panel& panel, int mx, int my);

// Colour picker input at (px, py) relative to the picker's corner: slot choice, the colour
// dialog (clicks only; the platform is not used for drags) and the channel sliders.
void pickerInput(Panel& panel, int px, int py, bool dragging, Platform& platform);
