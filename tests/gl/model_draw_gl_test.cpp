// What the model passes draw and what the pin pass records, on real frames.
#include "gl_test_context.h"
#include "render/model_draw.h"
#include "render/view_draw.h"
#include "render/viewport.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {
constexpr int W = kGlTestWidth, H = kGlTestHeight;
constexpr int kBg[3] = {0, 0, 0};

void addVertex(Model& m, float x, float y, float z) {
    Vertex v;
    v.x = x;
    v.y = y;
    v.z = z;
    m.vertices.push_back(v);
}

// The default new model: a two-triangle square of side 2 in the XY plane, one mesh.
void addSquare(Model& m, float z = 0) {
    const float corners[6][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, -1}, {1, 1}, {-1, 1}};
    for (const auto& c : corners) addVertex(m, c[0], c[1], z);
}

Mesh meshOf(int first, int count, int material = 0) {
    Mesh mesh;
    mesh.firstVertex = first;
    mesh.triangleCount = count;
    mesh.MaterialNumber = material;
    return mesh;
}

// An unlit, unblended, untextured colour.
Material flat(float r, float g, float b) {
    Material mat;
    mat.colourRed = r;
    mat.colourGreen = g;
    mat.colourBlue = b;
    mat.colourAlpha = 1;
    return mat;
}

void defaultModel(Model& m) {
    addSquare(m);
    m.meshes = {meshOf(0, 2)};
    m.materials = {flat(0.9f, 0.1f, 0.1f)};
    m.LoadOK = true;
    m.currentMesh = -1;
}

bool finite(const double r[6]) {
    for (int i = 0; i < 6; ++i)
        if (!std::isfinite(r[i])) return false;
    return true;
}

class ModelDrawing : public ViewsGlTest {
  protected:
    void SetUp() override {
        ViewsGlTest::SetUp();
        if (HasFatalFailure()) return;
        for (Viewport& v : views) v.showGrid = v.showAxes = false;
        glDisable(GL_BLEND);
        glClearColor(0, 0, 0, 0.5f);
    }
    // Front view: centre (200, 150), 100 pixels per unit.
    void front() { setupViewport(views[ViewFront]); }
    // 3D view: centre (600, 450) from the top, (600, 150) in GL window coordinates.
    void perspective() { setupViewport(views[View3D]); }
    void pins(Model& m, float mouseX, float mouseY) {
        m.mouseX = mouseX;
        m.mouseY = mouseY;
        glPointSize(5); // left by the points pass in a real frame
        drawPins(m, views[View3D].pitch, views[View3D].yaw, views[View3D].roll);
    }
    bool colourAt(int x, int y, int r, int g, int b) { return glTestColourAround(x, y, r, g, b); }
};
} // namespace

TEST_F(ModelDrawing, PointsAndWireOfTheDefaultModelInTheFrontView) {
    Model m;
    defaultModel(m);
    front();
    drawViewContent(m, true, true, false, false, false, views[View3D]);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    // 5-pixel points at the corners, 100 pixels from the centre; read just outside the square,
    // where no wire line runs.
    for (int x : {100, 300})
        for (int y : {50, 250}) {
            const int ox = x < 200 ? x - 1 : x + 1, oy = y < 150 ? y - 1 : y + 1;
            EXPECT_TRUE(rgbNear(glTestPixel(ox, oy), 51, 51, 204)) << x << "," << y;
        }
    // Wire on the edges and the diagonal; nothing inside.
    EXPECT_TRUE(colourAt(200, 250, 51, 51, 102));
    EXPECT_TRUE(colourAt(300, 150, 51, 51, 102));
    EXPECT_TRUE(colourAt(250, 100, 51, 51, 102));
    EXPECT_TRUE(rgbNear(glTestPixel(230, 180), kBg[0], kBg[1], kBg[2]));
}

TEST_F(ModelDrawing, PointColoursFollowTheRulesInOrder) {
    Model m;
    defaultModel(m);
    // Corners shared by two vertex records get the same flags on both.
    m.vertices[0].selected = m.vertices[3].selected = true; // (-1, -1): green
    m.vertices[1].selected = m.vertices[1].locked = true;   // (1, -1): red beats green
    for (int i : {2, 4}) m.vertices[i].locked = m.vertices[i].picked = true; // picked beats red
    front();
    drawPoints(m);
    EXPECT_TRUE(rgbNear(glTestPixel(100, 250), 51, 204, 0));
    EXPECT_TRUE(rgbNear(glTestPixel(300, 250), 230, 0, 0));
    EXPECT_TRUE(rgbNear(glTestPixel(300, 50), 204, 102, 102));
    EXPECT_TRUE(rgbNear(glTestPixel(100, 50), 51, 51, 204)); // (-1, 1) has no flags
    // The current mesh turns plain points grey; a hovered pin turns every point yellow.
    m.currentMesh = 0;
    front();
    drawPoints(m);
    EXPECT_TRUE(rgbNear(glTestPixel(100, 50), 153, 153, 153));
    EXPECT_TRUE(rgbNear(glTestPixel(300, 250), 230, 0, 0));
    m.meshes[0].pinHovered = true;
    front();
    drawPoints(m);
    for (int x : {100, 300})
        for (int y : {50, 250}) EXPECT_TRUE(rgbNear(glTestPixel(x, y), 230, 230, 0));
}

TEST_F(ModelDrawing, ShadedPassFillsWithTheMaterialColour) {
    Model m;
    defaultModel(m);
    front();
    drawViewContent(m, true, true, true, false, false, views[View3D]);
    EXPECT_TRUE(rgbNear(glTestPixel(230, 180), 230, 26, 26));
    EXPECT_TRUE(rgbNear(glTestPixel(170, 100), 230, 26, 26));
    EXPECT_TRUE(rgbNear(glTestPixel(350, 150), kBg[0], kBg[1], kBg[2]));
    // Not loaded yet: nothing shaded.
    m.LoadOK = false;
    front();
    drawShaded(m);
    EXPECT_TRUE(rgbNear(glTestPixel(230, 180), kBg[0], kBg[1], kBg[2]));
}

TEST_F(ModelDrawing, NearerFaceWinsInEveryOrthographicView) {
    // A unit cube, one colour per face; each view sees one face pair head-on, the rest edge-on.
    // Front looks along -z (eye z = z), Left along +x (eye z = -x), Top along -y (eye z = y).
    struct Face {
        int axis;
        float at;
        float r, g, b;
    };
    const Face faces[] = {{2, 0.5f, 1, 0, 0},  {2, -0.5f, 0, 1, 0}, // Front: near drawn first
                          {0, 0.5f, 0, 0, 1},  {0, -0.5f, 1, 1, 0}, // Left: far drawn first
                          {1, -0.5f, 1, 0, 1}, {1, 0.5f, 0, 1, 1}}; // Top: far drawn first
    const float corner[6][2] = {{-0.5f, -0.5f}, {0.5f, -0.5f}, {0.5f, 0.5f},
                                {-0.5f, -0.5f}, {0.5f, 0.5f},  {-0.5f, 0.5f}};
    Model m;
    for (const Face& f : faces) {
        for (const auto& c : corner) {
            float p[3];
            p[f.axis] = f.at;
            p[(f.axis + 1) % 3] = c[0];
            p[(f.axis + 2) % 3] = c[1];
            addVertex(m, p[0], p[1], p[2]);
        }
        m.meshes.push_back(meshOf(6 * meshCount(m), 2, meshCount(m)));
        m.materials.push_back(flat(f.r, f.g, f.b));
    }
    m.LoadOK = true;
    for (ViewId id : {ViewFront, ViewLeft, ViewTop}) {
        setupViewport(views[id]);
        drawShaded(m);
    }
    EXPECT_TRUE(rgbNear(glTestPixel(200, 150), 255, 0, 0));   // Front: z = 0.5
    EXPECT_TRUE(rgbNear(glTestPixel(600, 150), 255, 255, 0)); // Left: x = -0.5
    EXPECT_TRUE(rgbNear(glTestPixel(200, 450), 0, 255, 255)); // Top: y = 0.5
}

TEST_F(ModelDrawing, PinsNotDrawnAreNeverHovered) {
    Model m;
    defaultModel(m);
    m.meshes[0].trianglePins = true;
    m.mouseX = 600; // on the mesh pin
    m.mouseY = 150;
    const ViewOptions ortho;
    ViewOptions view3D;
    view3D.pins = true;
    drawLayoutViews(views, m, kLayoutSplit, ortho, view3D, false);
    ASSERT_TRUE(m.meshes[0].pinHovered);
    view3D.pins = false;
    drawLayoutViews(views, m, kLayoutSplit, ortho, view3D, false);
    EXPECT_FALSE(m.meshes[0].pinHovered);
    // Pins on but the 3D view not shown: a triangle pin's flag goes as well.
    m.meshes[0].pinHovered = m.vertices[0].pinHovered = true;
    view3D.pins = true;
    drawLayoutViews(views, m, 1, ortho, view3D, false);
    EXPECT_FALSE(m.meshes[0].pinHovered);
    EXPECT_FALSE(m.vertices[0].pinHovered);
}

TEST_F(ModelDrawing, EachMeshSetsItsOwnBlendingAndBadIndicesAreHarmless) {
    Model m;
    addSquare(m);
    // Lower-right triangle blended half over the background, upper-left one opaque green.
    m.meshes = {meshOf(0, 1, 0), meshOf(3, 1, 1)};
    Material blended = flat(1, 1, 1);
    blended.colourAlpha = 0.5f;
    blended.EnableBlend = true;
    blended.blendSrc = GL_SRC_ALPHA;
    blended.blendDst = GL_ONE_MINUS_SRC_ALPHA;
    m.materials = {blended, flat(0, 1, 0)};
    m.LoadOK = true;
    glClearColor(0, 0, 0.5f, 0.5f);
    front();
    drawShaded(m);
    EXPECT_TRUE(rgbNear(glTestPixel(250, 200), 128, 128, 191));
    EXPECT_TRUE(rgbNear(glTestPixel(150, 100), 0, 255, 0));
    // A texture index past the array binds no texture; a material index past the array draws
    // with the record's defaults (black); neither reads out of bounds.
    m.materials[1].EnableTexture = true;
    m.materials[1].TextureIndex = 3;
    m.meshes[0].MaterialNumber = 7;
    front();
    drawShaded(m);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_TRUE(rgbNear(glTestPixel(150, 100), 0, 255, 0));
    EXPECT_TRUE(rgbNear(glTestPixel(250, 200), 0, 0, 0));
    glDisable(GL_TEXTURE_2D);
}

TEST_F(ModelDrawing, HiddenMeshesAreNotDrawn) {
    Model m;
    defaultModel(m);
    m.meshes[0].hidden = true;
    front();
    drawViewContent(m, true, true, true, false, false, views[View3D]);
    drawLitWire(m);
    EXPECT_TRUE(rgbNear(glTestPixel(100, 250), kBg[0], kBg[1], kBg[2]));
    EXPECT_TRUE(rgbNear(glTestPixel(230, 180), kBg[0], kBg[1], kBg[2]));
    EXPECT_FALSE(colourAt(200, 250, 51, 51, 102));
}

TEST_F(ModelDrawing, MeshPinStandsOnTheMiddleTriangleAndIsHoveredUnderTheMouse) {
    Model m;
    defaultModel(m);
    perspective();
    pins(m, 0, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    const Mesh& mesh = m.meshes[0];
    // The middle triangle faces +z, the largest half extent is 1: the head is at (0, 0, 1).
    EXPECT_FLOAT_EQ(mesh.pinZ, 1.0f);
    EXPECT_FLOAT_EQ(mesh.pinX, 0.0f);
    EXPECT_FLOAT_EQ(mesh.centreZ, 0.0f);
    // Seen from 4 units away the 0.2-unit square spans 2 * 9.05 pixels around (600, 150).
    const double halfPx = 150.0 / (4 * std::tan(22.5 * 3.14159265 / 180)) * 0.1;
    EXPECT_NEAR(mesh.pinRect[0], 600 - halfPx, 0.05);
    EXPECT_NEAR(mesh.pinRect[1], 600 + halfPx, 0.05);
    EXPECT_NEAR(mesh.pinRect[2], 150 - halfPx, 0.05);
    EXPECT_NEAR(mesh.pinRect[3], 150 + halfPx, 0.05);
    EXPECT_FALSE(mesh.pinHovered);
    EXPECT_TRUE(colourAt(600, 449, 0, 255, 0));
    // The mouse inside the rectangle hovers it (drawn yellow); just outside does not.
    perspective();
    pins(m, 605, 146);
    EXPECT_TRUE(mesh.pinHovered);
    EXPECT_TRUE(colourAt(600, 449, 255, 255, 0));
    perspective();
    pins(m, 611, 150);
    EXPECT_FALSE(mesh.pinHovered);
    // Locked vertices make the pin red; the current mesh draws it white.
    m.vertices[4].locked = true;
    perspective();
    pins(m, 0, 0);
    EXPECT_TRUE(mesh.locked);
    EXPECT_TRUE(colourAt(600, 449, 255, 0, 0));
    m.currentMesh = 0;
    perspective();
    pins(m, 0, 0);
    EXPECT_TRUE(colourAt(600, 449, 255, 255, 255));
}

TEST_F(ModelDrawing, OnlyTheEarlierOfTwoOverlappingPinsIsHovered) {
    Model m;
    defaultModel(m);
    addSquare(m);
    m.meshes.push_back(meshOf(6, 2));
    m.meshes[1].hidden = true; // hidden meshes have pins too
    m.meshes[1].pinHovered = true;
    perspective();
    pins(m, 600, 150);
    EXPECT_TRUE(m.meshes[0].pinHovered);
    EXPECT_FALSE(m.meshes[1].pinHovered);
    // With the first one moved away, the hidden one is hovered.
    for (int i = 0; i < 6; ++i) m.vertices[i].x += 3;
    perspective();
    pins(m, 600, 150);
    EXPECT_FALSE(m.meshes[0].pinHovered);
    EXPECT_TRUE(m.meshes[1].pinHovered);
}

TEST_F(ModelDrawing, TrianglePinsHoverOnePerMesh) {
    Model m;
    defaultModel(m);
    m.meshes[0].trianglePins = true;
    // Triangle 0's centroid (1/3, -1/3, 0); its pin head 0.2 in front: 4.8 units from the eye.
    const double ppu = 150.0 / (4.8 * std::tan(22.5 * 3.14159265 / 180));
    const float hx = static_cast<float>(600 + ppu / 3), hy = static_cast<float>(150 - ppu / 3);
    perspective();
    pins(m, hx, hy);
    EXPECT_TRUE(m.vertices[0].pinHovered);
    EXPECT_FALSE(m.vertices[3].pinHovered);
    // The pin reaches its radius, 0.1 units, either side of its head.
    const float reach = static_cast<float>(0.1 * ppu);
    perspective();
    pins(m, hx + reach - 1, hy);
    EXPECT_TRUE(m.vertices[0].pinHovered);
    perspective();
    pins(m, hx + reach + 2, hy);
    EXPECT_FALSE(m.vertices[0].pinHovered);
    perspective();
    pins(m, 0, 0);
    EXPECT_FALSE(m.vertices[0].pinHovered);
}

TEST_F(ModelDrawing, DegenerateEmptyAndOverlongMeshesDrawSafely) {
    Model m;
    addSquare(m);
    // Mesh 0: one degenerate triangle (all corners at the origin) as its middle triangle.
    for (int i = 0; i < 3; ++i) addVertex(m, 0, 0, 0);
    addVertex(m, 5, 5, 5); // a stray partial triangle at the end
    m.meshes = {meshOf(3, 2), meshOf(0, 0), meshOf(6, 40, 9), meshOf(-3, 2)};
    m.meshes[0].trianglePins = m.meshes[2].trianglePins = true;
    m.meshes[1].pinHovered = true;
    m.vertices[6].pinHovered = true; // stale flag on the degenerate triangle
    m.materials = {flat(1, 1, 1)};
    m.materials[0].EnableTexture = true;
    m.materials[0].TextureIndex = -2;
    m.LoadOK = true;
    m.normalsPending = true;
    for (int view : {int(ViewFront), int(View3D)}) {
        setupViewport(views[view]);
        drawViewContent(m, true, true, true, true, false, views[View3D]);
        drawViewContent(m, false, true, false, false, true, views[View3D]);
    }
    pins(m, 600, 150);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    // The mesh pin of the degenerate middle triangle sits at the centre, finite.
    const Mesh& deg = m.meshes[0];
    EXPECT_TRUE(std::isfinite(deg.pinX) && std::isfinite(deg.pinY) && std::isfinite(deg.pinZ));
    EXPECT_FLOAT_EQ(deg.pinX, deg.centreX);
    EXPECT_FLOAT_EQ(deg.pinZ, deg.centreZ);
    EXPECT_TRUE(finite(deg.pinRect));
    // The degenerate triangle has no pin to hover; the empty mesh has no pin at all.
    EXPECT_FALSE(m.vertices[6].pinHovered);
    EXPECT_FALSE(m.meshes[1].pinHovered);
    for (const Mesh& mesh : m.meshes) EXPECT_TRUE(finite(mesh.pinRect));
    glDisable(GL_TEXTURE_2D);
    // No meshes at all: every pass is a no-op.
    Model none;
    none.LoadOK = true;
    setupViewport(views[View3D]);
    drawViewContent(none, true, true, true, true, true, views[View3D]);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ModelDrawing, WireBatchMatchesOneStripPerTrianglePixelForPixel) {
    // Scattered overlapping triangles, blended so that a pixel drawn twice shows.
    Model m;
    uint32_t x = 12345;
    auto next = [&x] { return (x = x * 1664525u + 1013904223u) >> 8 & 0xFFFF; };
    for (int i = 0; i < 3 * 300; ++i)
        addVertex(m, next() / 32768.0f - 1, next() / 43690.0f - 0.75f, next() / 65536.0f - 0.5f);
    m.meshes = {meshOf(0, 120), meshOf(360, 180)};
    auto frame = [&](bool strips) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        front();
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        if (strips) { // the drawing as it was: a closed strip per triangle
            glDisable(GL_TEXTURE_2D);
            glDisable(GL_LIGHTING);
            glColor4f(0.2f, 0.2f, 0.4f, 0.5f);
            for (int t = 0; t < 3 * 300; t += 3) {
                glBegin(GL_LINE_STRIP);
                for (int c : {0, 1, 2, 0})
                    glVertex3f(m.vertices[t + c].x, m.vertices[t + c].y, m.vertices[t + c].z);
                glEnd();
            }
        } else {
            drawWire(m);
        }
        glDisable(GL_BLEND);
        std::vector<unsigned char> pixels(4 * W * H);
        glFinish();
        glReadPixels(0, 0, W, H, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    };
    const std::vector<unsigned char> strips = frame(true), batch = frame(false);
    EXPECT_TRUE(strips == batch);
    EXPECT_NE(std::count(strips.begin(), strips.end(), 0), static_cast<long>(strips.size()));
}
