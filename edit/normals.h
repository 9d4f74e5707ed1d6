// Vertex normals: flat per triangle or averaged over coinciding corners, in bounded batches.
#pragma once

#include "model/model.h"

#include <cstdint>

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

// While normals are pending: runs passes, each exactly the one above, until nothing is pending
// or budgetMs have passed, and at least one. The passes after the first resume where the last
// stopped instead of scanning the clean vertices again. Returns how many passes ran.
int recalculateNormalsWithin(Model& m, int64_t budgetMs);

// Runs passes until nothing is pending (the same log lines as the passes would write).
void completeNormals(Model& m);
