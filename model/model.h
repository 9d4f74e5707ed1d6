// The model and its four record kinds: vertices, meshes, materials, textures.
//
// Geometry is a plain triangle list: triangle k owns vertices 3k, 3k+1, 3k+2. A mesh is a run of
// whole triangles drawn with one material. Record positions are the indices every
// cross-reference and every file format uses.
#pragma once

#include "base/log.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct Vertex {
    float x = 0, y = 0, z = 0;
    float normalX = 0, normalY = 0, normalZ = 0;
    float textureX = 0, textureY = 0;
    float colourRed = 1, colourGreen = 1, colourBlue = 1, colourAlpha = 0.5f;
    bool selected = false;
    bool picked = false;
    bool locked = false;
    bool normalDirty = true;
    // Used on the first vertex of each triangle: whether the mouse is over the triangle's pin as
    // last drawn. The pin's window rectangle is needed only while drawing, so it is not kept
    // here: a vertex stays 56 bytes, which every load, copy and draw of the list pays for.
    bool pinHovered = false;
};

struct Mesh {
    int32_t firstVertex = 0;
    int32_t triangleCount = 0;
    int32_t MaterialNumber = 0;
    float pinX = 0, pinY = 0, pinZ = 0;
    float halfExtentX = 0, halfExtentY = 0, halfExtentZ = 0;
    float largestHalfExtent = 0;
    float centreX = 0, centreY = 0, centreZ = 0;
    double pinRect[6] = {0, 0, 0, 0, 0, 0};
    bool pinHovered = false;
    bool locked = false;
    bool hidden = false;
    bool smooth = false;
    bool trianglePins = false;
};

constexpr int kMaterialNameMax = 255; // characters, without the terminator
constexpr int kTextureNameMax = 259;  // as read from a model file

struct Material {
    std::string name;
    float colourRed = 0, colourGreen = 0, colourBlue = 0, colourAlpha = 0;
    float ambientRed = 0, ambientGreen = 0, ambientBlue = 0, ambientAlpha = 0;
    float diffuseRed = 0, diffuseGreen = 0, diffuseBlue = 0, diffuseAlpha = 0;
    float specularRed = 0, specularGreen = 0, specularBlue = 0, specularAlpha = 0;
    float emissionRed = 0, emissionGreen = 0, emissionBlue = 0, emissionAlpha = 0;
    float shininess = 0;
    int32_t blendSrc = 0; // OpenGL blend factor enum values
    int32_t blendDst = 0;
    bool EnableBlend = false;
    int32_t TextureIndex = 0;
    bool EnableTexture = false;
    bool EnableLighting = false;
};

struct Texture {
    std::string fileName; // relative to the model file's folder, or an "http://" name
    uint32_t glTexture = 0;
};

// What an undo snapshot keeps of a vertex: position, normal, texture coordinates, colour, and the
// selected, locked and normal-dirty flags. Half the size of a Vertex, so a ring of copies of a
// large model fits in memory.
struct HeldVertex {
    float x, y, z;
    float normalX, normalY, normalZ;
    float textureX, textureY;
    float colourRed, colourGreen, colourBlue, colourAlpha;
    bool selected, locked, normalDirty;
};

// One undo slot: the records as a copy holds them (meshes keep their held fields only).
struct UndoSnapshot {
    std::vector<HeldVertex> vertices;
    std::vector<Mesh> meshes;
    std::vector<Material> materials;
    std::vector<Texture> textures;
    int32_t currentMaterial = 0;
};

// The undo ring of whole-model snapshots; only the edit model has one. Position i lives in slot
// i mod R, R being the slot count.
struct UndoHistory {
    std::vector<std::unique_ptr<UndoSnapshot>> slots;
    int32_t position = 0; // p: the slot the next snapshot writes
    int32_t top = 0;      // t: one past the newest snapshot
    int32_t oldest = 0;   // the oldest position whose slot has not been written over since
    bool canUndo = false;
    bool canRedo = false;
};

constexpr float kCoincidenceTolerance = 0.05f;
constexpr int32_t kNormalsBatchLimit = 100;

struct Model {
    LogChannel log;
    std::string fileName;
    // The folder texture names are relative to: the folder of the file the model was read from,
    // with a trailing '/'. Empty for a model not read from a file, whose names are kept as given.
    std::string textureFolder;
    std::string initialDirectory;
    bool hasFileName = false;
    bool loadWithoutDialog = false;
    bool LoadOK = false;
    bool useInitialDirectory = false;

    std::vector<Vertex> vertices;
    std::vector<Mesh> meshes;
    std::vector<Texture> textures;
    std::vector<Material> materials;

    int32_t currentMesh = 0;
    int32_t currentMaterial = 0;
    int32_t currentTriangle = 0;
    bool fineMode = false;
    float coincidenceTolerance = kCoincidenceTolerance;
    float centreX = 0, centreY = 0, centreZ = 0;
    float mouseX = 0, mouseY = 0;
    float lastPickedX = 0, lastPickedY = 0, lastPickedZ = 0;
    bool scaleX = true, scaleY = true, scaleZ = true;
    UndoHistory undo;
    bool normalsPending = false;
    int32_t normalsBatchLimit = kNormalsBatchLimit;
    int32_t lastNormalVertex = 0;
    bool undoEnabled = false;

    // Unsaved changes (model_file.h): the stamp of what the model file held when the model was
    // last loaded, created or saved, and a mark for a model that differs from its file whatever
    // it holds (a recovered copy).
    uint64_t savedStamp = 0;
    bool hasSavedStamp = false;
    bool markedChanged = false;

    // Opens the model's log channel on the shared log file, which restarts that file.
    Model();
    // The same on another log file (a program that must leave the editor's log alone).
    explicit Model(const std::string& logPath);
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;
};

int32_t vertexCount(const Model& m);
int32_t meshCount(const Model& m);
// Whether currentMesh names one of the meshes.
bool hasCurrentMesh(const Model& m);
int32_t materialCount(const Model& m);
int32_t textureCount(const Model& m);
// Whole triangles only: a trailing partial triangle is never walked.
int32_t triangleCount(const Model& m);

void initVertex(Vertex& v);
void initMesh(Mesh& m);

// The first mesh, in mesh order, whose range holds vertex i; -1 when none does.
int32_t meshOfVertex(const Model& m, int32_t i);
// One past the last vertex of a mesh, clipped to the vertex array and to whole triangles.
int32_t meshEndVertex(const Model& m, const Mesh& mesh);
