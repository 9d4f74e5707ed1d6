// Spatial hash of vertex positions: cells twice as wide as the coincidence tolerance.
#include "edit/coincident_index.h"

#include "base/fresh_array.h"

#include <algorithm>
#include <cfloat>
#include <climits>

namespace {

// A coordinate's cell is floor(coordinate / width), width = 2 * tolerance, the quotient taken in
// double. For a normal float width two floats' exact quotient, when not an integer, lies at least
// 2^-25 from every integer, and below 2^26 the double rounding error stays under 2^-27, so the
// floor is exact and coinciding positions are never more than one cell apart. Larger quotients go
// to the far list.
constexpr double kIndexedLimit = 16777216.0; // 2^24: positions kept in cells
constexpr double kLookupLimit = 33554432.0;  // 2^25: queries that look at neighbouring cells.
// A position within the tolerance of one past kLookupLimit has a quotient above 2^24 on that
// axis, so it sits in the far list.

bool finitePosition(float x, float y, float z) {
    return std::isfinite(x) && std::isfinite(y) && std::isfinite(z);
}

// Cells are twice the tolerance wide, so a query needs only two cells per axis: coinciding
// quotients differ by less than one half.
bool cellOf(float x, float y, float z, float width, double limit, int32_t cell[3],
            double offset[3] = nullptr) {
    const float p[3] = {x, y, z};
    for (int a = 0; a < 3; ++a) {
        const double q = static_cast<double>(p[a]) / static_cast<double>(width);
        if (!(std::fabs(q) < limit)) return false;
        const double f = std::floor(q);
        cell[a] = static_cast<int32_t>(f);
        if (offset) offset[a] = q - f;
    }
    return true;
}

std::size_t slotHash(const int32_t c[3], int shift) {
    uint64_t h = static_cast<uint64_t>(static_cast<uint32_t>(c[0])) * 0x9E3779B97F4A7C15ULL;
    h ^= static_cast<uint64_t>(static_cast<uint32_t>(c[1])) * 0xC2B2AE3D27D4EB4FULL;
    h ^= static_cast<uint64_t>(static_cast<uint32_t>(c[2])) * 0x165667B19E3779F9ULL;
    return static_cast<std::size_t>(h >> shift);
}

// The slot holding cell c, or the empty slot where it belongs.
std::size_t findSlot(const CoincidentIndex& index, const int32_t c[3]) {
    const std::size_t mask = index.table.size() - 1;
    std::size_t s = slotHash(c, index.hashShift) & mask;
    for (;;) {
        const CoincidentIndex::Cell& cell = index.table[s];
        if (cell.count == 0 || (cell.cx == c[0] && cell.cy == c[1] && cell.cz == c[2])) return s;
        s = (s + 1) & mask;
    }
}

// A slice of work on `vertices` vertices zeroes about this many bytes of a fresh array instead.
constexpr std::size_t kBytesPerVertex = 16;

// An empty table of 2^bits slots, all at once.
void emptyTable(CoincidentIndex& index, int bits) {
    index.table.assign(std::size_t{1} << bits, CoincidentIndex::Cell{0, 0, 0, 0, 0});
    index.hashShift = 64 - bits;
}

// Twice the slots, every cell placed again.
void growTable(CoincidentIndex& index) {
    std::vector<CoincidentIndex::Cell> old;
    old.swap(index.table);
    emptyTable(index, 64 - index.hashShift + 1);
    for (const CoincidentIndex::Cell& cell : old) {
        if (cell.count == 0) continue;
        const int32_t c[3] = {cell.cx, cell.cy, cell.cz};
        index.table[findSlot(index, c)] = cell;
    }
}

} // namespace

void buildCoincidentIndex(CoincidentIndex& index, const Model& m, int32_t begin, int32_t end,
                          float tolerance) {
    CoincidentIndexBuild build;
    startCoincidentIndex(build, m, begin, end, tolerance);
    while (!continueCoincidentIndex(build, m, INT32_MAX)) {
    }
    index = std::move(build.index);
}

void startCoincidentIndex(CoincidentIndexBuild& build, const Model& m, int32_t begin, int32_t end,
                          float tolerance) {
    build = CoincidentIndexBuild{};
    CoincidentIndex& index = build.index;
    index.tolerance = tolerance;
    index.begin = std::max(begin, 0);
    index.end = std::min(std::max(end, index.begin), vertexCount(m));
    build.next = index.begin;
    if (!(tolerance > 0)) { // nothing can coincide
        build.stage = CoincidentIndexBuild::Done;
        return;
    }
    // Subnormal or infinite widths break the exactness argument; keep every position far.
    const float width = 2 * tolerance;
    build.cells = tolerance >= FLT_MIN && width <= FLT_MAX;
    // The table is sized for the cells in use rather than for every vertex: a corner of a closed
    // mesh is shared by about six triangles, so a sixth of the vertices at half load, growing
    // when there are more.
    const std::size_t n = static_cast<std::size_t>(index.end - index.begin);
    int bits = 4;
    while ((std::size_t{1} << bits) < n / 3) ++bits;
    index.hashShift = 64 - bits;
    build.stage = CoincidentIndexBuild::ClearTable;
}

bool continueCoincidentIndex(CoincidentIndexBuild& build, const Model& m, int32_t vertices) {
    CoincidentIndex& index = build.index;
    const std::size_t bytes = kBytesPerVertex * static_cast<std::size_t>(std::max(vertices, 1));
    const int32_t stop =
        static_cast<int32_t>(std::min<int64_t>(index.end, int64_t{build.next} + vertices));
    switch (build.stage) {
    case CoincidentIndexBuild::ClearTable:
        if (fillInSlices(index.table, std::size_t{1} << (64 - index.hashShift), bytes)) {
            build.stage = CoincidentIndexBuild::Place;
            build.cellOf.reserve(static_cast<std::size_t>(index.end - index.begin));
        }
        return false;
    case CoincidentIndexBuild::Place: {
        // While placing, a cell's start holds its number in order of first use.
        const float width = 2 * index.tolerance;
        for (; build.next < stop; ++build.next) {
            const int32_t i = build.next;
            const Vertex& v = m.vertices[i];
            build.cellOf.push_back(-1);
            if (!finitePosition(v.x, v.y, v.z)) continue; // never coincides with anything
            int32_t c[3];
            if (!build.cells || !cellOf(v.x, v.y, v.z, width, kIndexedLimit, c)) {
                index.far.push_back({v.x, v.y, v.z, i});
                continue;
            }
            CoincidentIndex::Cell& cell = index.table[findSlot(index, c)];
            if (cell.count == 0) cell = {c[0], c[1], c[2], build.occupied++, 0};
            ++cell.count;
            build.cellOf.back() = cell.start;
            if (2 * static_cast<std::size_t>(build.occupied) > index.table.size()) growTable(index);
        }
        if (build.next < index.end) return false;
        // Runs in the order the cells were first used, so the scatter writes the entries nearly
        // in order; each cell's start becomes its first entry.
        build.cursor.assign(static_cast<std::size_t>(build.occupied), 0);
        for (const CoincidentIndex::Cell& cell : index.table)
            if (cell.count != 0) build.cursor[cell.start] = cell.count;
        int32_t running = 0;
        for (int32_t& cursor : build.cursor) {
            const int32_t count = cursor;
            cursor = running;
            running += count;
        }
        for (CoincidentIndex::Cell& cell : index.table)
            if (cell.count != 0) cell.start = build.cursor[cell.start];
        build.entryCount = running;
        build.stage = CoincidentIndexBuild::ClearEntries;
        return false;
    }
    case CoincidentIndexBuild::ClearEntries:
        if (fillInSlices(index.entries, static_cast<std::size_t>(build.entryCount), bytes)) {
            build.stage = CoincidentIndexBuild::Scatter;
            build.next = index.begin;
        }
        return false;
    case CoincidentIndexBuild::Scatter:
        // In index order, which keeps each cell's run ascending.
        for (; build.next < stop; ++build.next) {
            const int32_t i = build.next, number = build.cellOf[i - index.begin];
            if (number < 0) continue;
            const Vertex& v = m.vertices[i];
            index.entries[build.cursor[number]++] = {v.x, v.y, v.z, i};
        }
        if (build.next < index.end) return false;
        build.cellOf = {};
        build.cursor = {};
        build.stage = CoincidentIndexBuild::Done;
        return true;
    case CoincidentIndexBuild::Done:
        break;
    }
    return true;
}

void findCoincident(const CoincidentIndex& index, const Vertex& p, std::vector<int32_t>& out) {
    out.clear();
    const float tol = index.tolerance;
    if (!(tol > 0) || !finitePosition(p.x, p.y, p.z)) return;
    int32_t c[3];
    double f[3];
    if (!index.table.empty() && cellOf(p.x, p.y, p.z, 2 * tol, kLookupLimit, c, f)) {
        // The cell below when the query sits in the lower half of its cell, the one above in the
        // upper half; the margin covers the rounding of the quotient.
        constexpr double kMargin = 1e-6;
        int32_t from[3], to[3];
        for (int a = 0; a < 3; ++a) {
            from[a] = f[a] < 0.5 + kMargin ? -1 : 0;
            to[a] = f[a] > 0.5 - kMargin ? 1 : 0;
        }
        for (int32_t dz = from[2]; dz <= to[2]; ++dz) {
            for (int32_t dy = from[1]; dy <= to[1]; ++dy) {
                for (int32_t dx = from[0]; dx <= to[0]; ++dx) {
                    const int32_t n[3] = {c[0] + dx, c[1] + dy, c[2] + dz};
                    const CoincidentIndex::Cell& cell = index.table[findSlot(index, n)];
                    for (int32_t k = 0; k < cell.count; ++k) {
                        const CoincidentIndex::Entry& e = index.entries[cell.start + k];
                        if (coincide(e, p, tol)) out.push_back(e.vertex);
                    }
                }
            }
        }
    }
    for (const CoincidentIndex::Entry& e : index.far)
        if (coincide(e, p, tol)) out.push_back(e.vertex);
    if (out.size() > 1) std::sort(out.begin(), out.end());
}
