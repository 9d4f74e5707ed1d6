// Drawing a panel and its widgets over the frame, in window pixels with the origin top-left.
#pragma once

#include <string>

struct Panel;

// Window-pixel drawing set-up: scissor off, viewport and scissor (0, 0, W, H), projection
// gluOrtho2D(0, W, H, 0), modelview identity.
void setupOverlay2D(int windowWidth, int windowHeight);

// Draws a visible panel: the corner is first pulled inside the window (2 pixels from each edge)
// and the corrected corner is stored; statusText becomes the help text of the widget under the
// cursor, or " ". An invisible panel draws nothing.
void drawPanel(Panel& panel, int windowWidth, int windowHeight, int cursorX, int cursorY);

// A box with corners rounded by 4 pixels, as seven glRectf strips.
void roundedRect(float x0, float y0, float x1, float y1);

// The text drawText sends: printf-formatted in the "C" locale, cut at 255 characters, with every
// character outside 32..127 dropped (the font has no glyph for them). Null format: empty.
std::string formatPanelText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Draws formatted text with the panel's font at glRasterPos2i(0, 0) under the current
// modelview, in the current colour.
void drawText(const Panel& panel, const char* format, ...) __attribute__((format(printf, 2, 3)));
