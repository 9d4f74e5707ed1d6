// Generates the three preview model files the material editor shows: a cube, a vase, a sheet.
//
// Usage: make-preview-models [output folder]   (default: resources/defaults)
// Every triangle winds counter-clockwise seen from outside; texture coordinates stay in 0..1.
#include "base/numbers.h"
#include "base/safe_file.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Point {
    double x, y, z;
    double u, v; // texture coordinates
};

struct MeshRun {
    int firstVertex;
    int triangleCount;
};

struct PreviewModel {
    std::vector<Point> vertices; // three per triangle
    std::vector<MeshRun> meshes;
};

void addTriangle(PreviewModel& m, const Point& a, const Point& b, const Point& c) {
    m.vertices.push_back(a);
    m.vertices.push_back(b);
    m.vertices.push_back(c);
}

// Quad a-b-c-d given counter-clockwise.
void addQuad(PreviewModel& m, const Point& a, const Point& b, const Point& c, const Point& d) {
    addTriangle(m, a, b, c);
    addTriangle(m, a, c, d);
}

void beginMesh(PreviewModel& m) {
    m.meshes.push_back({static_cast<int>(m.vertices.size()), 0});
}

void endMesh(PreviewModel& m) {
    MeshRun& run = m.meshes.back();
    run.triangleCount = (static_cast<int>(m.vertices.size()) - run.firstVertex) / 3;
}

// One mesh of cells x cells squares over grid coordinates s, t from -1 to 1, which position(s, t)
// places; the texture runs 0..1 with the grid.
template <typename Position> void addGrid(PreviewModel& m, int cells, Position position) {
    auto at = [&](int i, int j) {
        Point p = position(-1.0 + 2.0 * i / cells, -1.0 + 2.0 * j / cells);
        p.u = static_cast<double>(i) / cells;
        p.v = static_cast<double>(j) / cells;
        return p;
    };
    beginMesh(m);
    for (int j = 0; j < cells; ++j)
        for (int i = 0; i < cells; ++i)
            addQuad(m, at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1));
    endMesh(m);
}

// Cube of edge 2: one mesh per face, each face a 2 x 2 grid of squares.
PreviewModel makeCube() {
    struct Face {
        double n[3], u[3], v[3]; // outward normal and in-face axes with u x v = n
    };
    const Face faces[6] = {
        {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},  {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}},
        {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}}, {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
        {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}}, {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
    };
    constexpr int kCells = 2;
    PreviewModel m;
    for (const Face& f : faces)
        addGrid(m, kCells, [&f](double s, double t) {
            return Point{f.n[0] + s * f.u[0] + t * f.v[0], f.n[1] + s * f.u[1] + t * f.v[1],
                         f.n[2] + s * f.u[2] + t * f.v[2], 0, 0};
        });
    return m;
}

// Vase profile: radius over height fraction t, eased between key points (0.4 at the neck, 1.17
// at the belly).
double vaseRadius(double t) {
    static const double keys[][2] = {{0.0, 0.80}, {0.30, 1.17}, {0.78, 0.40}, {1.0, 0.62}};
    constexpr int kKeyCount = sizeof(keys) / sizeof(keys[0]);
    for (int k = 0; k + 1 < kKeyCount; ++k) {
        if (t > keys[k + 1][0] && k + 2 < kKeyCount) continue;
        const double f = (t - keys[k][0]) / (keys[k + 1][0] - keys[k][0]);
        const double ease = 0.5 - 0.5 * std::cos(kPi * f);
        return keys[k][1] + (keys[k + 1][1] - keys[k][1]) * ease;
    }
    return keys[kKeyCount - 1][1];
}

// Closed surface of revolution about Y: 31 bands of 32 quads plus a fan cap at each end,
// 31 * 64 + 2 * 32 = 2048 triangles.
PreviewModel makeVase() {
    constexpr int kSegments = 32;
    constexpr int kBands = 31;
    constexpr double kHalfHeight = 1.47;
    auto ring = [&](int i, int j) {
        const double t = static_cast<double>(i) / kBands;
        const double phi = 2.0 * kPi * j / kSegments;
        const double r = vaseRadius(t);
        return Point{r * std::sin(phi), -kHalfHeight + 2.0 * kHalfHeight * t, r * std::cos(phi),
                     static_cast<double>(j) / kSegments, t};
    };
    // Caps map the disc onto the texture's inscribed circle.
    auto capEdge = [&](int i, int j) {
        Point p = ring(i, j);
        const double phi = 2.0 * kPi * j / kSegments;
        p.u = 0.5 + 0.5 * std::sin(phi);
        p.v = 0.5 + 0.5 * std::cos(phi);
        return p;
    };
    const Point bottom{0, -kHalfHeight, 0, 0.5, 0.5};
    const Point top{0, kHalfHeight, 0, 0.5, 0.5};

    PreviewModel m;
    beginMesh(m);
    for (int j = 0; j < kSegments; ++j) addTriangle(m, bottom, capEdge(0, j + 1), capEdge(0, j));
    for (int i = 0; i < kBands; ++i)
        for (int j = 0; j < kSegments; ++j)
            addQuad(m, ring(i, j), ring(i, j + 1), ring(i + 1, j + 1), ring(i + 1, j));
    for (int j = 0; j < kSegments; ++j)
        addTriangle(m, top, capEdge(kBands, j), capEdge(kBands, j + 1));
    endMesh(m);
    return m;
}

// Sheet from -1 to 1 in X and Y on a 32 x 32 grid, facing +Z, with a radial ripple of 0.12.
PreviewModel makeSheet() {
    constexpr int kCells = 32;
    constexpr double kRipple = 0.12;
    PreviewModel m;
    addGrid(m, kCells, [](double x, double y) {
        return Point{x, y, kRipple * std::cos(2.0 * kPi * std::sqrt(x * x + y * y)), 0, 0};
    });
    return m;
}

// Rounding noise such as sin(pi) must not come out as "-0.000000".
void appendNumber(std::string& out, double value) {
    out += ',';
    appendFixed6(out, std::fabs(value) < 0.0000005 ? 0.0 : value);
}

std::string fileText(const PreviewModel& m) {
    std::string text = "// \n2.6x VERSION \n// \n";
    text += "MAT,0,0.200000,0.200000,0.200000,1.000000,0.800000,0.800000,0.800000,1.000000,"
            "0.000000,0.000000,0.000000,1.000000,0.000000,0.000000,0.000000,1.000000,0.000000,"
            "0,1,1,0,0,1,0.500000,0.500000,0.500000,0.500000,\n";
    for (std::size_t k = 0; k < m.meshes.size(); ++k) {
        text += "MSH,";
        appendInt(text, static_cast<long long>(k));
        text += ',';
        appendInt(text, m.meshes[k].firstVertex);
        text += ',';
        appendInt(text, m.meshes[k].triangleCount);
        text += ",0,0\n";
    }
    for (std::size_t i = 0; i < m.vertices.size(); ++i) {
        const Point& p = m.vertices[i];
        text += "VTX,";
        appendInt(text, static_cast<long long>(i));
        for (double value : {p.x, p.y, p.z, p.u, p.v, 1.0, 1.0, 1.0, 0.5})
            appendNumber(text, value);
        text += '\n';
    }
    text += "// \n// END OF MODEL FILE \n";
    return text;
}

bool writeModel(const std::string& folder, const char* name, const PreviewModel& m,
                int expectedTriangles) {
    const int triangles = static_cast<int>(m.vertices.size() / 3);
    if (triangles != expectedTriangles) {
        std::fprintf(stderr, "%s: %d triangles instead of %d\n", name, triangles,
                     expectedTriangles);
        return false;
    }
    const std::string path = folder + name;
    if (!writeFileSafely(path, fileText(m))) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::string folder = argc > 1 ? argv[1] : "resources/defaults";
    if (folder.empty() || folder.back() != '/') folder += '/';
    bool ok = writeModel(folder, "PREVIEWMODEL1.FW2", makeCube(), 48);
    ok = writeModel(folder, "PREVIEWMODEL2.FW2", makeVase(), 2048) && ok;
    ok = writeModel(folder, "PREVIEWMODEL3.FW2", makeSheet(), 2048) && ok;
    return ok ? 0 : 1;
}
