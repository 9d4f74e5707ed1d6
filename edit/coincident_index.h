// Spatial hash of a vertex range's positions, so corners that coincide within the tolerance are
// found without scanning the whole range.
#pragma once

#include "model/model.h"

#include <cmath>
#include <cstdint>
#include <vector>

// The coincidence test on every axis: strict, in single precision. Non-finite coordinates never
// pass it, not even against themselves.
template <class A, class B> bool coincide(const A& a, const B& b, float tolerance) {
    return std::fabs(a.x - b.x) < tolerance && std::fabs(a.y - b.y) < tolerance &&
           std::fabs(a.z - b.z) < tolerance;
}

struct CoincidentIndex {
    struct Entry {
        float x, y, z;
        int32_t vertex;
    };
    struct Cell {
        int32_t cx, cy, cz;
        int32_t start; // first entry of the cell's run
        int32_t count; // 0 marks an empty slot
    };
    float tolerance = 0;
    int32_t begin = 0, end = 0;
    std::vector<Entry> entries; // grouped by cell, ascending vertex index inside a cell
    std::vector<Cell> table;    // open addressing, size a power of two
    int hashShift = 64;         // 64 - log2(table size): the hash's top bits pick the slot
    // Finite positions whose cell numbers are too large to compute exactly; checked on every query.
    std::vector<Entry> far;
};

// Indexes vertices [begin, end) of the model with cells twice as wide as the tolerance.
void buildCoincidentIndex(CoincidentIndex& index, const Model& m, int32_t begin, int32_t end,
                          float tolerance);

// The same build a slice at a time, so a frame can spend a bounded share of its time on it. The
// positions must not change between the steps of one build.
struct CoincidentIndexBuild {
    // Fresh arrays are zeroed in slices of their own.
    enum Stage { ClearTable, Place, ClearEntries, Scatter, Done };
    CoincidentIndex index;
    Stage stage = Done;
    int32_t next = 0;            // the next vertex of Place or Scatter
    bool cells = false;          // the width allows cells at all
    int32_t occupied = 0;        // cells in the table
    int32_t entryCount = 0;      // entries in cells
    std::vector<int32_t> cellOf; // per vertex: its cell's number, -1 when kept elsewhere
    std::vector<int32_t> cursor; // per cell number: the next entry of its run
};
void startCoincidentIndex(CoincidentIndexBuild& build, const Model& m, int32_t begin, int32_t end,
                          float tolerance);
// Handles up to `vertices` more vertices of the build; true once the index is complete.
bool continueCoincidentIndex(CoincidentIndexBuild& build, const Model& m, int32_t vertices);

// Replaces out with every indexed vertex that coincides with position p, in increasing index
// order: the same vertices, in the same order, as a scan of the whole range would find.
void findCoincident(const CoincidentIndex& index, const Vertex& p, std::vector<int32_t>& out);
