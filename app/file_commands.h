// File commands of the edit model: New, Open, Save, Save As, Save Revision, automatic revisions.
#pragma once

#include "app/editor.h"

#include <cstdint>
#include <string>

// The name of a model that has no file yet.
constexpr const char* kUntitledName = "UNTITLED.FW2";

// "C:/m/car.FW2" at T -> "C:/m/car_REV_T.FW2": the extension goes, whatever its length; a name
// without one gets "_REV_T.FW2" appended.
std::string revisionName(const std::string& fileName, int64_t seconds);

// Before the edit model is replaced or the program ends: when saving would write something else
// than its file holds, asks "Save changes to NAME?" in an "Unsaved Changes" box. Yes saves
// (through Save As when the model has no name), No discards. False when the user cancelled, or
// the save was cancelled or failed: the model must stay.
bool askToSaveChanges(Editor& editor);

// The default new model under the name "UNTITLED.FW2". A failed load keeps the model as it was
// and says why.
void newModel(Editor& editor);
// Opens path as the edit model: a model file under its own name, a file of an import format (OBJ)
// as a new model named after it with ".FW2" but without a file name, so the first Save asks
// where to write it. A file that is neither is refused: the reason is shown and the model and
// its name stay as they were. Says whether the model was replaced.
bool openModelFile(Editor& editor, const std::string& path);
// Asks for a model file, or a file of an import format, and opens it (openModelFile). New and
// Open ask about unsaved changes first (askToSaveChanges).
void openModel(Editor& editor);
// Writes to the model's name, asking for one first when it has none.
void saveModelCommand(Editor& editor);
// Always asks (".FW2" added to a bare name), then writes.
void saveModelAs(Editor& editor);
// Writes a time-stamped copy beside the model's file and keeps the name the next Save uses.
void saveRevision(Editor& editor, int64_t now);
// OBJ files: imported as new meshes of the edit model, or the whole model exported.
void importObjCommand(Editor& editor);
void exportObjCommand(Editor& editor);

// glTF 2.0 (.glb or .gltf) imported as new meshes with their materials and textures; the model
// exported as glTF (the chosen name's extension decides, .glb when it has none), as OBJ with
// materials, or as binary STL.
void importGltfCommand(Editor& editor);
void exportGltfCommand(Editor& editor);
void exportObjMaterialsCommand(Editor& editor);
void exportStlCommand(Editor& editor);
// Appends another model file (its command takes the undo step); fromLibrary starts the dialog
// in the Library folder of the per-user directory.
void importModelCommand(Editor& editor, bool fromLibrary);
// With automatic revisions on, a click more than 300 seconds after the last one saves one.
void automaticRevisionCheck(Editor& editor, int64_t now);
