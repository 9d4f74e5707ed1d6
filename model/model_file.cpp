// The model file (FW2): reading a file into a Model and writing a Model out.
//
// Sections: fixed texts; reader; writer.
#include "model/model_file.h"

#include "base/huge_pages.h"
#include "base/numbers.h"
#include "base/paths.h"
#include "base/safe_file.h"
#include "model/legacy_file.h"
#include "model/record_scan.h"
#include "model/text_lines.h"
#include "model/texture_rules.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <new>

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

// ---------------------------------------------------------------------------------------------
// Reader

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
    va_list args;
    va_start(args, format);
    vlogFailure(a.m.log, a.error, format, args);
    va_end(args);
    restoreDirectory(a);
    return false;
}

// The arrays being read; swapped into the Model only when the whole file has been checked.
struct NewArrays {
    std::vector<Vertex> vertices;
    std::vector<Mesh> meshes;
    std::vector<Material> materials;
    std::vector<Texture> textures;
};

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
    if (!readModelData(m, std::move(data), error)) {
        restoreDirectory(a);
        return false;
    }
    // Keep the name valid for Save now that the current directory may have moved.
    m.fileName = path;
    m.textureFolder = folderOf(path);
    m.currentMesh = 0;
    return true;
}

bool readModelData(Model& m, std::string data, std::string* error) {
    const RecordCounts counts = countRecords(data);
    if (!counts.versionLine) return readLegacyModelData(m, data, error);
    const char* name = m.fileName.c_str();
    const int overfull = overfullRecordKind(counts);
    if (overfull < kRecordKinds)
        return logFailure(m.log, error, "ERROR: %s - more than %lld %s records", name,
                          static_cast<long long>(kRecordCountMax), kRecordTags[overfull]);
    logRecordCounts(m.log, counts);
    logEntry(m.log, "Allocating Memory for Model Data");

    NewArrays fresh;
    try {
        reserveOnHugePages(fresh.vertices, static_cast<std::size_t>(counts.records[kVertexRecord]));
        fresh.vertices.resize(static_cast<std::size_t>(counts.records[kVertexRecord]));
        fresh.meshes.resize(static_cast<std::size_t>(counts.records[kMeshRecord]));
        fresh.materials.resize(static_cast<std::size_t>(counts.records[kMaterialRecord]));
        fresh.textures.resize(static_cast<std::size_t>(counts.records[kTextureRecord]));
    } catch (const std::bad_alloc&) {
        return logFailure(m.log, error, "ERROR: %s - not enough memory for the model", name);
    }

    logEntry(m.log, "Reading File Data");
    int badKind = 0;
    auto placeMesh = [&fresh](const char* text) {
        Mesh mesh;
        return placeAt(fresh.meshes, scanMeshRecord(text, mesh), mesh);
    };
    if (int64_t badLine =
            placeRecords(data, fresh.vertices, fresh.materials, fresh.textures, placeMesh, badKind))
        return logFailure(m.log, error, "ERROR: %s : Line: %lld - Invalid %s number", name,
                          static_cast<long long>(badLine), kRecordWords[badKind]);

    // Every later user indexes vertices and materials through the meshes: check them once here.
    const int64_t vertexTotal = static_cast<int64_t>(fresh.vertices.size());
    const int64_t materialTotal = static_cast<int64_t>(fresh.materials.size());
    for (std::size_t i = 0; i < fresh.meshes.size(); ++i) {
        const Mesh& mesh = fresh.meshes[i];
        const int64_t end = static_cast<int64_t>(mesh.firstVertex) + 3LL * mesh.triangleCount;
        if (mesh.firstVertex < 0 || mesh.triangleCount < 0 || end > vertexTotal)
            return logFailure(m.log, error,
                              "ERROR: %s : Mesh %lld - vertex range outside the model", name,
                              static_cast<long long>(i));
        if (mesh.MaterialNumber < 0 || mesh.MaterialNumber >= materialTotal)
            return logFailure(m.log, error, "ERROR: %s : Mesh %lld - Invalid Material number", name,
                              static_cast<long long>(i));
    }

    logEntry(m.log, "Data import success!");
    logEntry(m.log, "File Closed.  LoadOK set to TRUE");
    m.vertices.swap(fresh.vertices);
    m.meshes.swap(fresh.meshes);
    m.materials.swap(fresh.materials);
    m.textures.swap(fresh.textures);
    m.LoadOK = true;
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

namespace {

// The text goes out in pieces of about kChunk bytes through flush, so a save of a large model
// reuses one small buffer instead of touching fresh memory for the whole file.
constexpr std::size_t kChunk = 1 << 20;

// The texture names as the file stores them; names holds them when they differ from the
// model's (a file in another folder than the one the names are relative to).
template <class Records>
const std::string& storedTextureName(const Records& m, const std::vector<std::string>& names,
                                     std::size_t i) {
    return names.empty() ? m.textures[i].fileName : names[i];
}

// m is a Model or ModelRecords: only the four record arrays are read.
template <class Records, class Flush>
bool emitModelFile(const Records& m, const std::vector<std::string>& textureNames, std::string& out,
                   Flush flush) {
    auto full = [&] {
        if (out.size() < kChunk) return true;
        const bool ok = flush(out);
        out.clear();
        return ok;
    };
    for (const char* line : kHeaderTop) appendLine(out, line);
    out += kHeaderHostLead;
    out += kProductHost;
    appendLine(out, " ");
    for (const char* line : kHeaderRest) appendLine(out, line);

    for (std::size_t i = 0; i < m.textures.size(); ++i) {
        out += "TEX,";
        appendInt(out, static_cast<long long>(i));
        out += ',';
        appendLine(out, storedTextureName(m, textureNames, i).c_str());
        if (!full()) return false;
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
        if (!full()) return false;
    }
    for (std::size_t i = 0; i < m.meshes.size(); ++i) {
        const Mesh& k = m.meshes[i];
        out += "MSH";
        appendInts(out, {static_cast<long long>(i), k.firstVertex, k.triangleCount,
                         k.MaterialNumber, k.smooth ? 1 : 0});
        out += '\n';
        if (!full()) return false;
    }
    for (std::size_t i = 0; i < m.vertices.size(); ++i) {
        const Vertex& v = m.vertices[i];
        out += "VTX,";
        appendInt(out, static_cast<long long>(i));
        appendFloats(out, {v.x, v.y, v.z, v.textureX, v.textureY, v.colourRed, v.colourGreen,
                           v.colourBlue, v.colourAlpha});
        out += '\n';
        if (!full()) return false;
    }
    for (const char* line : kTrailer) appendLine(out, line);
    return flush(out);
}

// The texture names a file at path stores, or none when they are the model's own.
std::vector<std::string> textureNamesFor(const Model& m, const std::string& path) {
    std::vector<std::string> names;
    if (m.textureFolder.empty()) return names;
    const std::string& from = m.textureFolder;
    const std::string to = folderOf(absolutePath(path));
    bool moved = false;
    names.reserve(m.textures.size());
    for (const Texture& t : m.textures) {
        names.push_back(rebasedTextureName(t.fileName, from, to));
        moved = moved || names.back() != t.fileName;
    }
    if (!moved) names.clear();
    return names;
}

} // namespace

namespace {

constexpr uint64_t kStampSeed = 14695981039346656037ull;

// One 64-bit word into a running hash: a multiply, a rotation and a multiply per word.
uint64_t mixWord(uint64_t h, uint64_t v) {
    h ^= v * 0x9E3779B97F4A7C15ull;
    h = (h << 27 | h >> 37) * 0xC2B2AE3D27D4EB4Full;
    return h + 0x165667B19E3779F9ull;
}

// The text is hashed piece by piece as it is emitted, so the stamp never needs the whole text;
// every caller emits the same pieces, so equal texts give equal stamps.
void stampBytes(uint64_t& h, const std::string& bytes) {
    const char* p = bytes.data();
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t word;
        std::memcpy(&word, p + i, 8);
        h = mixWord(h, word);
    }
    uint64_t tail = n;
    for (; i < n; ++i) tail = tail << 8 | static_cast<unsigned char>(p[i]);
    h = mixWord(h, tail);
}

// Emits the file's pieces into out and stamp, each when given: one pass serves the text, the
// stamp or both.
template <class Records> void emitInto(const Records& m, std::string* out, uint64_t* stamp) {
    std::string chunk;
    chunk.reserve(kChunk + 4096);
    uint64_t h = kStampSeed;
    emitModelFile(m, {}, chunk, [&](const std::string& piece) {
        if (out) *out += piece;
        if (stamp) stampBytes(h, piece);
        return true;
    });
    if (stamp) *stamp = h;
}

template <class Records> std::string fileText(const Records& m, uint64_t* stamp) {
    std::string out;
    std::size_t estimate =
        2048 + m.vertices.size() * 110 + m.meshes.size() * 48 + m.materials.size() * 400;
    for (const Texture& t : m.textures) estimate += t.fileName.size() + 24;
    out.reserve(estimate);
    emitInto(m, &out, stamp);
    return out;
}

} // namespace

std::string modelFileText(const Model& m) {
    return fileText(m, nullptr);
}

void copyModelRecords(const Model& m, ModelRecords& out) {
    out.vertices = m.vertices;
    out.meshes = m.meshes;
    out.materials = m.materials;
    out.textures = m.textures;
}

std::string recordsFileText(const ModelRecords& r, uint64_t* stamp) {
    return fileText(r, stamp);
}

uint64_t modelFileStamp(const Model& m) {
    uint64_t h = 0;
    emitInto(m, nullptr, &h);
    return h;
}

namespace {

// The stored fields' bits as 64-bit words: far cheaper than formatting the text.
struct Digest {
    uint64_t h = kStampSeed;
    void add(uint64_t v) { h = mixWord(h, v); }
    void add(float a, float b) {
        uint32_t x, y;
        std::memcpy(&x, &a, 4);
        std::memcpy(&y, &b, 4);
        add(static_cast<uint64_t>(x) << 32 | y);
    }
    void add(const std::string& s) {
        add(s.size());
        for (unsigned char c : s) add(c);
    }
};

} // namespace

uint64_t modelRecordsDigest(const Model& m) {
    Digest d;
    d.add(m.vertices.size());
    for (const Vertex& v : m.vertices) {
        d.add(v.x, v.y);
        d.add(v.z, v.textureX);
        d.add(v.textureY, v.colourRed);
        d.add(v.colourGreen, v.colourBlue);
        d.add(v.colourAlpha, 0.0f);
    }
    d.add(m.meshes.size());
    for (const Mesh& k : m.meshes) {
        d.add(static_cast<uint64_t>(static_cast<uint32_t>(k.firstVertex)) << 32 |
              static_cast<uint32_t>(k.triangleCount));
        d.add(static_cast<uint64_t>(static_cast<uint32_t>(k.MaterialNumber)) << 1 | k.smooth);
    }
    d.add(m.materials.size());
    for (const Material& t : m.materials) {
        d.add(t.name);
        d.add(t.colourRed, t.colourGreen);
        d.add(t.colourBlue, t.colourAlpha);
        d.add(t.ambientRed, t.ambientGreen);
        d.add(t.ambientBlue, t.ambientAlpha);
        d.add(t.diffuseRed, t.diffuseGreen);
        d.add(t.diffuseBlue, t.diffuseAlpha);
        d.add(t.specularRed, t.specularGreen);
        d.add(t.specularBlue, t.specularAlpha);
        d.add(t.emissionRed, t.emissionGreen);
        d.add(t.emissionBlue, t.emissionAlpha);
        d.add(t.shininess, 0.0f);
        d.add(static_cast<uint64_t>(static_cast<uint32_t>(t.blendSrc)) << 32 |
              static_cast<uint32_t>(t.blendDst));
        d.add(static_cast<uint64_t>(static_cast<uint32_t>(t.TextureIndex)) << 3 |
              (t.EnableBlend ? 4u : 0u) | (t.EnableTexture ? 2u : 0u) |
              (t.EnableLighting ? 1u : 0u));
    }
    d.add(m.textures.size());
    for (const Texture& t : m.textures) d.add(t.fileName);
    return d.h;
}

void markModelSaved(Model& m) {
    m.savedStamp = modelFileStamp(m);
    m.hasSavedStamp = true;
    m.markedChanged = false;
}

void markModelChanged(Model& m) {
    m.markedChanged = true;
}

bool modelChanged(const Model& m) {
    if (m.markedChanged) return true;
    return m.hasSavedStamp && modelFileStamp(m) != m.savedStamp;
}

bool writeModelFile(const Model& m, std::string* error) {
    return writeModelFileAs(m, m.fileName, error);
}

bool writeModelFileAs(const Model& m, const std::string& path, std::string* error) {
    logEntry(m.log, "Opening Model File for Saving");
    logEntry(m.log, path);
    std::string why;
    SafeFile sf;
    std::string chunk;
    chunk.reserve(kChunk + 4096);
    bool ok = safeFileOpen(sf, path) &&
              emitModelFile(m, textureNamesFor(m, path), chunk,
                            [&](const std::string& piece) {
                                return safeFileWrite(sf, piece.data(), piece.size());
                            }) &&
              safeFileCommit(sf);
    if (!ok) {
        safeFileAbandon(sf);
        why = safeFileError(sf);
        static const char* const kFailed = "Failed to Open File for Saving!";
        // The reason tells a full disk from a read-only file; the old file is still there.
        if (!why.empty()) logEntry(m.log, "Saving failed: " + why);
        logEntry(m.log, kFailed);
        if (error) *error = why.empty() ? std::string(kFailed) : kFailed + ("\n" + why);
        return false;
    }
    return true;
}
