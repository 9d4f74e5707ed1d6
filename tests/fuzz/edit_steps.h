// Editing steps decoded from bytes, shared by the sequence fuzz target and the undo stress test:
// the editor's operations on a small model, each preceded by the undo snapshot the editor takes.
#pragma once

#include "edit/extend.h"
#include "edit/materials.h"
#include "edit/normals.h"
#include "edit/selection.h"
#include "edit/structure.h"
#include "edit/subdivide.h"
#include "edit/texture_coords.h"
#include "edit/transforms.h"
#include "edit/undo.h"
#include "fuzz_support.h"

namespace fuzz {

// Two meshes of two triangles each (a square in the front plane, one in the top plane), two
// materials and one texture.
inline void buildSmallModel(Model& m) {
    static const float kCorners[12][3] = {
        {0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 0, 0}, {1, 1, 0}, {0, 1, 0},
        {0, 2, 0}, {1, 2, 1}, {1, 2, 0}, {0, 2, 0}, {0, 2, 1}, {1, 2, 1},
    };
    m.vertices.assign(12, Vertex{});
    for (int i = 0; i < 12; ++i) {
        m.vertices[i].x = kCorners[i][0];
        m.vertices[i].y = kCorners[i][1];
        m.vertices[i].z = kCorners[i][2];
        m.vertices[i].textureX = kCorners[i][0];
        m.vertices[i].textureY = kCorners[i][1] + kCorners[i][2];
    }
    m.meshes.assign(2, Mesh{});
    m.meshes[0].triangleCount = 2;
    m.meshes[1].firstVertex = 6;
    m.meshes[1].triangleCount = 2;
    m.meshes[1].MaterialNumber = 1;
    m.materials.assign(2, defaultMaterial());
    m.materials[1].name = "second";
    m.materials[1].TextureIndex = 0;
    m.materials[1].EnableTexture = true;
    m.textures.assign(1, Texture{"texture.bmp", 0});
    completeNormals(m);
}

// Past this many vertices the steps that add geometry are skipped, so a run stays quick.
constexpr std::size_t kGrowthLimit = 6000;

enum class StepKind { Plain, Snapshot, Undo, Redo };

// Whether the step the next bytes name may take a snapshot, undo or redo (so its caller need not
// look at the model around the others).
inline bool stepMayUseHistory(const Bytes& in) {
    const int op = (in.size > 2 ? in.data[2] : 0) % 40;
    return (op >= 17 && op <= 34) || op >= 38;
}

// Applies the step the next bytes name and says how it touched the undo ring.
inline StepKind applyEditStep(Model& m, Bytes& in) {
    const bool grow = m.vertices.size() < kGrowthLimit;
    const int32_t n = in.int16(); // an index, often outside the arrays
    auto snapshot = [&m] { takeSnapshot(m); };
    switch (in.byte() % 40) {
    // Selection, locks and flags: no snapshot.
    case 0:
        selectAllVertices(m);
        break;
    case 1:
        selectNone(m);
        break;
    case 2:
        m.currentMesh = n;
        break;
    case 3:
        m.currentTriangle = n;
        break;
    case 4:
        selectCurrentTriangleOnly(m);
        break;
    case 5:
        addCurrentTriangle(m);
        break;
    case 6:
        removeCurrentTriangle(m);
        break;
    case 7:
        lockCurrentTriangle(m);
        break;
    case 8:
        unlockCurrentTriangle(m);
        break;
    case 9:
        lockSelectedVertices(m);
        break;
    case 10:
        unlockSelectedVertices(m);
        break;
    case 11:
        n % 2 ? lockMesh(m, n / 2) : unlockMesh(m, n / 2);
        break;
    case 12:
        toggleHiddenCurrentMesh(m);
        break;
    case 13:
        n % 2 ? showAllMeshes(m) : hideAllMeshes(m);
        break;
    case 14:
        toggleSmoothCurrentMesh(m);
        break;
    case 15:
        toggleTrianglePinsCurrentMesh(m);
        break;
    case 16: {
        const float u0 = in.amount(3), v0 = in.amount(3), u1 = in.amount(3), v1 = in.amount(3);
        rectangleSelect(m, u0, v0, u1, v1, static_cast<Plane>(n & 3), n & 4, n & 8);
        break;
    }
    // Mesh-pin commands and drags: one snapshot first.
    case 17:
        snapshot();
        selectCurrentMeshOnly(m);
        return StepKind::Snapshot;
    case 18:
        snapshot();
        addCurrentMeshToSelection(m);
        return StepKind::Snapshot;
    case 19:
        snapshot();
        removeCurrentMeshFromSelection(m);
        return StepKind::Snapshot;
    case 20: {
        const float x = in.amount(50), y = in.amount(50), z = in.amount(50);
        snapshot();
        moveSelection(m, x, y, z);
        return StepKind::Snapshot;
    }
    case 21: {
        const float x = in.amount(360), y = in.amount(360), z = in.amount(360);
        snapshot();
        rotateSelection(m, x, y, z);
        return StepKind::Snapshot;
    }
    case 22: {
        const float x = in.amount(1), y = in.amount(1), z = in.amount(1);
        snapshot();
        scaleSelection(m, x, y, z);
        return StepKind::Snapshot;
    }
    case 23:
        snapshot();
        alignSelection(m, n & 1, n & 2, n & 4);
        return StepKind::Snapshot;
    case 24: {
        const float u = in.amount(2), v = in.amount(2);
        snapshot();
        moveTextureCoordinates(m, u, v);
        return StepKind::Snapshot;
    }
    case 25:
        snapshot();
        recalculateTextureCoordinates(m, n);
        return StepKind::Snapshot;
    case 26:
        snapshot();
        invertMesh(m, n);
        return StepKind::Snapshot;
    case 27:
        if (!grow) break;
        snapshot();
        duplicateMesh(m, n);
        return StepKind::Snapshot;
    case 28:
        if (!grow) break;
        snapshot();
        subdivideMesh(m, n);
        return StepKind::Snapshot;
    case 29:
        if (!grow) break;
        snapshot();
        extendSelectedVertices(m);
        return StepKind::Snapshot;
    case 30:
        if (!grow) break;
        snapshot();
        extendSelectedVerticesSawTooth(m);
        return StepKind::Snapshot;
    case 31:
        snapshot();
        splitSelectionToNewMesh(m);
        return StepKind::Snapshot;
    case 32:
        snapshot();
        combineSelectedMeshes(m);
        return StepKind::Snapshot;
    case 33: {
        const float h1 = in.amount(3), w1 = in.amount(3), h2 = in.amount(3), w2 = in.amount(3);
        if (!grow) break;
        snapshot();
        drawNewMesh(m, h1, w1, h2, w2, static_cast<Plane>(n & 3));
        return StepKind::Snapshot;
    }
    case 34:
        snapshot();
        if (n % 3 == 0)
            appendMaterial(m);
        else if (n % 3 == 1)
            deleteMaterial(m, n / 3);
        else
            deleteTexture(m, n / 3);
        return StepKind::Snapshot;
    // Menu commands that take no snapshot.
    case 35:
        switch (n & 7) {
        case 0:
            mirrorCurrentMesh(m, (n >> 3) & 3);
            break;
        case 1:
            deleteTriangle(m, n >> 3);
            break;
        case 2:
            deleteSelectedTriangles(m);
            break;
        case 3:
            deleteMesh(m, n >> 3);
            break;
        case 4:
            if (grow) subdivideTriangle(m, n >> 3);
            break;
        case 5:
            if (grow) subdivideSelectedTriangles(m);
            break;
        case 6:
            if (grow) subdivideAllMeshes(m);
            break;
        case 7:
            stripUnusedMaterialsAndTextures(m);
            break;
        }
        break;
    case 36: {
        const float su = in.amount(4), sv = in.amount(4);
        scaleTextureCoordinates(m, n, su, sv);
        break;
    }
    case 37:
        recalculateNormals(m);
        break;
    case 38:
        undo(m);
        return StepKind::Undo;
    case 39:
        redo(m);
        return StepKind::Redo;
    }
    return StepKind::Plain;
}

} // namespace fuzz
