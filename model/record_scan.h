// The records shared by the model file and its legacy variant: line kinds, field scanning and
// the two reading passes.
#pragma once

#include "model/model.h"
#include "model/text_lines.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

enum RecordKind { kVertexRecord, kMeshRecord, kMaterialRecord, kTextureRecord, kRecordKinds };
// Tags as they open a line, and the words of the "Invalid ... number" messages.
extern const char* const kRecordTags[kRecordKinds];
extern const char* const kRecordWords[kRecordKinds];

// The record kind of a piece by its first three characters, or kRecordKinds for anything else
// (only a line's first piece can be a record).
int recordKind(const Piece& p);

// Each scanner reads "<tag>,number,field,..." in the manner of sscanf: once a field fails to
// match no later field is read, and every field not read keeps the value it had. The record
// number comes back (-1, out of every range, when it cannot be read); line is NUL-terminated.
int32_t scanVertexRecord(const char* line, Vertex& v);
int32_t scanMeshRecord(const char* line, Mesh& mesh);
int32_t scanMaterialRecord(const char* line, Material& mat);
int32_t scanTextureRecord(const char* line, Texture& tex);

// The legacy mesh record: "MSH,number,first grid point,width,height,material".
struct LegacyMesh {
    int32_t firstPoint = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t material = 0;
};
int32_t scanLegacyMeshRecord(const char* line, LegacyMesh& mesh);

// ---- The two passes of a reader ----

// Record numbers and counts are int32 in memory; a file with more records of a kind is refused.
constexpr int64_t kRecordCountMax = INT32_MAX;

struct RecordCounts {
    int64_t lines = 0; // pieces, as the error messages number lines
    int64_t records[kRecordKinds] = {};
    bool versionLine = false; // a line opens with "2.6", which only the current format writes
    // The first line that is no record, version line, comment ("//"), blank line or the "AABB"
    // and "COL" lines of the format's notes; 0 when every line is one of those. A file without a
    // version line is a model file only when this is 0 and it holds a record.
    int64_t firstForeignLine = 0;
};
RecordCounts countRecords(const std::string& data);
// The kind of the first count over kRecordCountMax, or kRecordKinds when none is.
int overfullRecordKind(const RecordCounts& counts);
// "     Model File - Initial Parse OK", then the lines and the records of each kind.
void logRecordCounts(const LogChannel& log, const RecordCounts& counts);

template <typename T> bool isIndexOf(int32_t n, const std::vector<T>& table) {
    return n >= 0 && static_cast<std::size_t>(n) < table.size();
}
// Moves value to table[n] when n indexes the table; says whether it did.
template <typename T> bool placeAt(std::vector<T>& table, int32_t n, T& value) {
    if (!isIndexOf(n, table)) return false;
    table[static_cast<std::size_t>(n)] = std::move(value);
    return true;
}

// Places every vertex, material and texture record by its number, and hands each mesh record's
// NUL-terminated text to placeMesh, which places it and says whether it could (the two formats
// differ only there). Returns the line of the first record that would not go, with its kind in
// badKind, or 0 when all did.
template <typename PlaceMesh>
int64_t placeRecords(const std::string& data, std::vector<Vertex>& vertices,
                     std::vector<Material>& materials, std::vector<Texture>& textures,
                     PlaceMesh placeMesh, int& badKind) {
    LineReader r = lineReader(data);
    Piece p;
    PieceText line;
    int64_t lineNumber = 0;
    while (nextPiece(r, p)) {
        ++lineNumber;
        const int kind = recordKind(p);
        if (kind == kRecordKinds) continue;
        copyPiece(p, line, false);
        bool placed = false;
        switch (kind) {
        case kVertexRecord: {
            Vertex v;
            placed = placeAt(vertices, scanVertexRecord(line.text, v), v);
            break;
        }
        case kMeshRecord:
            placed = placeMesh(static_cast<const char*>(line.text));
            break;
        case kMaterialRecord: {
            Material mat;
            placed = placeAt(materials, scanMaterialRecord(line.text, mat), mat);
            break;
        }
        case kTextureRecord: {
            Texture tex;
            placed = placeAt(textures, scanTextureRecord(line.text, tex), tex);
            break;
        }
        }
        if (!placed) {
            badKind = kind;
            return lineNumber;
        }
    }
    return 0;
}
