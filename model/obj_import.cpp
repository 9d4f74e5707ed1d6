// OBJ import: counting pass, reading pass with the face forms, fanning, and appending meshes.
//
// Sections: statements; face corners; the reading pass; appending to the model; the import.
#include "model/obj_import.h"

#include "base/huge_pages.h"
#include "base/numbers.h"
#include "base/paths.h"
#include "model/record_scan.h"
#include "model/text_lines.h"
#include "resources/default_files.h"

#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <cstring>
#include <new>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr int64_t kCountMax = INT32_MAX;
const char* const kImportFailed = "The OBJ file could not be imported";
const char* const kNoTriangles = "No Valid Triangles found within OBJ Face List.";

// ---- statements -------------------------------------------------------------------------

enum Statement { kPosition, kTextureCoord, kNormal, kFace, kGroup, kStatements };
// Each keyword opens a line and is followed by one blank.
const char* const kKeywords[] = {"v ", "vt ", "vn ", "f ", "g "};
static_assert(sizeof kKeywords / sizeof kKeywords[0] == kStatements, "one keyword per statement");

int statementOf(const Piece& p) {
    if (!p.firstOfLine || p.length < 2) return kStatements; // a line's rest is never one
    const char* t = p.text;
    if (t[1] == ' ') {
        switch (t[0]) {
        case 'v':
            return kPosition;
        case 'f':
            return kFace;
        case 'g':
            return kGroup;
        default:
            return kStatements;
        }
    }
    if (t[0] == 'v' && p.length >= 3 && t[2] == ' ') {
        if (t[1] == 't') return kTextureCoord;
        if (t[1] == 'n') return kNormal;
    }
    return kStatements;
}

// The lines of the data, a UTF-8 byte-order mark skipped.
LineReader objLines(const std::string& data) {
    LineReader r = lineReader(data);
    if (data.size() >= 3 && std::memcmp(r.pos, "\xEF\xBB\xBF", 3) == 0) r.pos += 3;
    return r;
}

// ---- face corners -----------------------------------------------------------------------
//
// A face line is scanned like sscanf with the forms "f %i ...", "f %i/%i ...", "f %i/%i/%i ..."
// and "f %i//%i ...", each storing what it matched into the same slots. The character after the
// first index decides which form can get past the first corner (a blank or index: v; "//": v//n;
// "/" then an index: v/t, or v/t/n when another "/" follows), so reading that one form corner by
// corner, stopping at the first mismatch, stores exactly what all the forms together would.
// Corners past the sixth are read on in the same form, so large polygons are fanned whole.

struct Corner {
    int32_t position = 0; // OBJ indices; 0 where the line gives none
    int32_t texture = 0;
};

enum FaceForm { kFormV, kFormVT, kFormVTN, kFormVN };

// Fills corners (cleared first) from the text after the "f".
void scanFace(const char* p, std::vector<Corner>& corners) {
    corners.clear();
    int32_t v = 0, t = 0, n = 0;
    if (!(p = scanInt(p, v))) return;
    corners.push_back({v, 0});
    FaceForm form = kFormV;
    if (p[0] == '/' && p[1] == '/') {
        form = kFormVN;
        if (!(p = scanInt(p + 2, n))) return;
    } else if (p[0] == '/') {
        if (!(p = scanInt(p + 1, t))) return;
        corners.back().texture = t;
        form = kFormVT;
        if (p[0] == '/') {
            form = kFormVTN;
            if (!(p = scanInt(p + 1, n))) return;
        }
    }
    for (;;) {
        if (!(p = scanInt(p, v))) return;
        corners.push_back({v, 0});
        switch (form) {
        case kFormV:
            break;
        case kFormVN:
            if (p[0] != '/' || p[1] != '/' || !(p = scanInt(p + 2, n))) return;
            break;
        case kFormVT:
        case kFormVTN:
            if (p[0] != '/' || !(p = scanInt(p + 1, t))) return;
            corners.back().texture = t;
            if (form == kFormVTN && (p[0] != '/' || !(p = scanInt(p + 1, n)))) return;
            break;
        }
    }
}

// Fallback texture coordinates by triangle of the fan and corner; later triangles get (0, 0).
struct UV {
    float u, v;
};
const UV kFallbacks[2][3] = {{{0, 0}, {1, 0}, {1, 1}}, {{0, 1}, {1, 1}, {0, 1}}};

// A corner of an imported triangle: its position index, and its texture index when that is
// valid, else -1 - k for fallback k (0 .. 5 in kFallbacks order, 6 for (0, 0)).
struct TriangleCorner {
    int32_t position;
    int32_t texture;
};
constexpr int32_t kFallbackZero = 6;

UV fallback(int32_t code) {
    int32_t k = -1 - code;
    if (k >= kFallbackZero) return {0, 0};
    return kFallbacks[k / 3][k % 3];
}

// ---- the reading pass -------------------------------------------------------------------

struct Counts {
    int64_t statements[kStatements + 1] = {}; // the last slot counts every other line
};

Counts countStatements(const std::string& data) {
    Counts c;
    LineReader r = objLines(data);
    Piece p;
    while (nextPiece(r, p)) ++c.statements[statementOf(p)];
    return c;
}

struct NewMesh {
    int64_t firstTriangle = 0;
    int64_t triangles = 0;
};

// The corners of the imported triangles, three per triangle in order, kept in blocks: faces of
// four or more corners outgrow any guess made from the face count, and a single array growing past
// its guess would copy everything read so far into yet more fresh memory.
struct CornerBlocks {
    std::vector<std::vector<TriangleCorner>> blocks;
    std::size_t firstBlock = 0; // room of the first block, in corners; later ones get a quarter
    int64_t count = 0;
};

void addCorner(CornerBlocks& c, TriangleCorner corner) {
    if (c.blocks.empty() || c.blocks.back().size() == c.blocks.back().capacity()) {
        c.blocks.emplace_back();
        const bool first = c.blocks.size() == 1;
        reserveOnHugePages(c.blocks.back(), first ? c.firstBlock : c.firstBlock / 4);
    }
    c.blocks.back().push_back(corner);
    ++c.count;
}

struct Tables {
    std::vector<float> positions; // x, y, z per "v" line
    std::vector<UV> textureCoords;
    CornerBlocks corners;
    std::vector<NewMesh> meshes;
    int64_t faces = 0;
    int64_t skippedFaces = 0;
    int64_t firstSkippedLine = 0;
};

// Fans one face: (c1, c2, c3), then (c1, ck, ck+1) while ck+1 is valid. Returns the triangle
// count, 0 for a face whose first three corners are not all valid.
int64_t fanFace(const std::vector<Corner>& c, int64_t positionCount, int64_t textureCount,
                CornerBlocks& out) {
    auto valid = [&](std::size_t i) {
        return i < c.size() && c[i].position >= 1 && c[i].position <= positionCount;
    };
    if (!valid(0) || !valid(1) || !valid(2)) return 0;
    int64_t triangles = 0;
    for (std::size_t last = 2; valid(last); ++last, ++triangles) {
        const std::size_t corner[3] = {0, last - 1, last};
        for (int q = 0; q < 3; ++q) {
            const Corner& k = c[corner[q]];
            int32_t code =
                triangles < 2 ? -1 - static_cast<int32_t>(triangles * 3 + q) : -1 - kFallbackZero;
            if (k.texture >= 1 && k.texture <= textureCount) code = k.texture;
            addCorner(out, {k.position, code});
        }
    }
    return triangles;
}

void scanFloats(const char* p, float* out, int n) {
    for (int i = 0; i < n && p; ++i) p = scanFloat(p, out[i]);
}

// Reads every statement; throws std::bad_alloc when memory runs out.
void readStatements(const std::string& data, const Counts& counts, Tables& t) {
    const int64_t positionCount = counts.statements[kPosition];
    const int64_t textureCount = counts.statements[kTextureCoord];
    t.positions.reserve(static_cast<std::size_t>(positionCount) * 3);
    t.textureCoords.reserve(static_cast<std::size_t>(textureCount));
    // Three corners a face is exact for a file of triangles.
    t.corners.firstBlock =
        std::max<std::size_t>(static_cast<std::size_t>(counts.statements[kFace]) * 3, 4096);

    LineReader r = objLines(data);
    Piece p;
    PieceText line;
    std::vector<Corner> corners;
    int64_t lineNumber = 0, group = 1, previousFaceGroup = 0, triangleTotal = 0;
    while (nextPiece(r, p)) {
        ++lineNumber;
        const int s = statementOf(p);
        if (s == kStatements || s == kNormal) continue;
        copyPiece(p, line, true);
        if (s == kPosition) {
            float xyz[3] = {0, 0, 0};
            scanFloats(line.text + 1, xyz, 3);
            t.positions.insert(t.positions.end(), xyz, xyz + 3);
        } else if (s == kTextureCoord) {
            float uv[2] = {0, 0};
            scanFloats(line.text + 2, uv, 2);
            t.textureCoords.push_back({uv[0], uv[1]});
        } else if (s == kGroup) {
            if (t.faces > 0) ++group;
        } else {
            scanFace(line.text + 1, corners);
            const int64_t n = fanFace(corners, positionCount, textureCount, t.corners);
            if (n == 0) {
                if (t.skippedFaces++ == 0) t.firstSkippedLine = lineNumber;
            } else {
                if (t.meshes.empty() || group > previousFaceGroup)
                    t.meshes.push_back({triangleTotal, 0});
                t.meshes.back().triangles += n;
                triangleTotal += n;
            }
            previousFaceGroup = group;
            ++t.faces;
        }
    }
}

} // namespace

namespace {

// ---- appending to the model -------------------------------------------------------------

FileResult failImport(const Model& m, const std::string& path, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
FileResult failImport(const Model& m, const std::string& path, const char* format, ...) {
    std::string text;
    va_list args;
    va_start(args, format);
    vlogFailure(m.log, &text, format, args);
    va_end(args);
    return fileFailed(text, kImportFailed, path);
}

// The one material of the default new model: a model without materials gets it before its
// first imported mesh names material 0, so the file it is saved to opens again.
Material newModelMaterial() {
    const std::string_view text = defaultFileContent(DefaultFile::NewModel);
    Material mat;
    const std::size_t at = text.find("\nMAT,");
    if (at != std::string_view::npos) {
        const std::size_t end = text.find('\n', at + 1);
        const std::string line(
            text.substr(at + 1, end == std::string_view::npos ? end : end - at - 1));
        scanMaterialRecord(line.c_str(), mat);
    }
    return mat;
}

void logCount(const Model& m, const char* format, int64_t n) {
    logf(m.log, format, static_cast<long long>(n));
}

// Appends the new vertices and meshes; the arrays were reserved, so nothing here can fail.
void appendTriangles(Model& m, const Tables& t) {
    const int64_t oldVertices = static_cast<int64_t>(m.vertices.size());
    for (const std::vector<TriangleCorner>& block : t.corners.blocks)
        for (const TriangleCorner& c : block) {
            Vertex v;
            initVertex(v);
            const float* xyz = &t.positions[static_cast<std::size_t>(c.position - 1) * 3];
            v.x = xyz[0], v.y = xyz[1], v.z = xyz[2];
            const UV uv = c.texture > 0 ? t.textureCoords[static_cast<std::size_t>(c.texture - 1)]
                                        : fallback(c.texture);
            v.textureX = uv.u, v.textureY = uv.v;
            m.vertices.push_back(v);
        }
    // One append for all the mesh lines: an import of many groups would otherwise reopen the
    // log four times per mesh.
    LogBatch lines;
    lines.log = &m.log;
    for (const NewMesh& n : t.meshes) {
        Mesh mesh;
        initMesh(mesh);
        mesh.firstVertex = static_cast<int32_t>(oldVertices + 3 * n.firstTriangle);
        mesh.triangleCount = static_cast<int32_t>(n.triangles);
        batchf(lines, " --------- ");
        batchf(lines, "Initialising NEW Mesh: # %lld", static_cast<long long>(m.meshes.size()));
        batchf(lines, "Setting ------------  Vertex Index to: %lld",
               static_cast<long long>(mesh.firstVertex));
        batchf(lines, "Setting ----------- Triangle Count to: %lld",
               static_cast<long long>(mesh.triangleCount));
        m.meshes.push_back(mesh);
    }
    flushLogBatch(lines);
}

} // namespace

// ---- the import -------------------------------------------------------------------------

FileResult importObj(Model& m, const std::string& path) {
    const std::string directory = currentDirectory();
    logf(m.log, "Current Working Directory: %s", directory.c_str());
    logf(m.log, "Set Path to Model Directory: %s", directory.c_str());
    logf(m.log, "Opening OBJ File: %s", path.c_str());
    std::string data;
    if (!readWholeFile(path, data)) return failImport(m, path, "ERROR: Failed to open OBJ File");
    return importObjData(m, std::move(data), path);
}

FileResult importObjData(Model& m, std::string data, const std::string& path) {
    const Counts counts = countStatements(data);
    for (int s = 0; s < kStatements; ++s)
        if (counts.statements[s] > kCountMax)
            return failImport(m, path, "ERROR: more than %lld \"%s\" lines in the OBJ File",
                              static_cast<long long>(kCountMax), kKeywords[s]);
    logEntry(m.log, "     OBJ File - Initial Parse OK");
    logCount(m, "     Read: %lld Vertex Groups", counts.statements[kGroup]);
    logCount(m, "     Found: %lld Faces", counts.statements[kFace]);
    logCount(m, "     Found: %lld Vertices", counts.statements[kPosition]);
    logCount(m, "     Read: %lld Vertex Texture Coordinates", counts.statements[kTextureCoord]);
    logCount(m, "     Read: %lld Vertex Normals", counts.statements[kNormal]);
    logEntry(m.log, "Allocating Memory for Imported Vertex and Face Data");

    Tables t;
    const char* const kNoMemory = "ERROR: not enough memory for the OBJ File";
    logEntry(m.log, "Reading File Data");
    try {
        readStatements(data, counts, t);
    } catch (const std::bad_alloc&) {
        return failImport(m, path, "%s", kNoMemory);
    }
    std::string().swap(data); // the text's memory goes back before the vertices take theirs
    logEntry(m.log, "OBJ Data Loaded but not Verified!");
    logEntry(m.log, "File Closed.");
    logEntry(m.log, "Calculating Triangle Count from OBJ Face List");
    if (t.skippedFaces > 0)
        logf(m.log, "Skipped %lld invalid OBJ Faces, the first at Line: %lld",
             static_cast<long long>(t.skippedFaces), static_cast<long long>(t.firstSkippedLine));

    const int64_t triangles = t.corners.count / 3;
    if (triangles == 0) {
        logEntry(m.log, kNoTriangles);
        FileResult r = fileFailed(kNoTriangles, kImportFailed, path);
        if (t.skippedFaces > 0) {
            char more[96];
            formatC(more, sizeof more, "\n%lld faces were skipped, the first on line %lld.",
                    static_cast<long long>(t.skippedFaces),
                    static_cast<long long>(t.firstSkippedLine));
            r.boxText += more;
        }
        return r;
    }
    const int64_t newVertexCount = static_cast<int64_t>(m.vertices.size()) + 3 * triangles;
    const int64_t newMeshCount = static_cast<int64_t>(m.meshes.size() + t.meshes.size());
    if (newVertexCount > kCountMax || newMeshCount > kCountMax)
        return failImport(m, path, "ERROR: the model would grow past %lld vertices or meshes",
                          static_cast<long long>(kCountMax));

    logCount(m, "OBJ Triangle Count: %lld", triangles);
    logCount(m, "Expanding Global FW2 Vertex List to: %lld vertices", newVertexCount);
    try {
        reserveOnHugePages(m.vertices, static_cast<std::size_t>(newVertexCount));
        m.meshes.reserve(static_cast<std::size_t>(newMeshCount));
        if (m.materials.empty()) m.materials.push_back(newModelMaterial());
    } catch (const std::bad_alloc&) {
        return failImport(m, path, "%s", kNoMemory);
    }
    logEntry(m.log, "Updating FW2 Vertex Data from OBJ triangles...");
    logEntry(m.log, "Reallocating Memory for FW2 MeshList");
    logCount(m, "New Global Mesh Count: %lld", newMeshCount);
    PageBacking backing;
    startPageBacking(backing, m.vertices.data() + m.vertices.size(),
                     (m.vertices.capacity() - m.vertices.size()) * sizeof(Vertex));
    appendTriangles(m, t);
    stopPageBacking(backing);
    logEntry(m.log, "Deleting Temporary Memory for OBJ Face List");
    m.currentMesh = 0;
    return fileSucceeded();
}
