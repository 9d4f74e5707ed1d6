// Field scanning of the VTX, MSH, MAT and TEX records, and the record counting pass.
#include "model/record_scan.h"

#include "base/numbers.h"
#include "base/paths.h"

#include <cstdint>
#include <cstring>
#include <initializer_list>

const char* const kRecordTags[kRecordKinds] = {"VTX", "MSH", "MAT", "TEX"};
const char* const kRecordWords[kRecordKinds] = {"Vertex", "Mesh", "Material", "Texture"};

int recordKind(const Piece& p) {
    if (!p.firstOfLine || p.length < 3) return kRecordKinds;
    for (int k = 0; k < kRecordKinds; ++k)
        if (std::memcmp(p.text, kRecordTags[k], 3) == 0) return k;
    return kRecordKinds;
}

namespace {

bool startsWith(const Piece& p, const char* prefix) {
    const std::size_t n = std::strlen(prefix);
    return p.length >= n && std::memcmp(p.text, prefix, n) == 0;
}

// A line the readers skip that a model file may hold: a comment, a blank line, or the collision
// records the format's notes describe.
bool knownOtherLine(Piece p, bool firstLine) {
    if (firstLine && startsWith(p, "\xEF\xBB\xBF")) { // a byte-order mark some editors add
        p.text += 3;
        p.length -= 3;
    }
    if (startsWith(p, "//") || startsWith(p, "AABB") || startsWith(p, "COL")) return true;
    for (std::size_t i = 0; i < p.length; ++i)
        if (p.text[i] != ' ' && p.text[i] != '\t' && p.text[i] != '\r') return false;
    return true;
}

} // namespace

RecordCounts countRecords(const std::string& data) {
    RecordCounts c;
    LineReader r = lineReader(data);
    Piece p;
    while (nextPiece(r, p)) {
        ++c.lines;
        int kind = recordKind(p);
        if (kind < kRecordKinds)
            ++c.records[kind];
        else if (p.firstOfLine && startsWith(p, "2.6"))
            c.versionLine = true;
        else if (p.firstOfLine && c.firstForeignLine == 0 && !knownOtherLine(p, c.lines == 1))
            c.firstForeignLine = c.lines;
    }
    return c;
}

int overfullRecordKind(const RecordCounts& counts) {
    for (int k = 0; k < kRecordKinds; ++k)
        if (counts.records[k] > kRecordCountMax) return k;
    return kRecordKinds;
}

void logRecordCounts(const LogChannel& log, const RecordCounts& counts) {
    logEntry(log, "     Model File - Initial Parse OK");
    logf(log, "     Read: %lld Lines", static_cast<long long>(counts.lines));
    logf(log, "     Read: %lld Textures", static_cast<long long>(counts.records[kTextureRecord]));
    logf(log, "     Read: %lld Materials", static_cast<long long>(counts.records[kMaterialRecord]));
    logf(log, "     Found: %lld Meshes", static_cast<long long>(counts.records[kMeshRecord]));
    logf(log, "     Found: %lld Vertices", static_cast<long long>(counts.records[kVertexRecord]));
}

namespace {

// A record whose number does not scan (no digits, past int32) is out of every range.
constexpr int32_t kUnreadNumber = -1;

struct FieldScan {
    const char* p; // null once a field failed to match
};

const char* afterComma(const char* p) {
    return p ? scanChar(p, ',') : nullptr;
}
void scanField(FieldScan& s, int32_t& out) {
    const char* q = afterComma(s.p);
    s.p = q ? scanInt(q, out) : nullptr;
}
void scanField(FieldScan& s, float& out) {
    const char* q = afterComma(s.p);
    s.p = q ? scanFloat(q, out) : nullptr;
}
void scanField(FieldScan& s, std::string& out, std::size_t maxLen) {
    const char* q = afterComma(s.p);
    s.p = q ? scanWord(q, out, maxLen) : nullptr;
}
void scanFloats(FieldScan& s, std::initializer_list<float*> fields) {
    for (float* f : fields) scanField(s, *f);
}
void scanInts(FieldScan& s, std::initializer_list<int32_t*> fields) {
    for (int32_t* f : fields) scanField(s, *f);
}

} // namespace

int32_t scanVertexRecord(const char* line, Vertex& v) {
    FieldScan s{line + 3};
    int32_t number = kUnreadNumber;
    scanField(s, number);
    scanFloats(s, {&v.x, &v.y, &v.z, &v.textureX, &v.textureY, &v.colourRed, &v.colourGreen,
                   &v.colourBlue, &v.colourAlpha});
    return number;
}

int32_t scanMeshRecord(const char* line, Mesh& mesh) {
    FieldScan s{line + 3};
    int32_t number = kUnreadNumber, smooth = 0;
    scanInts(s, {&number, &mesh.firstVertex, &mesh.triangleCount, &mesh.MaterialNumber, &smooth});
    mesh.smooth = smooth >= 1;
    return number;
}

int32_t scanLegacyMeshRecord(const char* line, LegacyMesh& mesh) {
    FieldScan s{line + 3};
    int32_t number = kUnreadNumber;
    scanInts(s, {&number, &mesh.firstPoint, &mesh.width, &mesh.height, &mesh.material});
    return number;
}

int32_t scanMaterialRecord(const char* line, Material& mat) {
    FieldScan s{line + 3};
    int32_t number = kUnreadNumber, blend = 0, texture = 0, lighting = 0;
    scanField(s, number);
    scanFloats(s, {&mat.ambientRed, &mat.ambientGreen, &mat.ambientBlue, &mat.ambientAlpha,
                   &mat.diffuseRed, &mat.diffuseGreen, &mat.diffuseBlue, &mat.diffuseAlpha,
                   &mat.specularRed, &mat.specularGreen, &mat.specularBlue, &mat.specularAlpha,
                   &mat.emissionRed, &mat.emissionGreen, &mat.emissionBlue, &mat.emissionAlpha,
                   &mat.shininess});
    scanInts(s, {&blend, &mat.blendSrc, &mat.blendDst, &texture, &mat.TextureIndex, &lighting});
    scanFloats(s, {&mat.colourRed, &mat.colourGreen, &mat.colourBlue, &mat.colourAlpha});
    scanField(s, mat.name, kMaterialNameMax);
    mat.EnableBlend = blend == 1;
    mat.EnableTexture = texture == 1;
    mat.EnableLighting = lighting == 1;
    return number;
}

int32_t scanTextureRecord(const char* line, Texture& tex) {
    FieldScan s{line + 3};
    int32_t number = kUnreadNumber;
    scanField(s, number);
    scanField(s, tex.fileName, kTextureNameMax);
    tex.fileName = toSlashes(tex.fileName); // names written on Windows use '\'
    return number;
}
