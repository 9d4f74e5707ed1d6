// The undo ring: whole-model snapshots taken before edits, and undo and redo through them.
#pragma once

#include "model/model.h"

#include <cstdint>

constexpr int32_t kMaxUndoCount = 499;

// For 1..kMaxUndoCount builds maxUndoCount + 1 empty slots, empties the history and turns undo
// on; any other count leaves no slots and undo off. A slot keeps only what a copy holds.
void setupUndo(Model& m, int32_t maxUndoCount);

// Stores the model's present state in the ring before an edit; the states that could have been
// redone are dropped. Does nothing while undo is off. When memory runs out the snapshot is
// skipped with a log line and the history is left as it was.
void takeSnapshot(Model& m);

// Steps back one state (at most slot count - 1 steps from the newest); the first undo after a
// snapshot keeps the present state so that redo can return to it. After a restore the current
// mesh and triangle are pulled inside the restored model (last mesh, first vertex of the last
// whole triangle, or 0). A step that runs out of memory is logged and changes nothing.
void undo(Model& m);
// Steps forward one state after an undo; same rules.
void redo(Model& m);

// Puts the model back as the newest snapshot holds it and forgets that snapshot: the edit taken
// after it failed (memory ran out) and must leave no trace, not even an undo step. False, with
// nothing changed, when the newest state is not a snapshot or memory runs out again.
bool revertToSnapshot(Model& m);

// Replaces `to`'s records by copies of `from`'s: materials in full and the current material,
// textures, vertices (position, normal, texture coordinates, colour, selected, locked) and meshes
// (first vertex, triangle count, material, locked, smooth, triangle pins, centre). Everything
// else in the new records is at its initial value, so picked, hovered, hidden and normal-dirty
// come back clear; the lists are exactly their counts long. Everything that allocates is done
// before anything in `to` changes, so a std::bad_alloc leaves `to` as it was.
void copyModelState(Model& to, const Model& from);
