// The viewports' share of mouse input: hover, drags, the wheel, released rubber bands.
#pragma once

#include "app/editor.h"

// After a mouse move has been recorded: snapping, cursor icon, the Edit Toolbar, then pans,
// orbits, bands and transforms of the views being dragged.
void mouseMove(Editor& editor);
// One wheel step (only the sign of delta counts) at window point (x, y); ignored while a
// blocking panel is open.
void wheelAt(Editor& editor, int delta, int x, int y);
// A band released in an orthographic view: selection in the normal edit mode, a new mesh in
// the draw-new-mesh mode (which then ends).
void finishRubberBand(Editor& editor, ViewId view);
