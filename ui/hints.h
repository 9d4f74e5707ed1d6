// Hints and tips: the built-in hint texts, offering a hint in the Hints box and closing it.
#pragma once

#include "ui/toolbars.h"

#include <string_view>

constexpr int kHintRecords = 10; // hints 0 .. 9; 6 .. 9 have no text and are never shown
constexpr int kHintBoxLines = 7; // the first is the title, the other six go below it

// The moments a hint is offered.
enum : int {
    kHintStart = 0,           // end of start-up
    kHintMeshPin = 1,         // the pointer moves over a mesh pin
    kHintViewMenu = 2,        // "Show View Menu" on the Edit Toolbar
    kHintCursorMenu = 3,      // a mode icon on the Edit Toolbar
    kHintMaterialEditor = 4,  // "View Mesh Material Properties" on a mesh pin toolbar
    kHintTextureSelector = 5, // the material editor's texture thumbnail
};

// Line 0 .. 6 of a hint, blanks at the end included; empty out of range.
std::string_view hintLine(int hint, int line);
// Whether the hint has any text to show.
bool hintHasText(int hint);

// Shows the hint in the Hints box when its flag (flags[hint]) is set and it has text: the seven
// lines go into the box, "Don't tell me again" is ticked and holds the hint's number, and the
// box opens at (windowWidth / 2 - 120, windowHeight / 2 - 90). While the box already shows this
// hint nothing changes, so a repeated offer does not undo the user's unticking. Returns whether
// the box shows the hint afterwards.
bool offerHint(Panels& panels, const bool flags[kHintRecords], int hint, int windowWidth,
               int windowHeight);

// "Close" on an open Hints box: the box closes and, when "Don't tell me again" is ticked, the
// flag of the hint it showed is cleared. A closed box changes nothing.
void closeHints(Panels& panels, bool flags[kHintRecords]);
