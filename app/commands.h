// The command table: every menu item, pin toolbar button and command key, with its handler,
// whether it takes an undo snapshot first and the confirmation it asks.
#pragma once

#include "app/editor.h"

#include <cstddef>

enum class Undo : unsigned char { None, Snapshot };
enum class Confirm : unsigned char { None, Delete };

// Gestures that change the model without a menu item or button, kept in the table for their undo
// column; their ids lie apart from the menu's and the widgets'.
enum GestureCommand : int {
    GestureDragVertices = 90001, // a press on a vertex starts a drag: one step for all of it
    GestureDrawMesh = 90002,     // the rectangle of Draw New Mesh
};

struct Command {
    int id; // a menu command (resources/menu_table.h), a pin button (ui/toolbars.h) or a gesture
    Undo undo;
    Confirm confirm;
    void (*run)(Editor&); // null for gestures, which act themselves
    // A dialog asked before the snapshot, so a cancelled one leaves no empty undo step; false
    // (cancelled) ends the command there.
    bool (*ask)(Editor&) = nullptr;
};

// Every row, for walking the table.
const Command* commandTable();
std::size_t commandCount();
// The row of an id, or null.
const Command* findCommand(int id);

// Asks the row's confirmation ("Confirm Delete"); true when the command may go ahead.
bool confirmCommand(Editor& editor, Confirm confirm);
// The undo snapshot the row asks for, if any: callers of a gesture call this before acting.
void prepareCommand(Editor& editor, int id);
// Confirmation, the row's dialog, snapshot, then the handler. False when no row has the id or
// the confirmation or dialog was cancelled (nothing ran). A handler that runs out of memory ends
// there: the model goes back to the snapshot and an "ERROR" box says so.
bool runCommand(Editor& editor, int id);
// The "ERROR" box of work that ran out of memory, saying whether the model is as it was.
void showOutOfMemory(Editor& editor, bool modelRestored);

// Flips a toggling menu item's check mark and returns the new state.
bool toggleMenuCheck(Editor& editor, int id);
