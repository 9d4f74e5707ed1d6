// The frame step: the status texts that mirror the model, then the frame drawn from the editor.
#pragma once

#include "app/editor.h"

// Texts and toggles that follow model state: pin toolbar toggles, the debug lines.
void updateStatus(Editor& editor);
// The material editor's step, then the views, dividers, panels, cursor and texture preview;
// the caller swaps buffers.
void renderFrame(Editor& editor);

// "ship.FW2" from "C:\models\ship.FW2" or "/models/ship.FW2".
std::string displayFileName(const std::string& path);
