// Vertex normals: flat per triangle or averaged over coinciding corners, in bounded batches.
#pragma once

#include "model/model.h"

#include <cstdint>
#include <memory>

struct Vec3 {
    float x, y, z;
};

// (P1 - P0) x (P2 - P0), divided by its length when normalise is set. A zero-length result
// (degenerate triangle) stays the zero vector rather than becoming NaN.
Vec3 faceNormal(const Vec3& p0, const Vec3& p1, const Vec3& p2, bool normalise);

// One recalculation pass: recomputes dirty normals mesh by mesh and stops after the batch limit
// is exceeded (101 recomputations), leaving normalsPending set. Logs START on every pass and STOP
// only on a pass that finishes. A vertex normal with no direction (degenerate triangles, face
// normals that cancel) is stored as (0, 0, 1).
void recalculateNormals(Model& m);

// What the passes of earlier frames learnt about a model (indexes, face normals, smooth normals by
// position), kept by the caller from frame to frame while normals are pending.
struct NormalsRun;
struct NormalsRunDeleter {
    void operator()(NormalsRun* run) const;
};
struct NormalsProgress {
    std::unique_ptr<NormalsRun, NormalsRunDeleter> run;
    // Of the positions, mesh ranges and tolerance the run learnt from; any other value means
    // something moved since, and the run starts again.
    uint64_t fingerprint = 0;
};

// While normals are pending: runs passes, each exactly the one above, until nothing is pending
// or budgetMs have passed, and at least one. The passes after the first resume where the last
// stopped instead of scanning the clean vertices again. What the passes learn stays in progress
// for the next call, as long as the model's geometry stays as it was; it is let go once nothing
// is pending. Returns how many passes ran.
int recalculateNormalsWithin(Model& m, NormalsProgress& progress, int64_t budgetMs);

// Runs passes until nothing is pending (the same log lines as the passes would write).
void completeNormals(Model& m);
