// Commands that edit by typed amounts: Transform Selection, the welds, and the status line that
// reports what they did.
#pragma once

#include "app/editor.h"

#include <string>

// Shows text at the foot of the window for a few seconds.
void setStatusText(Editor& editor, const std::string& text);
// The status line while it lasts, else empty.
std::string currentStatusText(const Editor& editor);

// A number row of a form; a float shows as its shortest decimal (0.7, not 0.6999999881).
FormField numberField(const std::string& label, double value);
FormField numberField(const std::string& label, float value);

// Asks for the move, rotation and scale (the last ones used are offered) and keeps them for the
// session; false when cancelled.
bool askTransform(Editor& editor);
// Applies the ticked steps of the last transform asked for to the selection.
void transformSelectionCommand(Editor& editor);
// Asks for the weld distance (greater than 0) and keeps it; false when cancelled or not positive.
bool askWeldDistance(Editor& editor);
// Welds the selected corners with the last distance; the status line says how many moved.
void weldSelectedCommand(Editor& editor);
// Welds every corner of the current mesh with the last distance used.
void weldMeshCommand(Editor& editor);
