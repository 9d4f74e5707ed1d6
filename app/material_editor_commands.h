// Opening the material editor, its buttons and the texture selector's, and its per-frame step.
#pragma once

#include "app/editor.h"

// The edit model's materials and textures go into the material-editor model
// with the current mesh's material current, and the editor opens centred. fromMenu says whether
// the menu (not a mesh pin) opened it.
void openMaterialEditor(Editor& editor, bool fromMenu);

// Shows the editor centred in the window; it opens so and follows every new window geometry.
void centreMaterialEditor(Editor& editor);

// A left click while the material editor (or the texture selector over it) is open.
void clickMaterialEditor(Editor& editor);
void clickTextureSelector(Editor& editor);

// The preview viewport's place over the editor, as set when the editor opens and every frame.
void placeMaterialPreview(Editor& editor);
// Per frame after the preview's set-up: distance, arrow keys and auto-rotate turn the preview,
// then the preview models and the edited material take the widgets' values.
void stepMaterialEditor(Editor& editor);
