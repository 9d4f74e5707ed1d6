// Editing steps decoded from bytes, shared by the sequence fuzz target and the undo stress test:
// the rows of the editor's command table, its gestures and the model steps around them, on an
// editor holding a small model, each taking the undo snapshot the table gives it.
#pragma once

#include "app/commands.h"
#include "edit/materials.h"
#include "edit/normals.h"
#include "edit/selection.h"
#include "edit/structure.h"
#include "edit/texture_coords.h"
#include "edit/transforms.h"
#include "edit/undo.h"
#include "fuzz_support.h"
#include "platform/fake_platform.h"
#include "resources/menu_table.h"
#include "ui/toolbars.h"

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

// An editor on the scripted platform with its toolbars laid out, logging nowhere and keeping its
// per-user folder where nothing can be created.
struct QuietEditor {
    FakePlatform platform;
    std::unique_ptr<Editor> editor;
    QuietEditor() {
        quietModel(); // points APPDATA nowhere before the editor's models open their logs
        editor = std::make_unique<Editor>(platform);
        Editor& e = *editor;
        for (LogChannel* log : {&e.log, &e.edit.log, &e.materialEditor.log, &e.preview[0].log,
                                &e.preview[1].log, &e.preview[2].log})
            log->enabled = false;
        e.userDirectory = "/nonexistent/fuzz-appdata/Facetwright/";
        initViewports(e.views, kLayoutSplit, 800, 600);
        layoutToolbars(e.panels, [](int) { return 0u; });
        e.startupComplete = true;
    }
};

// Past this many vertices the commands that add geometry are skipped, so a run stays quick.
constexpr std::size_t kGrowthLimit = 6000;
constexpr int kGrowingCommands[] = {
    CmdSubdivideMesh, CmdSubdivideAll,   CmdDuplicateMesh,
    CmdExtend,        CmdExtendSawTooth, CmdSubdivideSelected,
    kIdSubdivideMesh, kIdDuplicateMesh,  kIdSubdivideTriangle,
};

enum class StepKind { Plain, Snapshot, Undo, Redo };
constexpr int kStepKinds = 12;

// The table row the next bytes name, for step 0.
inline const Command& rowOf(int32_t n) {
    return commandTable()[static_cast<std::size_t>(n & 0x7fff) % commandCount()];
}

// Whether the step the next bytes name may take a snapshot, undo or redo (so its caller need not
// look at the model around the others).
inline bool stepMayUseHistory(const Bytes& in) {
    if (in.size < 3) return false;
    const int op = in.data[2] % kStepKinds;
    const int32_t n = static_cast<int16_t>(in.data[0] | in.data[1] << 8);
    const Command& row = rowOf(n);
    if (op == 0) return row.undo == Undo::Snapshot || row.id == CmdUndo || row.id == CmdRedo;
    return op >= 5 && op <= 10;
}

// One row of the command table, as the menu, a pin button or a key runs it; a delete is
// confirmed when n says so.
inline StepKind runTableRow(Editor& e, FakePlatform& platform, int32_t n) {
    const Command& row = rowOf(n);
    if (e.edit.vertices.size() >= kGrowthLimit)
        for (int id : kGrowingCommands)
            if (id == row.id) return StepKind::Plain;
    if (row.confirm != Confirm::None && (n & 0x4000))
        platform.messageAnswers.push_back(MessageAnswer::Yes);
    platform.calls.clear(); // the record of calls would only grow
    if (!runCommand(e, row.id)) return StepKind::Plain;
    if (row.id == CmdUndo) return StepKind::Undo;
    if (row.id == CmdRedo) return StepKind::Redo;
    return row.undo == Undo::Snapshot ? StepKind::Snapshot : StepKind::Plain;
}

// Applies the step the next bytes name and says how it touched the undo ring.
inline StepKind applyEditStep(QuietEditor& q, Bytes& in) {
    Editor& e = *q.editor;
    Model& m = e.edit;
    const bool grow = m.vertices.size() < kGrowthLimit;
    const int32_t n = in.int16(); // an index, often outside the arrays
    switch (in.byte() % kStepKinds) {
    case 0:
        return runTableRow(e, q.platform, n);
    // Model state the pointer sets: no snapshot.
    case 1:
        m.currentMesh = n;
        break;
    case 2:
        m.currentTriangle = n;
        break;
    case 3:
        n % 2 ? lockMesh(m, n / 2) : unlockMesh(m, n / 2);
        break;
    case 4: {
        const float u0 = in.amount(3), v0 = in.amount(3), u1 = in.amount(3), v1 = in.amount(3);
        rectangleSelect(m, u0, v0, u1, v1, static_cast<Plane>(n & 3), n & 4, n & 8);
        break;
    }
    // Drags: the snapshot of the press that starts them.
    case 5: {
        const float x = in.amount(50), y = in.amount(50), z = in.amount(50);
        prepareCommand(e, GestureDragVertices);
        moveSelection(m, x, y, z);
        return StepKind::Snapshot;
    }
    case 6: {
        const float x = in.amount(360), y = in.amount(360), z = in.amount(360);
        prepareCommand(e, GestureDragVertices);
        rotateSelection(m, x, y, z);
        return StepKind::Snapshot;
    }
    case 7: {
        const float x = in.amount(1), y = in.amount(1), z = in.amount(1);
        prepareCommand(e, GestureDragVertices);
        scaleSelection(m, x, y, z);
        return StepKind::Snapshot;
    }
    case 8: {
        const float u = in.amount(2), v = in.amount(2);
        prepareCommand(e, GestureDragVertices);
        moveTextureCoordinates(m, u, v);
        return StepKind::Snapshot;
    }
    case 9: {
        const float h1 = in.amount(3), w1 = in.amount(3), h2 = in.amount(3), w2 = in.amount(3);
        if (!grow) break;
        prepareCommand(e, GestureDrawMesh);
        drawNewMesh(m, h1, w1, h2, w2, static_cast<Plane>(n & 3));
        return StepKind::Snapshot;
    }
    // The material editor's changes, after the snapshot its opening takes.
    case 10:
        prepareCommand(e, CmdShowMaterialEditor);
        if (n % 3 == 0)
            appendMaterial(m);
        else if (n % 3 == 1)
            deleteMaterial(m, n / 3);
        else
            deleteTexture(m, n / 3);
        return StepKind::Snapshot;
    // The frame's share of the normal pass.
    case 11:
        recalculateNormals(m);
        break;
    }
    return StepKind::Plain;
}

} // namespace fuzz
