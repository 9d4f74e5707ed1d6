// Viewports and cameras.
//
// Sections: view table; initialisation; layout; cursor mapping and rubber band; wheel and drags;
// per-frame GL set-up.
#include "render/viewport.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <algorithm>
#include <cmath>

// ---- view table ----

namespace {
const ViewInfo kViews[] = {
    {"Front", ViewKind::Front, PlaneFront}, {" Left", ViewKind::Left, PlaneLeft},
    {" Top", ViewKind::Top, PlaneTop},      {"  3D", ViewKind::Perspective, PlaneNone},
    {"", ViewKind::Perspective, PlaneNone},
};
static_assert(sizeof(kViews) / sizeof(kViews[0]) == ViewCount, "one entry per view");

constexpr float kDefaultScale = 100.0f;
constexpr float kDefaultGrid = 0.5f;
constexpr float kDefaultDistance = -5.0f;
constexpr int kGridHalfLines = 100; // 201 lines per family
constexpr float kAxisLength = 100.0f;
constexpr int kJumpLimit = 40;
constexpr float kFineDivisor = 10.0f;

bool isOrthographic(const Viewport& v) {
    return v.kind != ViewKind::Perspective;
}
} // namespace

const ViewInfo& viewInfo(ViewId view) {
    return kViews[view];
}

// ---- initialisation ----

void resetViewport(Viewport& view) {
    view.panX = view.panY = 0;
    view.distance = kDefaultDistance;
    view.pitch = view.yaw = view.roll = 0;
    view.scale = kDefaultScale;
    view.gridSpacing = kDefaultGrid;
}

void initViewport(Viewport& view) {
    view.kind = ViewKind::Perspective;
    resetViewport(view);
    view.showGrid = true;
    view.dragging = false;
    view.snapActive = false;
    view.snapEnabled = true;
}

void initViewports(Viewport views[ViewCount], int layout, int windowWidth, int windowHeight) {
    for (int i = 0; i < ViewCount; ++i) {
        initViewport(views[i]);
        views[i].kind = kViews[i].kind;
        bool main = i != ViewPreview;
        views[i].showGrid = main;
        views[i].showAxes = main;
    }
    layoutViewports(views, layout, windowWidth, windowHeight);
}

// ---- layout ----

void placeViewport(Viewport& view, int x, int top, int width, int height, int windowHeight) {
    view.left = view.hitLeft = x;
    view.hitTop = top;
    view.width = width;
    view.height = height;
    view.bottom = windowHeight - top - height;
}

void layoutViewports(Viewport views[ViewCount], int layout, int windowWidth, int windowHeight) {
    const int W = windowWidth, H = windowHeight;
    const int halfW = W / 2, halfH = H / 2;
    if (layout == kLayoutSplit) {
        placeViewport(views[ViewFront], 0, 0, halfW, halfH, H);
        placeViewport(views[ViewLeft], halfW, 0, halfW, halfH, H);
        placeViewport(views[ViewTop], 0, halfH, halfW, halfH, H);
        placeViewport(views[View3D], halfW, halfH, halfW, halfH, H);
        return;
    }
    // Layout k maximises view k - 1 (Front, Left, Top, 3D); the others shrink to nothing.
    for (int i = ViewFront; i <= View3D; ++i) {
        if (i == layout - 1)
            placeViewport(views[i], 0, 0, W, H, H);
        else
            placeViewport(views[i], 0, 0, 0, 0, H);
    }
}

int toggleMaximise(Viewport views[ViewCount], int layout, int x, int y, int windowWidth,
                   int windowHeight) {
    int next = layout;
    if (layout != kLayoutSplit) {
        next = kLayoutSplit;
    } else {
        for (int i = ViewFront; i <= View3D; ++i) {
            if (hitTest(views[i], x, y)) {
                next = i + 1;
                break;
            }
        }
    }
    layoutViewports(views, next, windowWidth, windowHeight);
    return next;
}

// ---- cursor mapping and rubber band ----

float snapToGrid(float value, float g) {
    if (!(g > 0)) return value;
    float n = value > 0 ? std::trunc((value + g / 2) / g) : std::trunc((value - g / 2) / g);
    return n * g;
}

bool hitTest(Viewport& view, int x, int y) {
    if (!(x > view.hitLeft && x < view.hitLeft + view.width && y > view.hitTop &&
          y < view.hitTop + view.height))
        return false;
    int px = x - view.hitLeft - view.width / 2;
    int py = y - view.height / 2 - view.hitTop;
    float u = px / view.scale - view.panX / view.scale;
    float v = -(py / view.scale + view.panY / view.scale);
    if (view.snapEnabled && view.snapActive) {
        u = snapToGrid(u, view.gridSpacing);
        v = snapToGrid(v, view.gridSpacing);
    }
    view.deltaU = u - view.cursorU;
    view.deltaV = v - view.cursorV;
    view.cursorU = u;
    view.cursorV = v;
    return true;
}

void startRubberBand(Viewport& view) {
    view.bandStartU = view.bandEndU = view.cursorU;
    view.bandStartV = view.bandEndV = view.cursorV;
    view.rubberBand = true;
}

void extendRubberBand(Viewport& view) {
    view.bandEndU = view.cursorU;
    view.bandEndV = view.cursorV;
}

void endRubberBand(Viewport& view) {
    view.rubberBand = false;
}

// ---- wheel and drags ----

void mouseWheel(Viewport views[ViewCount], int delta, int x, int y) {
    if (delta == 0) return;
    const float factor = delta > 0 ? 1.1f : 0.9f;
    for (int i = ViewFront; i <= ViewTop; ++i) {
        Viewport& v = views[i];
        if (!hitTest(v, x, y)) continue;
        // Scaling the pan with the zoom keeps the world point at the view centre in place.
        v.scale *= factor;
        v.panX *= factor;
        v.panY *= factor;
    }
    if (hitTest(views[View3D], x, y)) views[View3D].distance += delta > 0 ? 1.0f : -1.0f;
}

void panView(Viewport& view, float dx, float dy) {
    if (isOrthographic(view)) {
        view.panX += dx;
        view.panY -= dy;
    } else {
        view.panX += dx / 100;
        view.panY -= dy / 100;
    }
}

void orbitView(Viewport& view, float dx, float dy) {
    view.pitch += dy;
    view.yaw += dx;
}

bool dragDelta(int prevX, int prevY, int x, int y, bool fineMode, float* dx, float* dy) {
    int ix = x - prevX, iy = y - prevY;
    // Only growth is limited: a big jump right or down is a stray event, not a drag.
    if (ix > kJumpLimit || iy > kJumpLimit) return false;
    *dx = static_cast<float>(ix);
    *dy = static_cast<float>(iy);
    if (fineMode) {
        *dx /= kFineDivisor;
        *dy /= kFineDivisor;
    }
    return true;
}

// ---- per-frame GL set-up ----

namespace {
void setLighting() {
    const GLfloat modelAmbient[] = {0.5f, 0.5f, 0.5f, 1.0f};
    const GLfloat ambient[] = {0.5f, 0.5f, 0.5f, 1.0f};
    const GLfloat white[] = {1.0f, 1.0f, 1.0f, 1.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, modelAmbient);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT0, GL_SPECULAR, white);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_LIGHT0);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
}

void plainLines() {
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
}

void drawGrid(const Viewport& view) {
    if (!view.showGrid) return;
    plainLines();
    GLfloat clear[4] = {0, 0, 0, 0};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    glColor4f(clear[0] + 0.2f, clear[1] + 0.2f, clear[2] + 0.2f, 0.5f);
    const float g = view.gridSpacing;
    const float reach = kGridHalfLines * g;
    glBegin(GL_LINES);
    for (int i = -kGridHalfLines; i <= kGridHalfLines; ++i) {
        glVertex3f(g * i, -reach, 0);
        glVertex3f(g * i, reach, 0);
    }
    for (int i = -kGridHalfLines; i <= kGridHalfLines; ++i) {
        glVertex3f(-reach, g * i, 0);
        glVertex3f(reach, g * i, 0);
    }
    if (!isOrthographic(view)) {
        for (int i = -kGridHalfLines; i <= kGridHalfLines; ++i) {
            glVertex3f(g * i, 0, -reach);
            glVertex3f(g * i, 0, reach);
        }
        for (int i = -kGridHalfLines; i <= kGridHalfLines; ++i) {
            glVertex3f(-reach, 0, g * i);
            glVertex3f(reach, 0, g * i);
        }
    }
    glEnd();
}

void drawAxes(const Viewport& view) {
    if (!view.showAxes) return;
    plainLines();
    glBegin(GL_LINES);
    glColor4f(1, 0, 0, 0.5f);
    glVertex3f(0, 0, 0);
    glVertex3f(kAxisLength, 0, 0);
    glColor4f(0, 1, 0, 0.5f);
    glVertex3f(0, 0, 0);
    glVertex3f(0, kAxisLength, 0);
    glColor4f(0, 0, 1, 0.5f);
    glVertex3f(0, 0, 0);
    glVertex3f(0, 0, kAxisLength);
    glEnd();
}

void drawRubberBand(const Viewport& view) {
    if (!view.rubberBand) return;
    glColor4f(1, 1, 0, 0.5f);
    glBegin(GL_LINE_STRIP);
    glVertex3f(view.bandStartU, view.bandStartV, 0);
    glVertex3f(view.bandStartU, view.bandEndV, 0);
    glVertex3f(view.bandEndU, view.bandEndV, 0);
    glVertex3f(view.bandEndU, view.bandStartV, 0);
    glVertex3f(view.bandStartU, view.bandStartV, 0);
    glEnd();
}

// In the screen plane, where the grid lies; depth testing is off here, so what follows covers it.
void drawReference(const ReferencePicture& r) {
    if (r.texture == 0 || !(r.width > 0) || !(r.height > 0)) return;
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, r.texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1, 1, 1, r.opacity);
    const float u0 = r.centreU - r.width / 2, u1 = r.centreU + r.width / 2;
    const float v0 = r.centreV - r.height / 2, v1 = r.centreV + r.height / 2;
    glBegin(GL_QUADS); // rows run bottom to top
    glTexCoord2f(0, 0), glVertex3f(u0, v0, 0);
    glTexCoord2f(1, 0), glVertex3f(u1, v0, 0);
    glTexCoord2f(1, 1), glVertex3f(u1, v1, 0);
    glTexCoord2f(0, 1), glVertex3f(u0, v1, 0);
    glEnd();
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}

} // namespace

void setupViewport(Viewport& view) {
    if (view.height == 0) view.height = 1;
    // A hidden view has no width either; keep the projection finite all the same.
    const int width = view.width > 0 ? view.width : 1;
    glEnable(GL_SCISSOR_TEST);
    glScissor(view.left, view.bottom, width, view.height);
    glViewport(view.left, view.bottom, width, view.height);
    setLighting();

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (!isOrthographic(view)) {
        gluPerspective(45.0, static_cast<double>(width) / view.height, 0.1, 10000.0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        // Placed under the identity, so the light moves with the camera.
        const GLfloat lightPosition[] = {-20.0f, 20.0f, 2.0f, 1.0f};
        glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
        glEnable(GL_LIGHTING);
        glTranslatef(view.panX, view.panY, view.distance);
        glRotatef(view.yaw, 0, 1, 0);
        glRotatef(view.pitch, 1, 0, 0);
        glRotatef(view.roll, 0, 0, 1);
        drawGrid(view);
        drawAxes(view);
        glEnable(GL_LIGHTING);
        return;
    }

    // Integer halves; a view narrower than two pixels still gets a non-empty volume.
    const int halfW = std::max(width / 2, 1), halfH = std::max(view.height / 2, 1);
    // Eye z grows towards the viewer, so this depth range lets the nearer surface win under
    // GL_LEQUAL, as in the 3D view.
    glOrtho(-halfW, halfW, -halfH, halfH, -1000, 1000);
    glDisable(GL_DEPTH_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(view.panX, view.panY, -100);
    glScalef(view.scale, view.scale, view.scale);
    // Grid and band lie in the screen plane; the axes and the model in world orientation.
    drawGrid(view);
    drawReference(view.reference);
    drawRubberBand(view);
    if (view.kind == ViewKind::Top) glRotatef(90, 1, 0, 0);
    if (view.kind == ViewKind::Left) glRotatef(90, 0, 1, 0);
    drawAxes(view);
}
