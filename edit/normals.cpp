// Vertex normals: face normals, smooth averaging over coinciding corners, the batched pass.
//
// Sections: vector helpers; one run of passes (owner meshes, indexes); smooth normal; the pass;
// runs kept from frame to frame.
#include "edit/normals.h"

#include "base/clock.h"
#include "base/fresh_array.h"
#include "base/log.h"
#include "edit/coincident_index.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <new>

namespace {

// --- vector helpers ---

// faceNormal keeps a degenerate triangle's normal zero so callers can tell it apart, but a vertex
// must light sanely: a vertex normal with no direction (degenerate triangles, or face normals that
// cancel when averaged) becomes +Z instead of the zero vector or NaN.
constexpr Vec3 kNoDirection = {0, 0, 1};
constexpr Vec3 kZero = {0, 0, 0};

// Below this length the largest square may be subnormal and the plain division loses precision.
constexpr float kPlainLengthMin = 1e-18f;

Vec3 minus(const Vec3& a, const Vec3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

Vec3 cross(const Vec3& u, const Vec3& v) {
    return {u.y * v.z - u.z * v.y, -(u.x * v.z - u.z * v.x), u.x * v.y - u.y * v.x};
}

float largestComponent(const Vec3& c) {
    return std::max({std::fabs(c.x), std::fabs(c.y), std::fabs(c.z)});
}

// c divided by its length. When the squares under- or overflow a copy scaled by its largest
// component still has a direction; a zero or non-finite vector gives the fallback.
Vec3 unitOr(const Vec3& c, const Vec3& fallback) {
    const float len = std::sqrt(c.x * c.x + c.y * c.y + c.z * c.z);
    if (std::isfinite(len) && len >= kPlainLengthMin) return {c.x / len, c.y / len, c.z / len};
    const float s = largestComponent(c);
    if (!(s > 0) || !std::isfinite(s)) return fallback;
    const Vec3 d = {c.x / s, c.y / s, c.z / s};
    const float dl = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
    return {d.x / dl, d.y / dl, d.z / dl};
}

// The face normal divided by its length, or the fallback for a degenerate or non-finite triangle.
// When the products under- or overflow, edges scaled to unit size still give the direction.
Vec3 unitFaceNormal(const Vec3& p0, const Vec3& p1, const Vec3& p2, const Vec3& fallback) {
    Vec3 u = minus(p1, p0), v = minus(p2, p0);
    const Vec3 c = cross(u, v);
    const float len = std::sqrt(c.x * c.x + c.y * c.y + c.z * c.z);
    if (std::isfinite(len) && len >= kPlainLengthMin) return {c.x / len, c.y / len, c.z / len};
    const float su = largestComponent(u), sv = largestComponent(v);
    if (!(su > 0) || !(sv > 0) || !std::isfinite(su) || !std::isfinite(sv)) return fallback;
    u = {u.x / su, u.y / su, u.z / su};
    v = {v.x / sv, v.y / sv, v.z / sv};
    return unitOr(cross(u, v), fallback);
}

Vec3 position(const Vertex& v) {
    return {v.x, v.y, v.z};
}

// Normalised face normal of the triangle holding vertex i (first corner 3 * floor(i / 3)).
Vec3 triangleNormalAt(const Model& m, int32_t i) {
    const int32_t t = i / 3 * 3;
    return faceNormal(position(m.vertices[t]), position(m.vertices[t + 1]),
                      position(m.vertices[t + 2]), true);
}

// --- one run of passes ---

struct Range {
    int32_t begin, end;
};

// The vertices a mesh walks: whole triangles inside the array; nothing for a negative start or
// count.
Range walkRange(const Model& m, const Mesh& mesh) {
    if (mesh.firstVertex < 0 || mesh.triangleCount <= 0) return {0, 0};
    return {mesh.firstVertex, meshEndVertex(m, mesh)};
}

bool claims(const Mesh& mesh, int64_t begin, int64_t end) {
    if (mesh.firstVertex < 0 || mesh.triangleCount <= 0) return false;
    const int64_t first = mesh.firstVertex;
    return first < end && begin < first + 3LL * mesh.triangleCount;
}

// A smooth query costs one scan of the owner mesh, the index a few; scans come first so a small
// edit of a big mesh never pays for an index.
constexpr int32_t kPlainScans = 4;
// A run kept across frames builds a mesh's index in slices between its passes once it has
// scanned or swept the mesh this often: building costs about ten sweeps of the mesh, so a long
// recalculation gets its index early and a short one never pays for it.
constexpr int32_t kScansBeforeSlicedIndex = 8;
// Vertices (then triangles) one slice of index building handles: well under a millisecond.
constexpr int32_t kIndexSlice = 16384;

// Smooth normals already found in this run, by the exact bits of the position: corners at the
// same place find the same triangles in the same order, so they share one result.
struct KnownNormals {
    struct Slot {
        uint32_t x, y, z;
        bool used;
        Vec3 normal;
    };
    std::vector<Slot> slots; // open addressing, size a power of two
    std::size_t used = 0;
};

uint32_t bitsOf(float f) {
    uint32_t b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

KnownNormals::Slot& knownSlot(KnownNormals& k, const Vertex& p) {
    if (2 * (k.used + 1) > k.slots.size()) { // keep the table at most half full
        std::vector<KnownNormals::Slot> old(std::max<std::size_t>(64, 2 * k.slots.size()));
        old.swap(k.slots);
        k.used = 0;
        for (const KnownNormals::Slot& s : old)
            if (s.used) {
                Vertex v;
                std::memcpy(&v.x, &s.x, sizeof v.x);
                std::memcpy(&v.y, &s.y, sizeof v.y);
                std::memcpy(&v.z, &s.z, sizeof v.z);
                KnownNormals::Slot& to = knownSlot(k, v);
                to = s;
                ++k.used;
            }
    }
    const uint32_t x = bitsOf(p.x), y = bitsOf(p.y), z = bitsOf(p.z);
    uint64_t h = x * 0x9E3779B97F4A7C15ULL ^ y * 0xC2B2AE3D27D4EB4FULL ^ z * 0x165667B19E3779F9ULL;
    const std::size_t mask = k.slots.size() - 1;
    for (std::size_t i = static_cast<std::size_t>(h >> 32) & mask;; i = (i + 1) & mask) {
        KnownNormals::Slot& s = k.slots[i];
        if (!s.used || (s.x == x && s.y == y && s.z == z)) return s;
    }
}

struct MeshCache {
    bool ownerChecked = false;
    bool overlapped = false;  // an earlier mesh claims some of this mesh's vertices
    int32_t scans = 0;        // whole-mesh scans and sweeps so far
    bool building = false;    // the index is started
    bool indexed = false;     // the index and face normals are complete
    bool unindexable = false; // memory ran out building the index: scans only, slower but sound
    CoincidentIndexBuild build;
    std::vector<Vec3> faceNormals; // normalised, per triangle from the range's first triangle
    KnownNormals known;
};

} // namespace

// State shared by the passes of one run: nothing moves between them, so indexes stay valid, and
// everything before the resume point is clean.
struct NormalsRun {
    std::vector<MeshCache> meshes;
    int32_t resumeMesh = 0;
    int32_t resumeVertex = 0;
    std::vector<int32_t> found;
    bool sweepEachPass = false;      // each pass sweeps for its batch unless its mesh is indexed
    bool slicedIndexes = false;      // indexes are built only in slices between passes
    std::vector<int32_t> indexQueue; // meshes whose sliced index is due, in the order they came due
    std::vector<std::pair<int32_t, Vec3>> swept; // normals of the batch found by one sweep
    std::size_t sweptNext = 0;
};

void NormalsRunDeleter::operator()(NormalsRun* run) const {
    delete run;
}

namespace {

// Counts one whole scan of mesh k; in a run with sliced indexes the mesh's index is due after a
// few.
void countScan(NormalsRun& run, int32_t k) {
    if (++run.meshes[k].scans == kScansBeforeSlicedIndex && run.slicedIndexes)
        run.indexQueue.push_back(k);
}

// The mesh of vertex v, which lies in mesh k's range: k unless an earlier mesh claims v.
int32_t ownerOf(const Model& m, NormalsRun& run, int32_t k, int32_t v) {
    MeshCache& cache = run.meshes[k];
    if (!cache.ownerChecked) {
        cache.ownerChecked = true;
        const Range r = walkRange(m, m.meshes[k]);
        for (int32_t j = 0; j < k && !cache.overlapped; ++j)
            cache.overlapped = claims(m.meshes[j], r.begin, r.end);
    }
    if (!cache.overlapped) return k;
    for (int32_t j = 0; j < k; ++j)
        if (claims(m.meshes[j], v, v + 1)) return j;
    return k;
}

// Builds up to `work` more vertices of the mesh's index, or once that is complete, up to `work`
// face normals. True once the index can answer queries.
bool buildIndexSlice(MeshCache& cache, const Model& m, const Range& r, int32_t work) {
    if (!cache.building) {
        startCoincidentIndex(cache.build, m, r.begin, r.end, m.coincidenceTolerance);
        cache.faceNormals.clear();
        cache.faceNormals.reserve(static_cast<std::size_t>(std::max(r.end - r.begin, 0) / 3 + 1));
        cache.building = true;
    }
    if (!continueCoincidentIndex(cache.build, m, work)) return false;
    if (r.end > r.begin) {
        int32_t t = r.begin / 3 * 3 + 3 * static_cast<int32_t>(cache.faceNormals.size());
        for (int32_t left = work; t < r.end && left > 0; t += 3, --left)
            cache.faceNormals.push_back(triangleNormalAt(m, t));
        if (t < r.end) return false;
    }
    // Room in the table of known normals for a position per expected cell of the index (the
    // sixth of the corners a closed mesh has), zeroed in slices too, so it seldom grows.
    if (cache.known.used == 0) {
        std::size_t slots = 64;
        while (slots < static_cast<std::size_t>(r.end - r.begin) / 3) slots *= 2;
        if (!fillInSlices(cache.known.slots, slots, 16 * static_cast<std::size_t>(work)))
            return false;
    }
    cache.indexed = true;
    return true;
}

// --- smooth normal ---

// The indexed smooth normal; throws std::bad_alloc when the index or the table of known normals
// cannot grow.
Vec3 indexedSmoothNormal(const Model& m, NormalsRun& run, MeshCache& cache, const Range& r,
                         const Vertex& p) {
    while (!cache.indexed && !buildIndexSlice(cache, m, r, INT32_MAX)) {
    }
    KnownNormals::Slot& known = knownSlot(cache.known, p);
    if (known.used) return known.normal;
    findCoincident(cache.build.index, p, run.found);
    Vec3 sum = kZero;
    int32_t count = 0;
    const int32_t base = r.begin / 3;
    for (int32_t i : run.found) {
        const Vec3& n = cache.faceNormals[i / 3 - base];
        sum = {sum.x + n.x, sum.y + n.y, sum.z + n.z};
        ++count;
    }
    const float c = static_cast<float>(count);
    known = {bitsOf(p.x), bitsOf(p.y), bitsOf(p.z), true,
             count == 0 ? kNoDirection : unitOr({sum.x / c, sum.y / c, sum.z / c}, kNoDirection)};
    ++cache.known.used;
    return known.normal;
}

// Mean of the normalised face normals of every triangle holding a corner of the owner mesh that
// coincides with v, added in index order, then normalised.
Vec3 smoothNormal(const Model& m, NormalsRun& run, int32_t owner, int32_t v) {
    MeshCache& cache = run.meshes[owner];
    const Range r = walkRange(m, m.meshes[owner]);
    const Vertex& p = m.vertices[v];
    const bool indexNow = !run.slicedIndexes && !cache.unindexable && cache.scans >= kPlainScans;
    if (cache.indexed || indexNow) {
        // When memory runs out the indexes of the other meshes go (the pass has mostly left
        // them behind) and this one is tried again; after that the mesh goes on with scans,
        // slower but with the same normals.
        for (int attempt = 0; attempt < 2; ++attempt) {
            try {
                return indexedSmoothNormal(m, run, cache, r, p);
            } catch (const std::bad_alloc&) {
                for (MeshCache& other : run.meshes) other = MeshCache{};
            }
        }
        cache.unindexable = true;
    }
    countScan(run, owner);
    Vec3 sum = kZero;
    int32_t count = 0;
    for (int32_t i = r.begin; i < r.end; ++i)
        if (coincide(m.vertices[i], p, m.coincidenceTolerance)) {
            const Vec3 n = triangleNormalAt(m, i);
            sum = {sum.x + n.x, sum.y + n.y, sum.z + n.z};
            ++count;
        }
    if (count == 0) return kNoDirection;
    const float c = static_cast<float>(count);
    return unitOr({sum.x / c, sum.y / c, sum.z / c}, kNoDirection);
}

// --- one sweep for a batch ---

// A single pass recomputes at most a batch of vertices, so indexing a large mesh for it costs far
// more than it saves: the batch's normals come from one sweep of the mesh instead, each vertex of
// the mesh checked against the batch in index order, which adds the same face normals in the same
// order as a scan per vertex would.
void sweepBatch(const Model& m, NormalsRun& run, int32_t k, int32_t from, int64_t budget) {
    run.swept.clear();
    run.sweptNext = 0;
    const float tol = m.coincidenceTolerance;
    const Range r = walkRange(m, m.meshes[k]);
    // Each corner inside the box is checked against the whole batch: only for batch-sized work.
    constexpr int64_t kSweepBatchMax = 1024;
    if (!(tol > 0) || !std::isfinite(tol) || from >= r.end || budget > kSweepBatchMax) return;
    ownerOf(m, run, k, from); // settles whether an earlier mesh claims some of these vertices
    if (run.meshes[k].overlapped) return;
    std::vector<int32_t>& batch = run.found;
    batch.clear();
    for (int32_t v = from; v < r.end && static_cast<int64_t>(batch.size()) < budget; ++v)
        if (m.vertices[v].normalDirty) batch.push_back(v);
    if (batch.size() <= static_cast<std::size_t>(kPlainScans)) return;
    countScan(run, k);

    // Only corners inside the batch's box, widened by twice the tolerance, can coincide.
    Vec3 lo = {INFINITY, INFINITY, INFINITY}, hi = {-INFINITY, -INFINITY, -INFINITY};
    for (int32_t v : batch) {
        const Vertex& p = m.vertices[v];
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) continue;
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
    }
    const float margin = 2 * tol;
    lo = {lo.x - margin, lo.y - margin, lo.z - margin};
    hi = {hi.x + margin, hi.y + margin, hi.z + margin};
    std::vector<Vec3> sums(batch.size(), kZero);
    std::vector<int32_t> counts(batch.size(), 0);
    for (int32_t i = r.begin; i < r.end; ++i) {
        const Vertex& p = m.vertices[i];
        if (!(p.x >= lo.x && p.x <= hi.x && p.y >= lo.y && p.y <= hi.y && p.z >= lo.z &&
              p.z <= hi.z))
            continue;
        bool haveNormal = false;
        Vec3 n = kZero;
        for (std::size_t j = 0; j < batch.size(); ++j) {
            if (!coincide(p, m.vertices[batch[j]], tol)) continue;
            if (!haveNormal) n = triangleNormalAt(m, i), haveNormal = true;
            sums[j] = {sums[j].x + n.x, sums[j].y + n.y, sums[j].z + n.z};
            ++counts[j];
        }
    }
    for (std::size_t j = 0; j < batch.size(); ++j) {
        const float c = static_cast<float>(counts[j]);
        const Vec3& sum = sums[j];
        run.swept.push_back(
            {batch[j], counts[j] == 0 ? kNoDirection
                                      : unitOr({sum.x / c, sum.y / c, sum.z / c}, kNoDirection)});
    }
}

// --- the pass ---

void store(Vertex& v, const Vec3& n) {
    v.normalX = n.x;
    v.normalY = n.y;
    v.normalZ = n.z;
    v.normalDirty = false;
}

// The passes of one call log through one batch: the same lines, one append.
LogBatch passLog(const Model& m) {
    LogBatch log;
    log.log = &m.log;
    return log;
}

void runPass(Model& m, NormalsRun& run, LogBatch& log) {
    m.normalsPending = false;
    batchf(log, "Recalculating Normals START");
    int64_t processed = 0;
    // True once the batch limit is exceeded: the pass ends at once and the run resumes after
    // `next`.
    auto batchFull = [&](int32_t k, int32_t next) {
        if (++processed <= m.normalsBatchLimit) return false;
        m.normalsPending = true;
        run.resumeMesh = k;
        run.resumeVertex = next;
        return true;
    };
    for (int32_t k = run.resumeMesh; k < meshCount(m); ++k) {
        const Mesh& mesh = m.meshes[k];
        const Range r = walkRange(m, mesh);
        const int32_t from = k == run.resumeMesh ? std::max(r.begin, run.resumeVertex) : r.begin;
        if (mesh.smooth) {
            if (run.sweepEachPass && !run.meshes[k].indexed)
                sweepBatch(m, run, k, from, m.normalsBatchLimit + 1 - processed);
            for (int32_t v = from; v < r.end; ++v) {
                if (!m.vertices[v].normalDirty) continue;
                const bool swept =
                    run.sweptNext < run.swept.size() && run.swept[run.sweptNext].first == v;
                store(m.vertices[v], swept ? run.swept[run.sweptNext++].second
                                           : smoothNormal(m, run, ownerOf(m, run, k, v), v));
                m.lastNormalVertex = v;
                if (batchFull(k, v + 1)) return;
            }
        } else {
            for (int32_t t = from; r.end - t >= 3; t += 3) {
                Vertex* c = &m.vertices[t];
                if (!c[0].normalDirty && !c[1].normalDirty && !c[2].normalDirty) continue;
                const Vec3 n =
                    unitFaceNormal(position(c[0]), position(c[1]), position(c[2]), kNoDirection);
                for (int corner = 0; corner < 3; ++corner) store(c[corner], n);
                m.lastNormalVertex = t;
                if (batchFull(k, t + 3)) return;
            }
        }
    }
    run.resumeMesh = meshCount(m);
    batchf(log, "Recalculating Normals STOP");
}

void startRun(NormalsRun& run, const Model& m) {
    run.meshes.assign(m.meshes.size(), MeshCache{});
}

// --- runs kept from frame to frame ---

// Builds one slice of the first due index; false when none is due.
bool buildDueIndexSlice(const Model& m, NormalsRun& run) {
    while (!run.indexQueue.empty()) {
        const int32_t k = run.indexQueue.front();
        MeshCache& cache = run.meshes[k];
        if (cache.indexed || cache.unindexable) {
            run.indexQueue.erase(run.indexQueue.begin());
            continue;
        }
        try {
            buildIndexSlice(cache, m, walkRange(m, m.meshes[k]), kIndexSlice);
        } catch (const std::bad_alloc&) {
            // The mesh goes on with sweeps: slower, the same normals.
            cache.build = CoincidentIndexBuild{};
            cache.faceNormals = {};
            cache.building = false;
            cache.unindexable = true;
        }
        return true;
    }
    return false;
}

uint64_t mixIn(uint64_t h, uint64_t word) {
    return (h ^ word) * 0x9E3779B97F4A7C15ULL;
}

// Everything a run's caches are built from: every position, bit for bit, the vertex and mesh
// counts, the mesh ranges and the tolerance. Each step of the chain is a bijection of the word
// mixed in, and each vertex's word a bijection of its x and y and of its z, so one changed
// coordinate always changes the result; anything more goes unnoticed only by a 64-bit
// coincidence.
uint64_t geometryFingerprint(const Model& m) {
    uint64_t h = mixIn(0x243F6A8885A308D3ULL, m.vertices.size());
    for (const Vertex& v : m.vertices) {
        const uint64_t xy = (uint64_t{bitsOf(v.x)} << 32 | bitsOf(v.y)) * 0xC2B2AE3D27D4EB4FULL;
        const uint64_t z = (uint64_t{bitsOf(v.z)} + 1) * 0x165667B19E3779F9ULL;
        h = mixIn(h, xy ^ (z << 31 | z >> 33));
        h ^= h >> 29;
    }
    h = mixIn(h, m.meshes.size());
    for (const Mesh& mesh : m.meshes)
        h = mixIn(h, uint64_t{static_cast<uint32_t>(mesh.firstVertex)} << 32 |
                         static_cast<uint32_t>(mesh.triangleCount));
    return mixIn(h, bitsOf(m.coincidenceTolerance));
}

} // namespace

Vec3 faceNormal(const Vec3& p0, const Vec3& p1, const Vec3& p2, bool normalise) {
    return normalise ? unitFaceNormal(p0, p1, p2, kZero) : cross(minus(p1, p0), minus(p2, p0));
}

void recalculateNormals(Model& m) {
    NormalsRun run;
    startRun(run, m);
    run.sweepEachPass = true;
    LogBatch log = passLog(m);
    runPass(m, run, log);
    flushLogBatch(log);
}

int recalculateNormalsWithin(Model& m, NormalsProgress& progress, int64_t budgetMs) {
    if (!m.normalsPending) {
        progress.run.reset();
        return 0;
    }
    const int64_t start = clockMs();
    // Anything may have happened since the last frame; caches built from other positions,
    // ranges or tolerance are let go.
    const uint64_t fingerprint = geometryFingerprint(m);
    if (!progress.run || progress.fingerprint != fingerprint) {
        progress.run.reset(new NormalsRun);
        startRun(*progress.run, m);
        // A frame's share is a few batches: sweeps first, an index only for a long recalculation,
        // built in slices so no frame pays for all of it.
        progress.run->sweepEachPass = true;
        progress.run->slicedIndexes = true;
        progress.fingerprint = fingerprint;
    }
    NormalsRun& run = *progress.run;
    // Edits since the last frame may have marked vertices anywhere: the first pass starts over.
    run.resumeMesh = 0;
    run.resumeVertex = 0;
    run.swept.clear();
    run.sweptNext = 0;
    LogBatch log = passLog(m);
    int passes = 0;
    auto timeLeft = [&] { return clockMs() - start < budgetMs; };
    do {
        runPass(m, run, log), ++passes;
        while (m.normalsPending && timeLeft() && buildDueIndexSlice(m, run)) {
        }
    } while (m.normalsPending && timeLeft());
    flushLogBatch(log);
    if (!m.normalsPending) progress.run.reset();
    return passes;
}

void completeNormals(Model& m) {
    NormalsRun run;
    startRun(run, m);
    LogBatch log = passLog(m);
    do runPass(m, run, log);
    while (m.normalsPending);
    flushLogBatch(log);
}
