// The records shared by the model file and its legacy variant: line kinds and field scanning.
#pragma once

#include "model/model.h"
#include "model/text_lines.h"

#include <cstdint>

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
