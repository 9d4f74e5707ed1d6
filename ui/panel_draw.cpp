// Panel drawing: the body, each widget type, title and status bars, and text through the font.
//
// Sections: shapes; text; widgets by type; the panel.
#include "ui/panel_draw.h"

#include "base/numbers.h"
#include "ui/panel.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <array>
#include <cstdarg>

namespace {

// ---- Shapes ----

struct Strip {
    float x0, y0, x1, y1;
};

// The seven strips of a box with corners rounded by 4 pixels, top to bottom: three for the top
// corners, the middle, three for the bottom corners.
std::array<Strip, 7> roundedStrips(float x0, float y0, float x1, float y1) {
    return {{{x0 + 4, y0, x1 - 4, y0 + 1},
             {x0 + 2, y0 + 1, x1 - 2, y0 + 2},
             {x0 + 1, y0 + 2, x1 - 1, y0 + 4},
             {x0, y0 + 4, x1, y1 - 4},
             {x0 + 1, y1 - 4, x1 - 1, y1 - 2},
             {x0 + 2, y1 - 2, x1 - 2, y1 - 1},
             {x0 + 4, y1 - 1, x1 - 4, y1}}};
}

void rect(const Strip& s) {
    glRectf(s.x0, s.y0, s.x1, s.y1);
}

// The rounded box of (0, 0, w, h) with the texture stretched over it, top row of the image at
// the top.
void texturedRoundedRect(float w, float h) {
    const auto strips = roundedStrips(0, 0, w, h);
    auto corner = [w, h](float x, float y) {
        glTexCoord2f(x / w, 1.0f - y / h);
        glVertex2f(x, y);
    };
    glBegin(GL_QUADS);
    for (const Strip& s : strips) {
        corner(s.x0, s.y0);
        corner(s.x1, s.y0);
        corner(s.x1, s.y1);
        corner(s.x0, s.y1);
    }
    glEnd();
}

void colour(const ColourRgb& c) {
    glColor3f(c.red, c.green, c.blue);
}
void colour(const ColourRgb& c, float alpha) {
    glColor4f(c.red, c.green, c.blue, alpha);
}
void colour(const ColourRgba& c) {
    glColor4f(c.red, c.green, c.blue, c.alpha);
}
ColourRgb shifted(const ColourRgb& c, float by) {
    return {c.red + by, c.green + by, c.blue + by};
}

// ---- Text ----

std::string vformatPanelText(const char* format, va_list args) {
    if (!format) return {};
    char buffer[256];
    vformatC(buffer, sizeof buffer, format, args);
    std::string text;
    for (const char* p = buffer; *p; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c >= 32 && c <= 127) text.push_back(static_cast<char>(c));
    }
    return text;
}

void sendText(const Panel& panel, const std::string& text) {
    if (text.empty() || panel.fontBase == 0) return;
    glRasterPos2i(0, 0);
    glPushAttrib(GL_LIST_BIT);
    glListBase(panel.fontBase - 32);
    glCallLists(static_cast<GLsizei>(text.size()), GL_UNSIGNED_BYTE, text.data());
    glPopAttrib();
}

// Text at (x, y) relative to the current origin, in the current colour, cut and filtered like
// drawText's.
void textAt(const Panel& panel, int x, int y, const std::string& text) {
    glPushMatrix();
    glTranslatef(static_cast<float>(x), static_cast<float>(y), 0);
    sendText(panel, formatPanelText("%s", text.c_str()));
    glPopMatrix();
}

// ---- Widgets by type ----

void drawButton(Panel& panel, const Widget& w, bool hit) {
    colour(w.enabled ? panel.lightColour : panel.disabledColour);
    if (hit) {
        colour(panel.hoverColour);
        assignText(panel.statusText, w.helpText, kPanelTextMax);
    }
    glDisable(GL_BLEND);
    roundedRect(0, 0, w.width, w.height);
    colour(panel.backColour);
    textAt(panel, w.textX, w.textY, w.caption);
}

void drawCheckBox(const Panel& panel, const Widget& w, bool hit) {
    const ColourRgb& box = hit ? panel.hoverColour : panel.lightColour;
    colour(box);
    roundedRect(0, 0, 16, 16);
    if (w.state) {
        colour(panel.backColour);
        glBegin(GL_LINE_STRIP);
        glVertex2i(3, 6);
        glVertex2i(6, 10);
        glVertex2i(12, 4);
        glEnd();
    }
    colour(box);
    textAt(panel, w.textX, w.textY, w.caption);
}

void drawLabel(const Panel& panel, const Widget& w) {
    glDisable(GL_BLEND);
    const ColourRgb* text = &panel.lightColour;
    if (w.width > 0 && w.optionA) {
        colour(w.optionB ? panel.lightColour : panel.backColour);
        roundedRect(0, 0, w.width, w.height);
        if (w.optionB) text = &panel.backColour;
    } else if (w.width > 0) {
        colour(panel.lightColour);
        glRectf(0, 0, w.width, w.height);
        colour(panel.backColour);
        glRectf(1, 1, w.width - 1, w.height - 1);
    }
    colour(*text);
    textAt(panel, w.textX, w.textY, w.caption);
}

void drawImageButton(Panel& panel, const Widget& w, bool hit) {
    glDisable(GL_BLEND);
    if (w.enabled)
        glColor4f(0.8f, 0.8f, 0.8f, 1.0f);
    else
        glColor4f(0.3f, 0.3f, 0.3f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(w.value));
    texturedRoundedRect(w.width, w.height);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_COLOR, GL_ONE);
    if (hit && w.enabled) {
        colour(panel.backColour);
        roundedRect(0, 0, w.width, w.height);
        assignText(panel.statusText, w.helpText, kPanelTextMax);
    }
    if (w.state) {
        glBlendFunc(GL_DST_COLOR, GL_ONE);
        colour(panel.hoverColour);
        roundedRect(0, 0, w.width, w.height);
    }
    glDisable(GL_BLEND);
}

void drawTextField(const Panel& panel, const Widget& w) {
    glDisable(GL_BLEND);
    if (w.width > 0) {
        colour(panel.lightColour);
        glRectf(0, 0, w.width, w.height);
        colour(panel.backColour);
        glRectf(1, 1, w.width - 1, w.height - 1);
    }
    colour(panel.lightColour);
    textAt(panel, w.textX, w.textY, w.caption);
}

void drawSlider(const Panel& panel, const Widget& w) {
    if (w.width < 1) return;
    colour(panel.lightColour);
    glRectf(1, w.height / 2 - 1, w.width + 4, w.height / 2 + 1);
    colour(shifted(panel.lightColour, -0.2f));
    roundedRect(w.value, 0, w.value + 5, w.height);
    if (w.optionA) textAt(panel, w.width + 10, w.height / 2 + 4, formatPanelText("%i.0f", w.value));
}

void drawColourPicker(const Panel& panel, Widget& w) {
    static const char* const kSlotNames[kPickerSlots] = {"Colour", "Ambient", "Diffuse", "Specular",
                                                         "Emission"};
    w.width = 240;
    w.height = 130;
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    colour(panel.backColour, 0.5f);
    roundedRect(0, 0, 240, 130);
    for (int slot = 0; slot < kPickerSlots; ++slot) {
        const float y0 = 5.0f + 25.0f * slot;
        if (slot == panel.pickerSlot)
            colour(panel.lightColour, 0.5f);
        else
            colour(shifted(panel.backColour, 0.2f), 0.5f);
        roundedRect(5, y0, 100, y0 + 20);
        colour(panel.pickerColours[slot]);
        roundedRect(8, y0 + 3, 22, y0 + 17);
        glColor3f(0, 0, 0);
        textAt(panel, 30, static_cast<int>(y0) + 14, kSlotNames[slot]);
    }
    colour(panel.lightColour, 0.5f);
    roundedRect(86, 5, 235, 125);
    colour(shifted(panel.backColour, 0.2f));
    for (int y = 20; y <= 80; y += 20) {
        glRectf(121, y, 219, y + 3);
        glRectf(120, y + 1, 220, y + 2);
    }
    glColor4f(1, 0, 0, 1);
    roundedRect(100, 16, 112, 28);
    glColor4f(0, 1, 0, 1);
    roundedRect(100, 36, 112, 48);
    glColor4f(0, 0, 1, 1);
    roundedRect(100, 56, 112, 68);
    glColor3f(0, 0, 0);
    textAt(panel, 103, 85, "A");
    const int slot =
        panel.pickerSlot >= 0 && panel.pickerSlot < kPickerSlots ? panel.pickerSlot : 0;
    const ColourRgba& c = panel.pickerColours[slot];
    colour(c);
    roundedRect(135, 97, 197, 115);
    colour(panel.backColour, 0.5f);
    const float values[4] = {c.red, c.green, c.blue, c.alpha};
    for (int k = 0; k < 4; ++k) {
        const float left = values[k] * 100 + 120;
        roundedRect(left, 12.0f + 20 * k, left + 5, 28.0f + 20 * k);
    }
}

void drawWidget(Panel& panel, Widget& w, bool hit) {
    switch (w.type) {
    case WidgetType::Button:
        drawButton(panel, w, hit);
        break;
    case WidgetType::CheckBox:
        drawCheckBox(panel, w, hit);
        break;
    case WidgetType::Label:
        drawLabel(panel, w);
        break;
    case WidgetType::ImageButton:
        drawImageButton(panel, w, hit);
        break;
    case WidgetType::TextField:
        drawTextField(panel, w);
        break;
    case WidgetType::Slider:
        drawSlider(panel, w);
        break;
    case WidgetType::ColourPicker:
        drawColourPicker(panel, w);
        break;
    case WidgetType::ValueHolder:
        break;
    }
}

} // namespace

// ---- The panel ----

void setupOverlay2D(int windowWidth, int windowHeight) {
    glDisable(GL_SCISSOR_TEST);
    glViewport(0, 0, windowWidth, windowHeight);
    glScissor(0, 0, windowWidth, windowHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, windowWidth, windowHeight, 0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void roundedRect(float x0, float y0, float x1, float y1) {
    for (const Strip& s : roundedStrips(x0, y0, x1, y1)) rect(s);
}

std::string formatPanelText(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = vformatPanelText(format, args);
    va_end(args);
    return text;
}

void drawText(const Panel& panel, const char* format, ...) {
    va_list args;
    va_start(args, format);
    const std::string text = vformatPanelText(format, args);
    va_end(args);
    sendText(panel, text);
}

void drawPanel(Panel& panel, int windowWidth, int windowHeight, int cursorX, int cursorY) {
    if (!panel.visible) return;
    panel.statusText = " ";
    setupOverlay2D(windowWidth, windowHeight);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);

    if (panel.x < 2) panel.x = 2;
    if (panel.y < 2) panel.y = 2;
    if (panel.x + panel.width + 1 >= windowWidth) panel.x = windowWidth - panel.width - 2;
    if (panel.y + panel.height + 1 >= windowHeight) panel.y = windowHeight - panel.height - 2;
    glTranslatef(static_cast<float>(panel.x), static_cast<float>(panel.y), 0);

    if (panel.translucent) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_COLOR, GL_ONE);
    } else {
        glDisable(GL_BLEND);
    }
    colour(panel.backColour);
    roundedRect(0, 0, panel.width - 1, panel.height);

    const int px = cursorX - panel.x;
    const int py = cursorY - panel.y;
    for (int i = 0; i < static_cast<int>(panel.widgets.size()); ++i) {
        Widget& w = panel.widgets[i];
        if (!w.shown) continue;
        glPushMatrix();
        glTranslatef(static_cast<float>(w.x), static_cast<float>(w.y), 0);
        drawWidget(panel, w, hitWidget(panel, i, px, py));
        glPopMatrix();
    }

    const float right = static_cast<float>(panel.width - 1);
    if (panel.hasTitleBar) {
        colour(panel.lightColour);
        const auto strips = roundedStrips(0, 0, right, static_cast<float>(panel.height));
        for (int k = 0; k < 3; ++k) rect(strips[k]);
        glRectf(0, 4, right, 12);
        colour(panel.backColour);
        textAt(panel, 4, 10, panel.title);
    }
    if (panel.hasStatusBar) {
        colour(panel.lightColour);
        glRectf(0, static_cast<float>(panel.height - 12), right,
                static_cast<float>(panel.height - 4));
        const auto strips = roundedStrips(0, 0, right, static_cast<float>(panel.height));
        for (int k = 4; k < 7; ++k) rect(strips[k]);
        colour(panel.backColour);
        textAt(panel, 4, panel.height - 3, panel.statusText);
    }
}
