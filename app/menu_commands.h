// Menu commands: what each item of the main menu does.
#pragma once

#include "app/editor.h"

// Runs the command with this identifier; identifiers without a command do nothing.
void runMenuCommand(Editor& editor, int id);
// Flips a toggling item's check mark and returns the new state.
bool toggleMenuCheck(Editor& editor, int id);
