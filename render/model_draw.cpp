// Model drawing: the point, wireframe, lit wireframe, shaded and pin passes.
//
// Sections: helpers; points and wireframes; shaded; pins.
//
// Every pass walks only whole triangles inside the vertex array, whatever a mesh's range says,
// and never indexes the material or texture arrays out of range.
#include "render/model_draw.h"

#include "edit/mesh_centre.h"
#include "edit/normals.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <algorithm>
#include <cmath>

// ---- helpers ----

namespace {
// The whole triangles of a mesh that lie inside the vertex array: vertices [first, end).
struct VertexRange {
    int32_t first, end;
};
VertexRange wholeTriangles(const Model& m, const Mesh& mesh) {
    int32_t first = std::max(mesh.firstVertex, 0);
    int32_t end = meshEndVertex(m, mesh);
    if (end < first) end = first;
    return {first, first + (end - first) / 3 * 3};
}

const Material* materialOf(const Model& m, const Mesh& mesh) {
    if (mesh.MaterialNumber < 0 || mesh.MaterialNumber >= materialCount(m)) return nullptr;
    return &m.materials[mesh.MaterialNumber];
}

Vec3 position(const Vertex& v) {
    return {v.x, v.y, v.z};
}

void setMaterial(const Material& mat) {
    const GLfloat ambient[] = {mat.ambientRed, mat.ambientGreen, mat.ambientBlue, mat.ambientAlpha};
    const GLfloat diffuse[] = {mat.diffuseRed, mat.diffuseGreen, mat.diffuseBlue, mat.diffuseAlpha};
    const GLfloat specular[] = {mat.specularRed, mat.specularGreen, mat.specularBlue,
                                mat.specularAlpha};
    const GLfloat emission[] = {mat.emissionRed, mat.emissionGreen, mat.emissionBlue,
                                mat.emissionAlpha};
    glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glMaterialfv(GL_FRONT, GL_EMISSION, emission);
    glMaterialf(GL_FRONT, GL_SHININESS, mat.shininess);
}

void plainState() {
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
}
} // namespace

// ---- points and wireframes ----

void drawViewContent(Model& m, bool points, bool wire, bool shaded, bool pins, bool renderLit,
                     const Viewport& camera3D) {
    if (points) drawPoints(m);
    if (wire) {
        if (renderLit)
            drawLitWire(m);
        else
            drawWire(m);
    }
    if (shaded) drawShaded(m);
    if (pins) drawPins(m, camera3D.pitch, camera3D.yaw, camera3D.roll);
}

namespace {
// A vertex's point colour; later rules win: a hovered pin shows its whole mesh in yellow.
const GLfloat* pointColour(const Model& m, const Mesh& mesh, int32_t k, const Vertex& v) {
    static const GLfloat kHovered[] = {0.9f, 0.9f, 0.0f, 0.5f},
                         kPicked[] = {0.8f, 0.4f, 0.4f, 0.5f}, kLocked[] = {0.9f, 0.0f, 0.0f, 0.5f},
                         kSelected[] = {0.2f, 0.8f, 0.0f, 0.5f},
                         kCurrent[] = {0.6f, 0.6f, 0.6f, 0.5f}, kOther[] = {0.2f, 0.2f, 0.8f, 0.5f};
    if (mesh.pinHovered) return kHovered;
    if (v.picked) return kPicked;
    if (v.locked) return kLocked;
    if (v.selected) return kSelected;
    return k == m.currentMesh ? kCurrent : kOther;
}
} // namespace

void drawPoints(const Model& m) {
    glPointSize(5);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    // A colour is set only where it changes, the first before glBegin: while a run of points
    // shares one, the driver is sent positions alone, which it transforms and draws faster.
    const GLfloat* colour = nullptr;
    bool begun = false;
    for (int32_t k = 0; k < meshCount(m); ++k) {
        const Mesh& mesh = m.meshes[k];
        if (mesh.hidden) continue;
        const VertexRange r = wholeTriangles(m, mesh);
        for (int32_t i = r.first; i < r.end; ++i) {
            const Vertex& v = m.vertices[i];
            const GLfloat* c = pointColour(m, mesh, k, v);
            if (c != colour) glColor4fv(colour = c);
            if (!begun) glBegin(GL_POINTS), begun = true;
            glVertex3f(v.x, v.y, v.z);
        }
    }
    if (begun) glEnd();
}

namespace {
// Each visible triangle's edges AB, BC, CA; normals too when lit. One batch of separate segments
// rasterizes exactly as a closed strip per triangle would (no stipple is ever on), at a fraction
// of the cost of a glBegin per triangle.
void drawTriangleOutlines(const Model& m, const Mesh& mesh, bool withNormals) {
    const VertexRange r = wholeTriangles(m, mesh);
    glBegin(GL_LINES);
    for (int32_t t = r.first; t < r.end; t += 3)
        for (int32_t c : {0, 1, 1, 2, 2, 0}) {
            const Vertex& v = m.vertices[t + c];
            if (withNormals) glNormal3f(v.normalX, v.normalY, v.normalZ);
            glVertex3f(v.x, v.y, v.z);
        }
    glEnd();
}
} // namespace

void drawWire(const Model& m) {
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glColor4f(0.2f, 0.2f, 0.4f, 0.5f);
    for (const Mesh& mesh : m.meshes)
        if (!mesh.hidden) drawTriangleOutlines(m, mesh, false);
}

void drawLitWire(const Model& m) {
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDisable(GL_COLOR_MATERIAL);
    glEnable(GL_LIGHTING);
    glColor4f(0.2f, 0.2f, 0.2f, 0.5f);
    for (const Mesh& mesh : m.meshes) {
        if (const Material* mat = materialOf(m, mesh)) setMaterial(*mat);
        if (!mesh.hidden) drawTriangleOutlines(m, mesh, true);
    }
}

// ---- shaded ----

namespace {
template <bool kTextured> void drawTriangles(const Model& m, const VertexRange& r) {
    glBegin(GL_TRIANGLES);
    for (int32_t i = r.first; i < r.end; ++i) {
        const Vertex& v = m.vertices[i];
        glNormal3f(v.normalX, v.normalY, v.normalZ);
        if (kTextured) glTexCoord2f(v.textureX, v.textureY);
        glVertex3f(v.x, v.y, v.z);
    }
    glEnd();
}
} // namespace

void drawShaded(Model& m) {
    if (!m.LoadOK) return;
    if (m.normalsPending) recalculateNormals(m);
    // A mesh naming no material is drawn with the record's defaults.
    static const Material kFallback{};
    for (const Mesh& mesh : m.meshes) {
        const Material* found = materialOf(m, mesh);
        const Material& mat = found ? *found : kFallback;
        glEnable(GL_DEPTH_TEST);
        setMaterial(mat);
        if (mat.EnableBlend) {
            glEnable(GL_BLEND);
            glBlendFunc(static_cast<GLenum>(mat.blendSrc), static_cast<GLenum>(mat.blendDst));
        } else {
            glDisable(GL_BLEND);
        }
        if (mat.EnableLighting)
            glEnable(GL_LIGHTING);
        else
            glDisable(GL_LIGHTING);
        glColor4f(mat.colourRed, mat.colourGreen, mat.colourBlue, mat.colourAlpha);
        if (mat.EnableTexture) {
            glEnable(GL_TEXTURE_2D);
            const bool known = mat.TextureIndex >= 0 && mat.TextureIndex < textureCount(m);
            glBindTexture(GL_TEXTURE_2D, known ? m.textures[mat.TextureIndex].glTexture : 0);
        } else {
            glDisable(GL_TEXTURE_2D);
        }
        if (mesh.hidden) continue;
        const VertexRange r = wholeTriangles(m, mesh);
        // Texture coordinates only where a texture uses them: a smaller vertex costs less.
        if (mat.EnableTexture)
            drawTriangles<true>(m, r);
        else
            drawTriangles<false>(m, r);
    }
    glDisable(GL_CULL_FACE);
}

// ---- pins ----

namespace {
constexpr int kCircleSteps = 360;
constexpr float kDegree = 0.017453277f; // 3.14159 / 180
constexpr float kMeshPinRadius = 0.1f;
constexpr float kCurrentMeshRingRadius = 0.2f;
constexpr float kTrianglePinLength = 0.2f;
constexpr float kTrianglePinMaxRadius = 0.1f;

struct Camera {
    float pitch, yaw, roll;
};

// Moves to the pin head and undoes the camera rotation, so the pin faces the viewer.
void faceViewer(const Vec3& head, const Camera& cam) {
    glTranslatef(head.x, head.y, head.z);
    glRotatef(-cam.roll, 0, 0, 1);
    glRotatef(-cam.pitch, 1, 0, 0);
    glRotatef(-cam.yaw, 0, 1, 0);
}

// Window coordinates of the square of half size q at the head, stored x1, x2, y1, y2, z1, z2.
void projectPinRect(const Vec3& head, const Camera& cam, float q, double rect[6]) {
    glPushMatrix();
    faceViewer(head, cam);
    GLdouble model[16], proj[16];
    GLint view[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, proj);
    glGetIntegerv(GL_VIEWPORT, view);
    GLdouble x1 = 0, y1 = 0, z1 = 0, x2 = 0, y2 = 0, z2 = 0;
    gluProject(-q, -q, 0, model, proj, view, &x1, &y1, &z1);
    gluProject(q, q, 0, model, proj, view, &x2, &y2, &z2);
    glPopMatrix();
    rect[0] = x1;
    rect[1] = x2;
    rect[2] = y1;
    rect[3] = y2;
    rect[4] = z1;
    rect[5] = z2;
}

bool mouseInside(const Model& m, const double rect[6]) {
    return m.mouseX > rect[0] && m.mouseX < rect[1] && m.mouseY > rect[2] && m.mouseY < rect[3];
}

void drawCircle(float radius) {
    glBegin(GL_LINE_LOOP);
    for (int k = 0; k < kCircleSteps; ++k)
        glVertex3f(radius * std::cos(k * kDegree), radius * std::sin(k * kDegree), 0);
    glEnd();
}

// Stem from the foot to the head, both ends as points, and the facing circle(s) at the head.
void drawPin(const Vec3& foot, const Vec3& head, const Camera& cam, float radius, bool ring) {
    glBegin(GL_LINES);
    glVertex3f(foot.x, foot.y, foot.z);
    glVertex3f(head.x, head.y, head.z);
    glEnd();
    glBegin(GL_POINTS);
    glVertex3f(foot.x, foot.y, foot.z);
    glVertex3f(head.x, head.y, head.z);
    glEnd();
    glPushMatrix();
    faceViewer(head, cam);
    drawCircle(radius);
    if (ring) drawCircle(kCurrentMeshRingRadius);
    glPopMatrix();
}

void drawTrianglePins(Model& m, const Mesh& mesh, const Camera& cam) {
    bool hoveredBefore = false;
    const VertexRange r = wholeTriangles(m, mesh);
    for (int32_t t = r.first; t < r.end; t += 3) {
        Vertex& a = m.vertices[t];
        const Vec3 A = position(a), B = position(m.vertices[t + 1]),
                   C = position(m.vertices[t + 2]);
        const Vec3 n = faceNormal(A, B, C, false);
        const float len = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
        if (!(len > 0) || !std::isfinite(len)) {
            // No direction to stand the pin on: no pin, and nothing left hoverable.
            a.pinHovered = m.vertices[t + 1].pinHovered = m.vertices[t + 2].pinHovered = false;
            continue;
        }
        const Vec3 g = {(A.x + B.x + C.x) / 3, (A.y + B.y + C.y) / 3, (A.z + B.z + C.z) / 3};
        const float q = std::min(len * 0.5f, kTrianglePinMaxRadius);
        const Vec3 head = {g.x + n.x / len * kTrianglePinLength,
                           g.y + n.y / len * kTrianglePinLength,
                           g.z + n.z / len * kTrianglePinLength};
        double rect[6];
        projectPinRect(head, cam, q, rect);
        if (!hoveredBefore && mouseInside(m, rect)) {
            glColor4f(1, 1, 0, 1);
            a.pinHovered = true;
            hoveredBefore = true;
        } else {
            if (a.locked)
                glColor4f(1, 0, 0, 1);
            else
                glColor4f(0, 1, 0, 1);
            a.pinHovered = m.vertices[t + 1].pinHovered = m.vertices[t + 2].pinHovered = false;
        }
        drawPin(g, head, cam, q, false);
    }
}
} // namespace

void drawPins(Model& m, float pitch, float yaw, float roll) {
    if (meshCount(m) == 0) return;
    const Camera cam = {pitch, yaw, roll};
    plainState();
    bool hoveredBefore = false;
    for (int32_t k = 0; k < meshCount(m); ++k) {
        if (m.meshes[k].trianglePins) drawTrianglePins(m, m.meshes[k], cam);
        Mesh& mesh = m.meshes[k];
        const VertexRange r = wholeTriangles(m, mesh);
        mesh.locked = false;
        for (int32_t i = r.first; i < r.end; ++i) mesh.locked = mesh.locked || m.vertices[i].locked;
        mesh.pinHovered = false;
        if (r.end == r.first) continue; // no triangle: no centre, no pin

        meshCentre(m, k);
        const Vec3 centre = {m.centreX, m.centreY, m.centreZ};
        mesh.centreX = centre.x;
        mesh.centreY = centre.y;
        mesh.centreZ = centre.z;
        const float reach = mesh.largestHalfExtent;

        // The pin stands on the middle triangle's normal; a degenerate one leaves it at the
        // centre.
        const int32_t middle = r.first + 3 * ((r.end - r.first) / 3 / 2);
        Vec3 n = faceNormal(position(m.vertices[middle]), position(m.vertices[middle + 1]),
                            position(m.vertices[middle + 2]), true);
        if (!std::isfinite(n.x) || !std::isfinite(n.y) || !std::isfinite(n.z)) n = {0, 0, 0};
        const Vec3 head = {centre.x + n.x * reach, centre.y + n.y * reach, centre.z + n.z * reach};
        mesh.pinX = head.x;
        mesh.pinY = head.y;
        mesh.pinZ = head.z;

        projectPinRect(head, cam, kMeshPinRadius, mesh.pinRect);
        const bool current = k == m.currentMesh;
        if (!hoveredBefore && mouseInside(m, mesh.pinRect)) {
            mesh.pinHovered = true;
            hoveredBefore = true;
            glColor4f(1, 1, 0, 1);
        } else if (current) {
            glColor4f(5, 1, 5, 1); // clamped to white
        } else if (mesh.locked) {
            glColor4f(1, 0, 0, 1);
        } else {
            glColor4f(0, 1, 0, 1);
        }
        plainState();
        drawPin(centre, head, cam, kMeshPinRadius, current);
    }
}

void clearPinHover(Model& m) {
    for (Mesh& mesh : m.meshes) mesh.pinHovered = false;
    for (Vertex& v : m.vertices) v.pinHovered = false;
}
