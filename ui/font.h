// Each panel's bitmap font: 96 display lists of glBitmap glyphs for the characters 32..127.
#pragma once

#include "platform/platform.h"

struct Panel;

// The face and pixel height every panel uses; the platform may substitute a metric-compatible
// sans for the face.
constexpr const char* kFontFamily = "Arial";
constexpr int kFontPixelHeight = 10;

// fontBase = 96 new display lists filled from the platform's glyphs. When the platform has no
// glyphs the lists stay empty, so text draws nothing. Needs a current GL context.
void createFont(Panel& panel, Platform& platform);
// The same from a glyph set already rasterised (glyphs[c - 32] for character c; missing or
// malformed glyphs give empty lists).
void createFontFromGlyphs(Panel& panel, const GlyphSet& glyphs);
// Releases the lists; fontBase becomes 0.
void deleteFont(Panel& panel);
