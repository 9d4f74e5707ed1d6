// The views of a layout with the model, the dividers, and a fresh context's GL state.
#include "render/view_draw.h"

#include "render/model_draw.h"

#include <GL/gl.h>

void initDrawingState(float red, float green, float blue) {
    glShadeModel(GL_SMOOTH);
    glClearColor(red, green, blue, 0.5f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    // The orthographic views scale the model by their zoom, which would shrink the normals and
    // darken lit materials there.
    glEnable(GL_NORMALIZE);
}

bool layoutShows(int layout, ViewId id) {
    return layout == kLayoutSplit || layout == id + 1;
}

void drawView(Viewport& view, Model& m, const ViewOptions& options, bool renderLit,
              const Viewport& camera3D) {
    view.showGrid = options.grid;
    view.showAxes = options.axes;
    setupViewport(view);
    drawViewContent(m, options.points, options.wire, options.shaded, options.pins, renderLit,
                    camera3D);
}

void drawLayoutViews(Viewport views[ViewCount], Model& m, int layout, const ViewOptions& ortho,
                     const ViewOptions& view3D, bool renderLit) {
    for (ViewId id : {ViewFront, ViewLeft, ViewTop})
        if (layoutShows(layout, id)) drawView(views[id], m, ortho, renderLit, views[View3D]);
    const bool shown3D = layoutShows(layout, View3D);
    if (shown3D) drawView(views[View3D], m, view3D, renderLit, views[View3D]);
    // A pin that is not drawn is never under the pointer, whatever the last pin pass found.
    if (!shown3D || !view3D.pins) clearPinHover(m);
}

void clearWindow() {
    // Unscissored, the clear reaches every pixel of the surface.
    glDisable(GL_SCISSOR_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void drawDividers(int w, int h) {
    // Always on top: shaded geometry of the orthographic views leaves depths nearer than the bars.
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDisable(GL_LIGHTING);
    glColor4f(0.4f, 0.4f, 0.3f, 0.5f);
    glBegin(GL_QUADS);
    glVertex2i(0, h / 2 - 1);
    glVertex2i(w, h / 2 - 1);
    glVertex2i(w, h / 2 + 1);
    glVertex2i(0, h / 2 + 1);
    glVertex2i(w / 2 - 1, 0);
    glVertex2i(w / 2 + 1, 0);
    glVertex2i(w / 2 + 1, h);
    glVertex2i(w / 2 - 1, h);
    glEnd();
}
