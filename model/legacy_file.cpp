// The legacy model file: grids of shared points read and converted into triangle lists.
//
// Sections: reading the records; converting the grids; the reader.
#include "model/legacy_file.h"

#include "base/numbers.h"
#include "model/record_scan.h"
#include "model/text_lines.h"

#include <cstdarg>
#include <cstdint>
#include <new>
#include <vector>

namespace {

// ---- reading the records ----------------------------------------------------------------

struct LegacyTables {
    std::vector<Vertex> points; // grid points: position, texture coordinates, colour
    std::vector<LegacyMesh> meshes;
    std::vector<Material> materials;
    std::vector<Texture> textures;
};

int64_t gridTriangles(const LegacyMesh& g) {
    if (g.width < 2 || g.height < 2) return 0;
    return static_cast<int64_t>(g.width - 1) * (g.height - 1) * 2;
}

// A grid without cells reads no points, so only a grid with cells must lie within the table.
bool gridInside(const LegacyMesh& g, int64_t pointCount) {
    if (gridTriangles(g) == 0) return true;
    if (g.firstPoint < 0) return false;
    return static_cast<int64_t>(g.firstPoint) + static_cast<int64_t>(g.width) * g.height <=
           pointCount;
}

// Grids may share points, so a small file can ask for millions of vertices per kilobyte. Without
// sharing a grid point gives at most six triangle corners, so a file may convert into that many
// vertices per grid point it holds, plus a floor for small files; past it the file is refused.
constexpr int64_t kLegacyVertexFloor = 1 << 20;
int64_t legacyVertexBudget(int64_t pointCount) {
    return kLegacyVertexFloor + 6 * pointCount;
}

// ---- converting the grids ---------------------------------------------------------------

// Every cell (c, r) becomes (a, a+1, a+W+1) and (a, a+W+1, a+W) with a = first + r*W + c, rows
// first. The grids were checked against the point table when they were read.
void convertGrids(const LegacyTables& t, std::vector<Vertex>& vertices, std::vector<Mesh>& meshes) {
    int32_t first = 0;
    for (std::size_t i = 0; i < t.meshes.size(); ++i) {
        const LegacyMesh& g = t.meshes[i];
        Mesh& mesh = meshes[i];
        initMesh(mesh);
        mesh.firstVertex = first;
        mesh.triangleCount = static_cast<int32_t>(gridTriangles(g));
        mesh.MaterialNumber = g.material;
        mesh.smooth = true;
        first += 3 * mesh.triangleCount;
        if (mesh.triangleCount == 0) continue;
        const int32_t w = g.width;
        for (int32_t r = 0; r + 1 < g.height; ++r)
            for (int32_t c = 0; c + 1 < w; ++c) {
                const int32_t a = g.firstPoint + r * w + c;
                for (int32_t point : {a, a + 1, a + w + 1, a, a + w + 1, a + w})
                    vertices.push_back(t.points[static_cast<std::size_t>(point)]);
            }
    }
}

} // namespace

// ---- the reader -------------------------------------------------------------------------

bool readLegacyModelData(Model& m, const std::string& data, std::string* error) {
    const char* name = m.fileName.c_str();
    // Any text would read as an empty model: only records, comments and blank lines make one.
    const RecordCounts counts = countRecords(data);
    if (counts.firstForeignLine)
        return logFailure(m.log, error, "ERROR: %s is not a model file (line %lld is no record)",
                          name, static_cast<long long>(counts.firstForeignLine));
    int64_t recordTotal = 0;
    for (int64_t n : counts.records) recordTotal += n;
    if (recordTotal == 0)
        return logFailure(m.log, error, "ERROR: %s is not a model file (it holds no records)",
                          name);
    logf(m.log, "Opening LEGACY Model File: %s", name);

    const int overfull = overfullRecordKind(counts);
    if (overfull < kRecordKinds)
        return logFailure(m.log, error, "ERROR: %s - more than %lld %s records", name,
                          static_cast<long long>(kRecordCountMax), kRecordTags[overfull]);
    logRecordCounts(m.log, counts);

    LegacyTables t;
    try {
        logEntry(m.log, "Allocating Memory for Model Data");
        logEntry(m.log, "Allocating Memory for Import Vertices");
        t.points.resize(static_cast<std::size_t>(counts.records[kVertexRecord]));
        logEntry(m.log, "Allocating Memory for Import Meshes");
        t.meshes.resize(static_cast<std::size_t>(counts.records[kMeshRecord]));
        logEntry(m.log, "Allocating Memory for Material Data");
        t.materials.resize(static_cast<std::size_t>(counts.records[kMaterialRecord]));
        logEntry(m.log, "Allocating Memory for Texture Data");
        t.textures.resize(static_cast<std::size_t>(counts.records[kTextureRecord]));
    } catch (const std::bad_alloc&) {
        return logFailure(m.log, error, "ERROR: %s - not enough memory for the model", name);
    }

    logEntry(m.log, "Reading File Data");
    bool gridOutside = false; // the mesh number was fine but its grid is not
    bool overBudget = false;  // the grids so far convert into more vertices than the file pays for
    const int64_t vertexBudget = legacyVertexBudget(static_cast<int64_t>(t.points.size()));
    int64_t vertexRunning = 0;
    auto placeMesh = [&](const char* text) {
        LegacyMesh g;
        const int32_t n = scanLegacyMeshRecord(text, g);
        if (isIndexOf(n, t.meshes) && !gridInside(g, static_cast<int64_t>(t.points.size()))) {
            gridOutside = true;
            return false;
        }
        if (!placeAt(t.meshes, n, g)) return false;
        vertexRunning += 3 * gridTriangles(g);
        overBudget = vertexRunning > vertexBudget;
        return !overBudget;
    };
    int badKind = 0;
    const int64_t badLine =
        placeRecords(data, t.points, t.materials, t.textures, placeMesh, badKind);
    if (gridOutside)
        return logFailure(m.log, error,
                          "ERROR: %s : Line: %lld - Mesh grid outside the grid points", name,
                          static_cast<long long>(badLine));
    if (overBudget)
        return logFailure(m.log, error,
                          "ERROR: %s : Line: %lld - Mesh grids share their points past %lld "
                          "vertices",
                          name, static_cast<long long>(badLine),
                          static_cast<long long>(vertexBudget));
    if (badLine)
        return logFailure(m.log, error, "ERROR: %s : Line: %lld - Invalid %s number", name,
                          static_cast<long long>(badLine), kRecordWords[badKind]);
    int64_t vertexTotal = 0;
    for (std::size_t i = 0; i < t.meshes.size(); ++i) {
        if (!isIndexOf(t.meshes[i].material, t.materials))
            return logFailure(m.log, error, "ERROR: %s : Mesh %lld - Invalid Material number", name,
                              static_cast<long long>(i));
        vertexTotal += 3 * gridTriangles(t.meshes[i]);
    }
    if (vertexTotal > kRecordCountMax)
        return logFailure(m.log, error, "ERROR: %s - more than %lld vertices after conversion",
                          name, static_cast<long long>(kRecordCountMax));
    logEntry(m.log, "Data import success!");
    logEntry(m.log, "File Closed.  Converting Data to 2.6x format.");

    std::vector<Vertex> vertices;
    std::vector<Mesh> meshes;
    try {
        vertices.reserve(static_cast<std::size_t>(vertexTotal));
        meshes.resize(t.meshes.size());
    } catch (const std::bad_alloc&) {
        return logFailure(m.log, error, "ERROR: %s - not enough memory for the model", name);
    }
    convertGrids(t, vertices, meshes);

    logEntry(m.log, "Conversion Completed. LoadedOK set to TRUE");
    m.vertices.swap(vertices);
    m.meshes.swap(meshes);
    m.materials.swap(t.materials);
    m.textures.swap(t.textures);
    m.LoadOK = true;
    return true;
}
