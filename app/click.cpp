// Left clicks into the viewports: rubber bands in the orthographic views, orbiting in 3D.
#include "app/click.h"

namespace {
// Front, Left, Top: the order clicks reach them in.
constexpr ViewId kOrthoViews[] = {ViewFront, ViewLeft, ViewTop};
} // namespace

void handleLeftClick(Editor& editor) {
    const int x = editor.input.pointerX;
    const int y = editor.input.pointerY;
    for (ViewId id : kOrthoViews) {
        Viewport& view = editor.views[id];
        if (!hitTest(view, x, y)) continue;
        view.dragging = true;
        startRubberBand(view);
    }
    Viewport& view3D = editor.views[View3D];
    if (hitTest(view3D, x, y)) view3D.dragging = true;
}
