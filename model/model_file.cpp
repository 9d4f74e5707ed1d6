// The model file (FW2): reading a file into a Model and writing a Model out.
//
// Sections: fixed texts; line pieces; record scanning; reader; writer.
#include "model/model_file.h"

#include "base/numbers.h"
#include "base/paths.h"
#include "base/safe_file.h"
#include "model/legacy_file.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <new>
#include <sys/stat.h>

const char* const kProductHost = "facetwright.example.org";

namespace {

// ---------------------------------------------------------------------------------------------
// Fixed texts

const char* const kHeaderTop[] = {"// ", "//    Facetwright v2.x Model File", "// "};
const char* const kHeaderHostLead = "// For more information visit ";
const char* const kHeaderRest[] = {
    "// ",
    "// ",
    "// Format Notes ",
    "// ",
    "// Textures:      TEX,TextureNumber,(STR)FileName ",
    "// Materials:     MAT,MaterialNumber, AmbientRed, Green, Blue, Alpha, DiffuseRed, Green, "
    "Blue, Alpha, SpecularRed, Green, Blue, Alpha, EmissionRed, Green, Blue, Alpha, EnableBlend, "
    "BlendFunc(SRC), BlendFunc(DST), EnableTexture, TextureIndex, EnableLighting, Colour Red, "
    "Green, Blue, Alpha, Material Name",
    "// Meshes:        MSH,MeshNumber,VertexWidth, VertexHeight, MaterialNumber",
    "// Vertices:      VTX,VertexNumer, X, Y, Z, Texture X, Texture Y, Colour Red, Green, Blue, "
    "Alpha",
    "// ",
    "// Collision Box Definition:",
    "// ",
    "// Axis Aligned Bounding Box:     AABB, Enabled, (float) Size (from Centre to each face.  "
    "Always a cube!)",
    "// Collision Boc Definition:      COL,CollisionBoxNumber, x1, y1, z1, x2, y2, z2",
    "// ",
    "2.6x VERSION ",
    "// ",
};
static_assert(sizeof kHeaderTop / sizeof kHeaderTop[0] + 1 +
                      sizeof kHeaderRest / sizeof kHeaderRest[0] ==
                  20,
              "the header has 20 lines");
const char* const kTrailer[] = {"// ", "// END OF MODEL FILE ", "// "};

enum RecordKind { kVertexRecord, kMeshRecord, kMaterialRecord, kTextureRecord, kRecordKinds };
// Tags as they open a line, and the words of the "Invalid ... number" messages.
const char* const kRecordTags[] = {"VTX", "MSH", "MAT", "TEX"};
const char* const kRecordWords[] = {"Vertex", "Mesh", "Material", "Texture"};
static_assert(sizeof kRecordTags / sizeof kRecordTags[0] == kRecordKinds, "one tag per kind");
static_assert(sizeof kRecordWords / sizeof kRecordWords[0] == kRecordKinds, "one word per kind");

constexpr int64_t kRecordCountMax = INT32_MAX;

// ---------------------------------------------------------------------------------------------
// Line pieces
//
// Lines are taken as a fixed 1024-character line buffer takes them: a line longer than 1023
// characters comes in several pieces, and a line of a multiple of 1023 characters is followed by
// an empty piece for its line end. Only a line's first piece can be a record. "\r\n" ends a line
// like "\n".

constexpr std::size_t kPieceMax = 1023;

struct LineReader {
    const char* pos = nullptr;
    const char* end = nullptr;
    const char* contentEnd = nullptr; // current line without its line end; null between lines
    const char* next = nullptr;       // start of the following line
    bool hasLineEnd = false;
};

struct Piece {
    const char* text = nullptr;
    std::size_t length = 0;
    bool firstOfLine = false;
};

bool nextPiece(LineReader& r, Piece& out) {
    bool first = false;
    if (!r.contentEnd) {
        if (r.pos == r.end) return false;
        const char* nl =
            static_cast<const char*>(std::memchr(r.pos, '\n', static_cast<size_t>(r.end - r.pos)));
        r.hasLineEnd = nl != nullptr;
        r.next = nl ? nl + 1 : r.end;
        r.contentEnd = nl ? nl : r.end;
        if (nl && nl > r.pos && nl[-1] == '\r') r.contentEnd = nl - 1;
        first = true;
    }
    std::size_t remaining = static_cast<std::size_t>(r.contentEnd - r.pos);
    if (remaining == 0 && !first && !r.hasLineEnd) { // a cut line ended the file exactly
        r.contentEnd = nullptr;
        r.pos = r.next;
        return false;
    }
    out.text = r.pos;
    out.firstOfLine = first;
    if (remaining >= kPieceMax) {
        out.length = kPieceMax;
        r.pos += kPieceMax;
        return true;
    }
    out.length = remaining;
    r.pos = r.next;
    r.contentEnd = nullptr;
    return true;
}

// The record kind of a piece, or kRecordKinds for anything else.
int recordKind(const Piece& p) {
    if (!p.firstOfLine || p.length < 3) return kRecordKinds;
    for (int k = 0; k < kRecordKinds; ++k)
        if (std::memcmp(p.text, kRecordTags[k], 3) == 0) return k;
    return kRecordKinds;
}

bool isVersionLine(const Piece& p) {
    return p.firstOfLine && p.length >= 3 && std::memcmp(p.text, "2.6", 3) == 0;
}

// ---------------------------------------------------------------------------------------------
// Record scanning
//
// Each record is "<tag>,field,field,..." scanned in the manner of sscanf: once a field fails to
// match, no later field is read and every field not read keeps the value it had. Fields a short
// VTX line lacks therefore keep the vertex initialiser's values (colour 1, 1, 1, 0.5); the other
// records start from zero, so their missing fields are 0 (a missing name is empty). The record
// number itself is 0 when it cannot be read.

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

int32_t scanVertex(const char* line, Vertex& v) {
    FieldScan s{line + 3};
    int32_t number = 0;
    scanField(s, number);
    scanFloats(s, {&v.x, &v.y, &v.z, &v.textureX, &v.textureY, &v.colourRed, &v.colourGreen,
                   &v.colourBlue, &v.colourAlpha});
    return number;
}

int32_t scanMesh(const char* line, Mesh& mesh) {
    FieldScan s{line + 3};
    int32_t number = 0, smooth = 0;
    scanField(s, number);
    scanField(s, mesh.firstVertex);
    scanField(s, mesh.triangleCount);
    scanField(s, mesh.MaterialNumber);
    scanField(s, smooth);
    mesh.smooth = smooth >= 1;
    return number;
}

int32_t scanMaterial(const char* line, Material& mat) {
    FieldScan s{line + 3};
    int32_t number = 0, blend = 0, texture = 0, lighting = 0;
    scanField(s, number);
    scanFloats(s, {&mat.ambientRed, &mat.ambientGreen, &mat.ambientBlue, &mat.ambientAlpha,
                   &mat.diffuseRed, &mat.diffuseGreen, &mat.diffuseBlue, &mat.diffuseAlpha,
                   &mat.specularRed, &mat.specularGreen, &mat.specularBlue, &mat.specularAlpha,
                   &mat.emissionRed, &mat.emissionGreen, &mat.emissionBlue, &mat.emissionAlpha,
                   &mat.shininess});
    scanField(s, blend);
    scanField(s, mat.blendSrc);
    scanField(s, mat.blendDst);
    scanField(s, texture);
    scanField(s, mat.TextureIndex);
    scanField(s, lighting);
    scanFloats(s, {&mat.colourRed, &mat.colourGreen, &mat.colourBlue, &mat.colourAlpha});
    scanField(s, mat.name, kMaterialNameMax);
    mat.EnableBlend = blend == 1;
    mat.EnableTexture = texture == 1;
    mat.EnableLighting = lighting == 1;
    return number;
}

int32_t scanTexture(const char* line, Texture& tex) {
    FieldScan s{line + 3};
    int32_t number = 0;
    scanField(s, number);
    scanField(s, tex.fileName, kTextureNameMax);
    tex.fileName = toSlashes(tex.fileName); // names written on Windows use '\'
    return number;
}

// ---------------------------------------------------------------------------------------------
// Reader

bool readWholeFile(const std::string& path, std::string& out) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    struct stat st {};
    if (::fstat(::fileno(f), &st) != 0 || S_ISDIR(st.st_mode)) {
        std::fclose(f);
        return false;
    }
    bool ok = true;
    try {
        std::size_t used = 0;
        out.resize(S_ISREG(st.st_mode) ? static_cast<std::size_t>(st.st_size) + 1 : 65536);
        for (;;) {
            if (used == out.size()) out.resize(out.size() * 2);
            std::size_t n = std::fread(&out[used], 1, out.size() - used, f);
            used += n;
            if (n == 0) break;
        }
        ok = !std::ferror(f);
        out.resize(used);
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    std::fclose(f);
    return ok;
}

// One load in progress: where to report, and the directory to go back to if it fails.
struct LoadAttempt {
    Model& m;
    std::string* error;
    std::string previousDirectory;
    bool moved = false;
};

void restoreDirectory(LoadAttempt& a) {
    if (a.moved && !a.previousDirectory.empty()) setCurrentDirectory(a.previousDirectory);
    a.moved = false;
}

bool failLoad(LoadAttempt& a, const char* format, ...) __attribute__((format(printf, 2, 3)));
bool failLoad(LoadAttempt& a, const char* format, ...) {
    char text[kLogEntryMax + 1];
    va_list args;
    va_start(args, format);
    vformatC(text, sizeof text, format, args);
    va_end(args);
    logEntry(a.m.log, text);
    if (a.error) *a.error = text;
    restoreDirectory(a);
    return false;
}

struct FirstPass {
    int64_t lines = 0;
    int64_t records[kRecordKinds] = {};
    bool versionLine = false;
};

FirstPass countLines(const std::string& data) {
    FirstPass c;
    LineReader r{data.data(), data.data() + data.size()};
    Piece p;
    while (nextPiece(r, p)) {
        ++c.lines;
        int kind = recordKind(p);
        if (kind < kRecordKinds)
            ++c.records[kind];
        else if (isVersionLine(p))
            c.versionLine = true;
    }
    return c;
}

// The arrays being read; swapped into the Model only when the whole file has been checked.
struct NewArrays {
    std::vector<Vertex> vertices;
    std::vector<Mesh> meshes;
    std::vector<Material> materials;
    std::vector<Texture> textures;
};

// Places every record by its number; returns the line number of the first record whose number
// is out of range together with its kind, or 0 when all were placed.
int64_t placeRecords(const std::string& data, NewArrays& a, int& badKind) {
    LineReader r{data.data(), data.data() + data.size()};
    Piece p;
    char line[kPieceMax + 1];
    int64_t lineNumber = 0;
    while (nextPiece(r, p)) {
        ++lineNumber;
        int kind = recordKind(p);
        if (kind == kRecordKinds) continue;
        // A terminated copy, so no field scan can run on into the next line.
        std::memcpy(line, p.text, p.length);
        line[p.length] = '\0';
        int32_t n = 0;
        bool inRange = false;
        switch (kind) {
        case kVertexRecord: {
            Vertex v;
            n = scanVertex(line, v);
            if ((inRange = n >= 0 && n < static_cast<int64_t>(a.vertices.size())))
                a.vertices[n] = v;
            break;
        }
        case kMeshRecord: {
            Mesh mesh;
            n = scanMesh(line, mesh);
            if ((inRange = n >= 0 && n < static_cast<int64_t>(a.meshes.size()))) a.meshes[n] = mesh;
            break;
        }
        case kMaterialRecord: {
            Material mat;
            n = scanMaterial(line, mat);
            if ((inRange = n >= 0 && n < static_cast<int64_t>(a.materials.size())))
                a.materials[n] = std::move(mat);
            break;
        }
        case kTextureRecord: {
            Texture tex;
            n = scanTexture(line, tex);
            if ((inRange = n >= 0 && n < static_cast<int64_t>(a.textures.size())))
                a.textures[n] = std::move(tex);
            break;
        }
        }
        if (!inRange) {
            badKind = kind;
            return lineNumber;
        }
    }
    return 0;
}

} // namespace

bool readModelFile(Model& m, std::string* error) {
    LoadAttempt a{m, error, currentDirectory()};
    m.useInitialDirectory = false;
    logf(m.log, "Current Working Directory: %s", a.previousDirectory.c_str());

    // A relative name is taken against the directory current before the move below.
    const std::string path = (m.fileName.empty() || m.fileName[0] == '/')
                                 ? m.fileName
                                 : a.previousDirectory + m.fileName;
    if (m.loadWithoutDialog) {
        const std::string folder = folderOf(path);
        if (!folder.empty()) a.moved = setCurrentDirectory(folder);
        m.loadWithoutDialog = false;
    }
    logf(m.log, "Set Path to Model Directory: %s", currentDirectory().c_str());

    logf(m.log, "Opening Model File: %s", m.fileName.c_str());
    std::string data;
    if (!readWholeFile(path, data)) return failLoad(a, "ERROR: Failed to open Model File");

    const FirstPass counts = countLines(data);
    if (!counts.versionLine) {
        data.clear();
        if (readLegacyModelFile(m, error)) return true;
        restoreDirectory(a);
        return false;
    }
    for (int k = 0; k < kRecordKinds; ++k)
        if (counts.records[k] > kRecordCountMax)
            return failLoad(a, "ERROR: %s - more than %lld %s records", m.fileName.c_str(),
                            static_cast<long long>(kRecordCountMax), kRecordTags[k]);

    logEntry(m.log, "     Model File - Initial Parse OK");
    logf(m.log, "     Read: %lld Lines", static_cast<long long>(counts.lines));
    logf(m.log, "     Read: %lld Textures", static_cast<long long>(counts.records[kTextureRecord]));
    logf(m.log, "     Read: %lld Materials",
         static_cast<long long>(counts.records[kMaterialRecord]));
    logf(m.log, "     Found: %lld Meshes", static_cast<long long>(counts.records[kMeshRecord]));
    logf(m.log, "     Found: %lld Vertices", static_cast<long long>(counts.records[kVertexRecord]));
    logEntry(m.log, "Allocating Memory for Model Data");

    NewArrays fresh;
    try {
        fresh.vertices.resize(static_cast<std::size_t>(counts.records[kVertexRecord]));
        fresh.meshes.resize(static_cast<std::size_t>(counts.records[kMeshRecord]));
        fresh.materials.resize(static_cast<std::size_t>(counts.records[kMaterialRecord]));
        fresh.textures.resize(static_cast<std::size_t>(counts.records[kTextureRecord]));
    } catch (const std::bad_alloc&) {
        return failLoad(a, "ERROR: %s - not enough memory for the model", m.fileName.c_str());
    }

    logEntry(m.log, "Reading File Data");
    int badKind = 0;
    if (int64_t badLine = placeRecords(data, fresh, badKind))
        return failLoad(a, "ERROR: %s : Line: %lld - Invalid %s number", m.fileName.c_str(),
                        static_cast<long long>(badLine), kRecordWords[badKind]);

    // Every later user indexes vertices and materials through the meshes: check them once here.
    const int64_t vertexTotal = static_cast<int64_t>(fresh.vertices.size());
    const int64_t materialTotal = static_cast<int64_t>(fresh.materials.size());
    for (std::size_t i = 0; i < fresh.meshes.size(); ++i) {
        const Mesh& mesh = fresh.meshes[i];
        const int64_t end = static_cast<int64_t>(mesh.firstVertex) + 3LL * mesh.triangleCount;
        if (mesh.firstVertex < 0 || mesh.triangleCount < 0 || end > vertexTotal)
            return failLoad(a, "ERROR: %s : Mesh %lld - vertex range outside the model",
                            m.fileName.c_str(), static_cast<long long>(i));
        if (mesh.MaterialNumber < 0 || mesh.MaterialNumber >= materialTotal)
            return failLoad(a, "ERROR: %s : Mesh %lld - Invalid Material number",
                            m.fileName.c_str(), static_cast<long long>(i));
    }

    logEntry(m.log, "Data import success!");
    logEntry(m.log, "File Closed.  LoadOK set to TRUE");
    m.vertices.swap(fresh.vertices);
    m.meshes.swap(fresh.meshes);
    m.materials.swap(fresh.materials);
    m.textures.swap(fresh.textures);
    // Keep the name valid for Save now that the current directory may have moved.
    m.fileName = path;
    m.LoadOK = true;
    m.currentMesh = 0;
    return true;
}

// ---------------------------------------------------------------------------------------------
// Writer

namespace {

void appendLine(std::string& out, const char* text) {
    out += text;
    out += '\n';
}
void appendFloats(std::string& out, std::initializer_list<float> values) {
    for (float v : values) {
        out += ',';
        appendFixed6(out, v);
    }
}
void appendInts(std::string& out, std::initializer_list<long long> values) {
    for (long long v : values) {
        out += ',';
        appendInt(out, v);
    }
}

} // namespace

std::string modelFileText(const Model& m) {
    std::string out;
    std::size_t estimate =
        2048 + m.vertices.size() * 110 + m.meshes.size() * 48 + m.materials.size() * 400;
    for (const Texture& t : m.textures) estimate += t.fileName.size() + 24;
    out.reserve(estimate);

    for (const char* line : kHeaderTop) appendLine(out, line);
    out += kHeaderHostLead;
    out += kProductHost;
    appendLine(out, " ");
    for (const char* line : kHeaderRest) appendLine(out, line);

    for (std::size_t i = 0; i < m.textures.size(); ++i) {
        out += "TEX,";
        appendInt(out, static_cast<long long>(i));
        out += ',';
        appendLine(out, m.textures[i].fileName.c_str());
    }
    for (std::size_t i = 0; i < m.materials.size(); ++i) {
        const Material& t = m.materials[i];
        out += "MAT,";
        appendInt(out, static_cast<long long>(i));
        appendFloats(out,
                     {t.ambientRed, t.ambientGreen, t.ambientBlue, t.ambientAlpha, t.diffuseRed,
                      t.diffuseGreen, t.diffuseBlue, t.diffuseAlpha, t.specularRed, t.specularGreen,
                      t.specularBlue, t.specularAlpha, t.emissionRed, t.emissionGreen,
                      t.emissionBlue, t.emissionAlpha, t.shininess});
        appendInts(out, {t.EnableBlend ? 1 : 0, t.blendSrc, t.blendDst, t.EnableTexture ? 1 : 0,
                         t.TextureIndex, t.EnableLighting ? 1 : 0});
        appendFloats(out, {t.colourRed, t.colourGreen, t.colourBlue, t.colourAlpha});
        out += ',';
        appendLine(out, t.name.c_str());
    }
    for (std::size_t i = 0; i < m.meshes.size(); ++i) {
        const Mesh& k = m.meshes[i];
        out += "MSH";
        appendInts(out, {static_cast<long long>(i), k.firstVertex, k.triangleCount,
                         k.MaterialNumber, k.smooth ? 1 : 0});
        out += '\n';
    }
    for (std::size_t i = 0; i < m.vertices.size(); ++i) {
        const Vertex& v = m.vertices[i];
        out += "VTX,";
        appendInt(out, static_cast<long long>(i));
        appendFloats(out, {v.x, v.y, v.z, v.textureX, v.textureY, v.colourRed, v.colourGreen,
                           v.colourBlue, v.colourAlpha});
        out += '\n';
    }
    for (const char* line : kTrailer) appendLine(out, line);
    return out;
}

bool writeModelFile(const Model& m, std::string* error) {
    logEntry(m.log, "Opening Model File for Saving");
    logEntry(m.log, m.fileName);
    if (!writeFileSafely(m.fileName, modelFileText(m))) {
        static const char* const kFailed = "Failed to Open File for Saving!";
        logEntry(m.log, kFailed);
        if (error) *error = kFailed;
        return false;
    }
    return true;
}
