// Left clicks into the viewports: picking and rubber bands in the orthographic views, pins and
// orbiting in the 3D view.
#include "app/click.h"

#include "app/file_commands.h"
#include "edit/selection.h"

#include <ctime>

namespace {

// Front, Left, Top: the order clicks reach them in.
constexpr ViewId kOrthoViews[] = {ViewFront, ViewLeft, ViewTop};

// A press in an orthographic view: a band, unless the pick grabs a vertex to drag.
void clickOrthoView(Editor& editor, ViewId id) {
    Viewport& view = editor.views[id];
    view.dragging = true;
    startRubberBand(view);
    const uint8_t* keys = editor.input.keys;
    const bool shift = keys[VkShift], ctrl = keys[VkControl];
    const int plane = viewInfo(id).planeAxis;
    const float r = 3.0f / view.scale;
    Model& m = editor.edit;
    if (!pick(m, view.cursorU - r, view.cursorV - r, view.cursorU + r, view.cursorV + r, plane,
              shift || ctrl, true, ctrl))
        return;
    endRubberBand(view);
    view.snapActive = true;
    Vertex grabbed;
    grabbed.x = m.lastPickedX, grabbed.y = m.lastPickedY, grabbed.z = m.lastPickedZ;
    planeCoordinates(grabbed, plane, view.cursorU, view.cursorV);
}

// A press in the 3D view: a pin makes its mesh or triangle current; empty space orbits.
void click3DView(Editor& editor) {
    Model& m = editor.edit;
    const int32_t mesh = firstHoveredMesh(m);
    if (mesh >= 0) {
        m.currentMesh = mesh;
        return;
    }
    const int32_t t = firstHoveredTriangle(m);
    const int32_t owner = t >= 0 ? meshOfVertex(m, t) : -1;
    if (owner >= 0 && m.meshes[owner].trianglePins) {
        m.currentTriangle = t;
        return;
    }
    editor.views[View3D].dragging = true;
}

} // namespace

void handleLeftClick(Editor& editor) {
    automaticRevisionCheck(editor, std::time(nullptr));
    const int x = editor.input.pointerX;
    const int y = editor.input.pointerY;
    for (ViewId id : kOrthoViews)
        if (hitTest(editor.views[id], x, y)) clickOrthoView(editor, id);
    if (hitTest(editor.views[View3D], x, y)) click3DView(editor);
}
