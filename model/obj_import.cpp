// OBJ import: counting pass, reading pass with the face forms, fanning, and appending meshes.
//
// Sections: statements; face corners; the text in chunks; the counting pass; the reading pass;
// appending to the model; the import.
#include "model/obj_import.h"

#include "base/huge_pages.h"
#include "base/numbers.h"
#include "base/paths.h"
#include "base/regular_file.h"
#include "model/record_scan.h"
#include "model/text_lines.h"
#include "resources/default_files.h"

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <new>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>
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

// ---- the text in chunks -----------------------------------------------------------------
//
// The import goes over the text twice, counting and then reading. A file is read each time
// through a small buffer of whole lines instead of being held whole: its bytes would otherwise
// take fresh memory beside the vertex array they become, and fresh memory is most of the cost.

struct ObjText {
    const std::string* bytes = nullptr; // the whole text in memory, or
    int fd = -1;                        // a file, read with pread so two threads can share it
    std::size_t size = 0;               // as the file was when opened
};

// Bytes [begin, end) of the text; end past the text's end means to its end.
struct TextRange {
    std::size_t begin = 0;
    std::size_t end = SIZE_MAX;
};

constexpr std::size_t kChunkBytes = 512u << 10;
const char* const kByteOrderMark = "\xEF\xBB\xBF";

// Reads up to n bytes at offset; -1 on an error.
long readAt(int fd, char* to, std::size_t n, std::size_t offset) {
    for (;;) {
        const ssize_t got = ::pread(fd, to, n, static_cast<off_t>(offset));
        if (got >= 0 || errno != EINTR) return got;
    }
}

// Calls each(begin, end) on consecutive runs of whole lines of the range (the last line may lack
// its end), a UTF-8 byte-order mark at the text's start skipped. A range other than the last
// must end just after a line end. False when the file cannot be read; throws std::bad_alloc when
// a line outgrows memory.
template <class Each>
bool forEachChunk(const ObjText& t, TextRange range, std::vector<char>& buffer, Each&& each) {
    if (t.bytes) {
        const char* p = t.bytes->data();
        const std::size_t n = t.bytes->size(), end = std::min(range.end, n);
        std::size_t begin = std::min(range.begin, end);
        if (begin == 0 && n >= 3 && std::memcmp(p, kByteOrderMark, 3) == 0) begin = 3;
        each(p + begin, p + std::max(begin, end));
        return true;
    }
    // A small file gets a buffer its size: every fresh page costs a fault.
    const std::size_t span = std::min(range.end, t.size) - std::min(range.begin, t.size);
    if (buffer.size() < kChunkBytes) buffer.resize(std::min(kChunkBytes, span + 1));
    std::size_t filled = 0, offset = range.begin;
    bool markChecked = range.begin != 0;
    for (;;) {
        if (filled == buffer.size()) buffer.resize(buffer.size() * 2); // a longer line
        char* data = buffer.data();
        const long n = offset < range.end
                           ? readAt(t.fd, data + filled,
                                    std::min(buffer.size() - filled, range.end - offset), offset)
                           : 0;
        if (n < 0) return false;
        filled += static_cast<std::size_t>(n);
        offset += static_cast<std::size_t>(n);
        const bool atEnd = n == 0;
        if (!markChecked && (filled >= 3 || atEnd)) {
            markChecked = true;
            if (filled >= 3 && std::memcmp(data, kByteOrderMark, 3) == 0) {
                filled -= 3;
                std::memmove(data, data + 3, filled);
            }
        }
        const void* lastEnd = markChecked && !atEnd ? ::memrchr(data, '\n', filled) : nullptr;
        const char* end = atEnd ? data + filled : static_cast<const char*>(lastEnd);
        if (!end) continue; // no whole line yet
        if (!atEnd) ++end;
        if (end > data) each(static_cast<const char*>(data), end);
        filled -= static_cast<std::size_t>(end - data);
        std::memmove(data, end, filled);
        if (atEnd) return true;
    }
}

// The start of the first line that begins at or after offset, or SIZE_MAX when none does.
std::size_t lineStartFrom(const ObjText& t, std::size_t offset) {
    if (t.bytes) {
        const std::size_t at = offset == 0 ? 0 : t.bytes->find('\n', offset - 1);
        return at == std::string::npos ? SIZE_MAX : at + (offset == 0 ? 0 : 1);
    }
    char window[4096];
    for (std::size_t from = offset - 1;; from += sizeof window) {
        const long n = readAt(t.fd, window, sizeof window, from);
        if (n <= 0) return SIZE_MAX;
        const void* nl = std::memchr(window, '\n', static_cast<std::size_t>(n));
        if (nl) return from + static_cast<std::size_t>(static_cast<const char*>(nl) - window) + 1;
    }
}

// ---- the counting pass ------------------------------------------------------------------

struct Counts {
    int64_t statements[kStatements + 1] = {}; // the last slot counts every other piece
    int64_t triangleBound = 0;                // what the faces can fan into, by their words
};

// Per byte of eight, 0x80 where the byte is zero (exact: no carry crosses a byte).
uint64_t zeroBytes(uint64_t v) {
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    return ~(((v & kLow7) + kLow7) | v) & ~kLow7;
}

// Triangles a face's first piece can fan into: its words after the "f" (runs of anything but
// blanks and tabs), less two. Numbers written together without a blank can give more; the
// vertex array grows then. Eight bytes at a time: this runs over most of the file.
int64_t fanBound(const Piece& p) {
    constexpr uint64_t kHigh = 0x8080808080808080ULL;
    constexpr uint64_t kBlanks = 0x2020202020202020ULL, kTabs = 0x0909090909090909ULL;
    int64_t words = 0;
    uint64_t previousBlank = kHigh; // the blank after the "f"
    for (std::size_t i = 1; i < p.length; i += 8) {
        uint64_t v = kBlanks; // past the end: blanks, which start no word
        std::memcpy(&v, p.text + i, std::min<std::size_t>(8, p.length - i));
        const uint64_t blank = zeroBytes(v ^ kBlanks) | zeroBytes(v ^ kTabs);
        const uint64_t blankBefore = (blank << 8) | (previousBlank >> 56);
        words += __builtin_popcountll(~blank & blankBefore & kHigh);
        previousBlank = blank;
    }
    return words > 2 ? words - 2 : 0;
}

void countChunk(const char* begin, const char* end, Counts& c) {
    LineReader r = lineReader(begin, end);
    Piece p;
    while (nextPiece(r, p)) {
        const int s = statementOf(p);
        ++c.statements[s];
        if (s == kFace) c.triangleBound += fanBound(p);
    }
}

enum class Outcome { Done, Unreadable, NoMemory };

Outcome countRange(const ObjText& t, TextRange range, Counts& c) {
    try {
        std::vector<char> buffer;
        return forEachChunk(t, range, buffer,
                            [&](const char* b, const char* e) { countChunk(b, e, c); })
                   ? Outcome::Done
                   : Outcome::Unreadable;
    } catch (const std::bad_alloc&) {
        return Outcome::NoMemory;
    }
}

// Counts the text, its second half on a second thread when it is large enough to pay for one.
Outcome countText(const ObjText& t, Counts& counts) {
    constexpr std::size_t kSplitMin = 8u << 20;
    const std::size_t half = t.size >= kSplitMin ? lineStartFrom(t, t.size / 2) : SIZE_MAX;
    Counts second;
    Outcome secondOutcome = Outcome::Done;
    std::thread worker;
    if (half != SIZE_MAX) {
        try {
            worker = std::thread([&] { secondOutcome = countRange(t, {half, SIZE_MAX}, second); });
        } catch (const std::system_error&) {
            // No thread: this one counts the whole text.
        }
    }
    const Outcome first = countRange(t, {0, worker.joinable() ? half : SIZE_MAX}, counts);
    if (!worker.joinable()) return first;
    worker.join();
    for (int s = 0; s <= kStatements; ++s) counts.statements[s] += second.statements[s];
    counts.triangleBound += second.triangleBound;
    return first != Outcome::Done ? first : secondOutcome;
}

// ---- the reading pass -------------------------------------------------------------------

struct NewMesh {
    int64_t firstTriangle = 0;
    int64_t triangles = 0;
};

// The reading pass writes the new vertices straight into the model's array, reserved for the
// counted bound while a worker backs its pages; a corner whose "v" or "vt" line comes later in
// the file is filled in at the end.
struct Reading {
    Model* m = nullptr;
    PageBacking* backing = nullptr;
    int64_t positionCount = 0, textureCount = 0; // as counted: they decide which corners are valid
    std::vector<float> positions;                // x, y, z per "v" line
    std::vector<UV> textureCoords;
    std::vector<std::pair<std::size_t, TriangleCorner>> later; // vertex index, its corner
    std::vector<NewMesh> meshes;
    int64_t seen[kStatements + 1] = {}; // pieces of this pass, to compare with the count
    int64_t lineNumber = 0, group = 1, previousFaceGroup = 0, triangles = 0;
    int64_t faces = 0, skippedFaces = 0, firstSkippedLine = 0;
    bool pastCountMax = false; // more vertices than an int32 counts: nothing more is written
    PieceText line;
    std::vector<Corner> corners;
};

bool readYet(const Reading& rd, TriangleCorner c) {
    return static_cast<std::size_t>(c.position) * 3 <= rd.positions.size() &&
           (c.texture <= 0 || static_cast<std::size_t>(c.texture) <= rd.textureCoords.size());
}

void fillVertex(Vertex& v, const Reading& rd, TriangleCorner c) {
    const float* xyz = &rd.positions[static_cast<std::size_t>(c.position - 1) * 3];
    v.x = xyz[0], v.y = xyz[1], v.z = xyz[2];
    const UV uv = c.texture > 0 ? rd.textureCoords[static_cast<std::size_t>(c.texture - 1)]
                                : fallback(c.texture);
    v.textureX = uv.u, v.textureY = uv.v;
}

void addVertex(Reading& rd, TriangleCorner c) {
    std::vector<Vertex>& out = rd.m->vertices;
    if (static_cast<int64_t>(out.size()) >= kCountMax) {
        rd.pastCountMax = true;
        return;
    }
    Vertex v;
    initVertex(v);
    if (readYet(rd, c))
        fillVertex(v, rd, c);
    else
        rd.later.push_back({out.size(), c});
    if (out.size() == out.capacity()) stopPageBacking(*rd.backing); // the array is about to move
    out.push_back(v);
}

// Fans one face: (c1, c2, c3), then (c1, ck, ck+1) while ck+1 is valid. Returns the triangle
// count, 0 for a face whose first three corners are not all valid.
int64_t fanFace(Reading& rd) {
    const std::vector<Corner>& c = rd.corners;
    auto valid = [&](std::size_t i) {
        return i < c.size() && c[i].position >= 1 && c[i].position <= rd.positionCount;
    };
    if (!valid(0) || !valid(1) || !valid(2)) return 0;
    int64_t triangles = 0;
    for (std::size_t last = 2; valid(last); ++last, ++triangles) {
        const std::size_t corner[3] = {0, last - 1, last};
        for (int q = 0; q < 3; ++q) {
            const Corner& k = c[corner[q]];
            int32_t code =
                triangles < 2 ? -1 - static_cast<int32_t>(triangles * 3 + q) : -1 - kFallbackZero;
            if (k.texture >= 1 && k.texture <= rd.textureCount) code = k.texture;
            addVertex(rd, {k.position, code});
        }
    }
    return triangles;
}

void scanFloats(const char* p, float* out, int n) {
    for (int i = 0; i < n && p; ++i) p = scanFloat(p, out[i]);
}

// Reads every statement of a chunk; throws std::bad_alloc when memory runs out.
void readChunk(const char* begin, const char* end, Reading& rd) {
    LineReader r = lineReader(begin, end);
    Piece p;
    while (nextPiece(r, p)) {
        ++rd.lineNumber;
        const int s = statementOf(p);
        ++rd.seen[s];
        if (s == kStatements || s == kNormal) continue;
        copyPiece(p, rd.line, true);
        if (s == kPosition) {
            float xyz[3] = {0, 0, 0};
            scanFloats(rd.line.text + 1, xyz, 3);
            rd.positions.insert(rd.positions.end(), xyz, xyz + 3);
        } else if (s == kTextureCoord) {
            float uv[2] = {0, 0};
            scanFloats(rd.line.text + 2, uv, 2);
            rd.textureCoords.push_back({uv[0], uv[1]});
        } else if (s == kGroup) {
            if (rd.faces > 0) ++rd.group;
        } else {
            scanFace(rd.line.text + 1, rd.corners);
            const int64_t n = fanFace(rd);
            if (n == 0) {
                if (rd.skippedFaces++ == 0) rd.firstSkippedLine = rd.lineNumber;
            } else {
                if (rd.meshes.empty() || rd.group > rd.previousFaceGroup)
                    rd.meshes.push_back({rd.triangles, 0});
                rd.meshes.back().triangles += n;
                rd.triangles += n;
            }
            rd.previousFaceGroup = rd.group;
            ++rd.faces;
        }
    }
}

// Fills in the corners that came before their "v" or "vt" line; false when the file no longer
// has them (it changed between the passes).
bool fillLaterCorners(Reading& rd, const Counts& counts) {
    if (!std::equal(std::begin(rd.seen), std::end(rd.seen), std::begin(counts.statements)))
        return false;
    for (const auto& [at, corner] : rd.later) fillVertex(rd.m->vertices[at], rd, corner);
    return true;
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

// Puts the vertex array back as it was before the import: the new vertices and the room
// reserved for them go.
void dropNewVertices(Model& m, std::size_t oldCount, PageBacking& backing) {
    stopPageBacking(backing);
    m.vertices.resize(oldCount);
    try {
        m.vertices.shrink_to_fit();
    } catch (const std::bad_alloc&) {
        // The room stays reserved; the vertices are the old ones all the same.
    }
}

// Appends the new meshes; the list was reserved, so nothing here can fail.
void appendMeshes(Model& m, const Reading& rd, int64_t oldVertices) {
    // One append for all the mesh lines: an import of many groups would otherwise reopen the
    // log four times per mesh.
    LogBatch lines;
    lines.log = &m.log;
    for (const NewMesh& n : rd.meshes) {
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

const char* const kNoMemory = "ERROR: not enough memory for the OBJ File";
const char* const kUnreadable = "ERROR: Failed to open OBJ File";

FileResult importText(Model& m, const ObjText& text, const std::string& path) {
    Counts counts;
    const Outcome counted = countText(text, counts);
    if (counted != Outcome::Done)
        return failImport(m, path, "%s", counted == Outcome::NoMemory ? kNoMemory : kUnreadable);
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

    const std::size_t oldVertices = m.vertices.size();
    PageBacking backing;
    Reading rd;
    rd.m = &m;
    rd.backing = &backing;
    rd.positionCount = counts.statements[kPosition];
    rd.textureCount = counts.statements[kTextureCoord];
    logEntry(m.log, "Reading File Data");
    bool readable = false;
    try {
        rd.positions.reserve(static_cast<std::size_t>(rd.positionCount) * 3);
        rd.textureCoords.reserve(static_cast<std::size_t>(rd.textureCount));
        const int64_t room =
            std::min(3 * counts.triangleBound,
                     std::max<int64_t>(0, kCountMax - static_cast<int64_t>(oldVertices)));
        reserveOnHugePages(m.vertices, oldVertices + static_cast<std::size_t>(room));
        startPageBacking(backing, m.vertices.data() + oldVertices,
                         static_cast<std::size_t>(room) * sizeof(Vertex));
        std::vector<char> buffer;
        readable = forEachChunk(text, {}, buffer,
                                [&](const char* b, const char* e) { readChunk(b, e, rd); });
    } catch (const std::bad_alloc&) {
        dropNewVertices(m, oldVertices, backing);
        return failImport(m, path, "%s", kNoMemory);
    }
    stopPageBacking(backing);
    if (!readable || !fillLaterCorners(rd, counts)) {
        dropNewVertices(m, oldVertices, backing);
        return failImport(m, path, "ERROR: the OBJ File changed or could not be read meanwhile");
    }
    logEntry(m.log, "OBJ Data Loaded but not Verified!");
    logEntry(m.log, "File Closed.");
    logEntry(m.log, "Calculating Triangle Count from OBJ Face List");
    if (rd.skippedFaces > 0)
        logf(m.log, "Skipped %lld invalid OBJ Faces, the first at Line: %lld",
             static_cast<long long>(rd.skippedFaces), static_cast<long long>(rd.firstSkippedLine));

    if (rd.triangles == 0) {
        dropNewVertices(m, oldVertices, backing);
        logEntry(m.log, kNoTriangles);
        FileResult r = fileFailed(kNoTriangles, kImportFailed, path);
        if (rd.skippedFaces > 0) {
            char more[96];
            formatC(more, sizeof more, "\n%lld faces were skipped, the first on line %lld.",
                    static_cast<long long>(rd.skippedFaces),
                    static_cast<long long>(rd.firstSkippedLine));
            r.boxText += more;
        }
        return r;
    }
    const int64_t newVertexCount = static_cast<int64_t>(oldVertices) + 3 * rd.triangles;
    const int64_t newMeshCount = static_cast<int64_t>(m.meshes.size() + rd.meshes.size());
    if (rd.pastCountMax || newVertexCount > kCountMax || newMeshCount > kCountMax) {
        dropNewVertices(m, oldVertices, backing);
        return failImport(m, path, "ERROR: the model would grow past %lld vertices or meshes",
                          static_cast<long long>(kCountMax));
    }

    logCount(m, "OBJ Triangle Count: %lld", rd.triangles);
    logCount(m, "Expanding Global FW2 Vertex List to: %lld vertices", newVertexCount);
    try {
        m.meshes.reserve(static_cast<std::size_t>(newMeshCount));
        if (m.materials.empty()) m.materials.push_back(newModelMaterial());
    } catch (const std::bad_alloc&) {
        dropNewVertices(m, oldVertices, backing);
        return failImport(m, path, "%s", kNoMemory);
    }
    // Faces that fanned into fewer triangles than their words promised left backed room unused.
    releasePages(m.vertices.data() + m.vertices.size(),
                 (m.vertices.capacity() - m.vertices.size()) * sizeof(Vertex));
    logEntry(m.log, "Updating FW2 Vertex Data from OBJ triangles...");
    logEntry(m.log, "Reallocating Memory for FW2 MeshList");
    logCount(m, "New Global Mesh Count: %lld", newMeshCount);
    appendMeshes(m, rd, static_cast<int64_t>(oldVertices));
    logEntry(m.log, "Deleting Temporary Memory for OBJ Face List");
    m.currentMesh = 0;
    return fileSucceeded();
}

} // namespace

// ---- the import -------------------------------------------------------------------------

FileResult importObj(Model& m, const std::string& path) {
    const std::string directory = currentDirectory();
    logf(m.log, "Current Working Directory: %s", directory.c_str());
    logf(m.log, "Set Path to Model Directory: %s", directory.c_str());
    logf(m.log, "Opening OBJ File: %s", path.c_str());
    FILE* file = openRegularFile(path);
    struct stat st {};
    if (!file || ::fstat(::fileno(file), &st) != 0) {
        if (file) std::fclose(file);
        return failImport(m, path, "%s", kUnreadable);
    }
    ObjText text;
    text.fd = ::fileno(file);
    text.size = static_cast<std::size_t>(st.st_size);
    const FileResult r = importText(m, text, path);
    std::fclose(file);
    return r;
}

FileResult importObjData(Model& m, std::string data, const std::string& path) {
    ObjText text;
    text.bytes = &data;
    text.size = data.size();
    return importText(m, text, path);
}
