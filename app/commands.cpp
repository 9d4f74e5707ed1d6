// The command table and its dispatch: one row per menu item, pin toolbar button and gesture.
//
// Sections: command bodies (files and program, model, view and options, help); the table;
// dispatch.
#include "app/commands.h"

#include "app/file_commands.h"
#include "app/material_editor_commands.h"
#include "app/modelling_commands.h"
#include "app/recent_files.h"
#include "app/reference_images.h"
#include "app/update_check.h"
#include "edit/extend.h"
#include "edit/materials.h"
#include "edit/selection.h"
#include "edit/structure.h"
#include "edit/subdivide.h"
#include "edit/texture_coords.h"
#include "edit/transforms.h"
#include "edit/undo.h"
#include "render/framing.h"
#include "resources/menu_table.h"
#include "ui/about.h"
#include "ui/hints.h"
#include "ui/panel.h"
#include "ui/toolbars.h"

#include <ctime>
#include <new>

namespace {

// ---- Command bodies: files and program ----

void exitProgram(Editor& editor) {
    editor.quit = true;
}
void saveRevisionNow(Editor& editor) {
    saveRevision(editor, std::time(nullptr));
}
template <int Slot> void openRecent(Editor& editor) {
    openRecentFile(editor, Slot);
}

// ---- Command bodies: the model ----

// An operation on the edit model alone.
template <void (*Op)(Model&)> void onModel(Editor& editor) {
    Op(editor.edit);
}
// An operation on the current mesh or triangle.
template <void (*Op)(Model&, int32_t)> void onCurrentMesh(Editor& editor) {
    Op(editor.edit, editor.edit.currentMesh);
}
template <void (*Op)(Model&, int32_t)> void onCurrentTriangle(Editor& editor) {
    Op(editor.edit, editor.edit.currentTriangle);
}

// An operation that may answer with a message box.
template <EditResult (*Op)(Model&)> void withResult(Editor& editor) {
    const EditResult result = Op(editor.edit);
    if (result.hasMessage())
        editor.platform.messageBox(result.text, result.caption, MessageButtons::Ok,
                                   MessageIcon::None);
}

template <bool X, bool Y, bool Z> void align(Editor& editor) {
    alignSelection(editor.edit, X, Y, Z);
}
template <int Axis> void mirror(Editor& editor) {
    mirrorCurrentMesh(editor.edit, Axis);
}
// Texture coordinates of the current mesh scaled by Factor / 2 along U or V.
template <bool AlongU, int HalfFactor> void scaleTexture(Editor& editor) {
    const float f = HalfFactor / 2.0f;
    Model& m = editor.edit;
    scaleTextureCoordinates(m, m.currentMesh, AlongU ? f : 1.0f, AlongU ? 1.0f : f);
}

void drawNewMeshMode(Editor& editor) {
    editor.state.editMode = EditMode::DrawNewMesh;
}
void importModelHere(Editor& editor) {
    importModelCommand(editor, false);
}
void importModelFromLibrary(Editor& editor) {
    importModelCommand(editor, true);
}
void undoStep(Editor& editor) {
    undo(editor.edit);
}
void redoStep(Editor& editor) {
    redo(editor.edit);
}
void materialEditorFromMenu(Editor& editor) {
    openMaterialEditor(editor, true);
}
void materialEditorFromPin(Editor& editor) {
    offerHint(editor.panels, editor.settings.showHint, kHintMaterialEditor,
              editor.settings.windowWidth, editor.settings.windowHeight);
    openMaterialEditor(editor, false);
}

// ---- Command bodies: view and options ----

// The background colour through the colour dialog with the 16 custom colours, which keep
// their edits even when the dialog is cancelled; the next frame clears with it.
void backgroundColour(Editor& editor) {
    Settings& s = editor.settings;
    ColourRef colour = makeColourRef(static_cast<int>(s.backgroundRed * 255),
                                     static_cast<int>(s.backgroundGreen * 255),
                                     static_cast<int>(s.backgroundBlue * 255));
    CustomColours custom;
    for (int i = 0; i < kCustomColourCount; ++i) custom[i] = s.customColour[i];
    const bool chosen = editor.platform.chooseColour(colour, custom);
    for (int i = 0; i < kCustomColourCount; ++i) s.customColour[i] = custom[i];
    if (!chosen) return;
    s.backgroundRed = colourRed(colour) / 255.0f;
    s.backgroundGreen = colourGreen(colour) / 255.0f;
    s.backgroundBlue = colourBlue(colour) / 255.0f;
}

// Grid spacing in tenths of a world unit.
template <int Tenths> void gridSpacing(Editor& editor) {
    for (ViewId v : kMainViews) editor.views[v].gridSpacing = Tenths / 10.0f;
}

void resetViewports(Editor& editor) {
    for (ViewId v : kMainViews) resetViewport(editor.views[v]);
}

// Options whose check mark is copied into a flag when toggled.
struct OptionRow {
    int id;
    bool& (*flag)(Editor&);
};

constexpr OptionRow kOptions[] = {
    {CmdAutomaticRevision, [](Editor& e) -> bool& { return e.state.automaticRevision; }},
    {CmdAutoCheckUpdates, [](Editor& e) -> bool& { return e.settings.enableUpdateChecking; }},
    {CmdFineMode, [](Editor& e) -> bool& { return e.edit.fineMode; }},
    {CmdOnlyExtendedToolbars,
     [](Editor& e) -> bool& { return e.settings.onlyShowExtendedToolbars; }},
    {CmdSnapToGrid, [](Editor& e) -> bool& { return e.state.snapToGrid; }},
    {CmdScaleX, [](Editor& e) -> bool& { return e.edit.scaleX; }},
    {CmdScaleY, [](Editor& e) -> bool& { return e.edit.scaleY; }},
    {CmdScaleZ, [](Editor& e) -> bool& { return e.edit.scaleZ; }},
    {CmdDeleteDefaultMesh,
     [](Editor& e) -> bool& { return e.settings.deleteDefaultMeshOnStartup; }},
    {CmdShowTexturePreview, [](Editor& e) -> bool& { return e.settings.showTexturePreview; }},
};

template <int Id> void toggleOption(Editor& editor) {
    for (const OptionRow& row : kOptions)
        if (row.id == Id) row.flag(editor) = toggleMenuCheck(editor, Id);
}

// Render Lit Mesh keeps its state in the check mark alone.
void toggleRenderLit(Editor& editor) {
    toggleMenuCheck(editor, CmdRenderLitMesh);
}

void toggleDebugInfo(Editor& editor) {
    Panel& panel = editor.panels.debugText;
    showPanelAt(panel, 10, editor.settings.windowHeight - 95);
    panel.visible = toggleMenuCheck(editor, CmdShowDebugInfo);
}

// The 3D view options that Preview Model and Restore Edit View set.
constexpr int kViewOptionIds[] = {kIdShowGrid,   kIdShowAxis,      kIdShowPoints,
                                  kIdShowMeshes, kIdShowMaterials, kIdShowMeshPins};

void setLayout(Editor& editor, int layout, bool editView) {
    editor.state.viewLayout = layout;
    layoutViewports(editor.views, layout, editor.settings.windowWidth,
                    editor.settings.windowHeight);
    for (int option : kViewOptionIds)
        setState(editor.panels.view3D, option, editView || option == kIdShowMaterials);
}
void previewModel(Editor& editor) {
    setLayout(editor, 4, false);
}
void restoreEditView(Editor& editor) {
    setLayout(editor, kLayoutSplit, true);
}

// Framing moves only the cameras, so it takes no undo step.
void frameAll(Editor& editor) {
    frameMainViews(editor.views, visibleModelBounds(editor.edit), editor.settings.windowWidth,
                   editor.settings.windowHeight);
}
void frameSelected(Editor& editor) {
    frameMainViews(editor.views, selectionBounds(editor.edit), editor.settings.windowWidth,
                   editor.settings.windowHeight);
}

// ---- Command bodies: help ----

void visitWebsite(Editor& editor) {
    editor.platform.openUrl(kWebSiteUrl);
}
void checkUpdatesNow(Editor& editor) {
    checkForUpdates(editor.platform, editor.log, editor.settings, UpdateCheckMode::Interactive);
}
void contactUs(Editor& editor) {
    editor.platform.openUrl(kContactUrl);
}
void showAbout(Editor& editor) {
    showPanelAt(editor.panels.about, editor.settings.windowWidth / 2 - 120,
                editor.settings.windowHeight / 2 - 90);
}

// ---- The table ----

constexpr Undo kNo = Undo::None;
constexpr Undo kSnap = Undo::Snapshot;
constexpr Confirm kAsk = Confirm::Delete;
constexpr Confirm kGo = Confirm::None;

constexpr Command kCommands[] = {
    // File
    {CmdNew, kNo, kGo, newModel},
    {CmdOpen, kNo, kGo, openModel},
    {CmdSave, kNo, kGo, saveModelCommand},
    {CmdSaveAs, kNo, kGo, saveModelAs},
    {CmdExit, kNo, kGo, exitProgram},
    {CmdSaveRevision, kNo, kGo, saveRevisionNow},
    {CmdAutomaticRevision, kNo, kGo, toggleOption<CmdAutomaticRevision>},
    {CmdImportObj, kSnap, kGo, importObjCommand},
    {CmdExportObj, kNo, kGo, exportObjCommand},
    {CmdImportGltf, kSnap, kGo, importGltfCommand},
    {CmdExportGltf, kNo, kGo, exportGltfCommand},
    {CmdExportObjMaterials, kNo, kGo, exportObjMaterialsCommand},
    {CmdExportStl, kNo, kGo, exportStlCommand},
    {CmdAutoCheckUpdates, kNo, kGo, toggleOption<CmdAutoCheckUpdates>},
    {CmdCheckUpdatesNow, kNo, kGo, checkUpdatesNow},
    {CmdRecentFile, kNo, kGo, openRecent<0>},
    {CmdRecentFile + 1, kNo, kGo, openRecent<1>},
    {CmdRecentFile + 2, kNo, kGo, openRecent<2>},
    {CmdRecentFile + 3, kNo, kGo, openRecent<3>},
    {CmdRecentFile + 4, kNo, kGo, openRecent<4>},
    {CmdRecentFile + 5, kNo, kGo, openRecent<5>},
    {CmdRecentFile + 6, kNo, kGo, openRecent<6>},
    {CmdRecentFile + 7, kNo, kGo, openRecent<7>},
    // Edit
    {CmdUndo, kNo, kGo, undoStep},
    {CmdRedo, kNo, kGo, redoStep},
    {CmdFineMode, kNo, kGo, toggleOption<CmdFineMode>},
    // Mesh
    {CmdSubdivideMesh, kSnap, kGo, onCurrentMesh<subdivideMesh>},
    {CmdCombine, kSnap, kGo, withResult<combineSelectedMeshes>},
    {CmdDuplicateMesh, kSnap, kGo, onCurrentMesh<duplicateMesh>},
    {CmdInvertMesh, kSnap, kGo, onCurrentMesh<invertMesh>},
    {CmdImportModel, kSnap, kGo, importModelHere},
    {CmdRecalculateTexture, kSnap, kGo, onCurrentMesh<recalculateTextureCoordinates>},
    {CmdScaleTextureU, kSnap, kGo, scaleTexture<true, 1>},
    {CmdScaleTextureU + 1, kSnap, kGo, scaleTexture<true, 4>},
    {CmdScaleTextureU + 2, kSnap, kGo, scaleTexture<true, 6>},
    {CmdScaleTextureU + 3, kSnap, kGo, scaleTexture<true, 8>},
    {CmdScaleTextureU + 4, kSnap, kGo, scaleTexture<true, 10>},
    {CmdScaleTextureV, kSnap, kGo, scaleTexture<false, 1>},
    {CmdScaleTextureV + 1, kSnap, kGo, scaleTexture<false, 4>},
    {CmdScaleTextureV + 2, kSnap, kGo, scaleTexture<false, 6>},
    {CmdScaleTextureV + 3, kSnap, kGo, scaleTexture<false, 8>},
    {CmdScaleTextureV + 4, kSnap, kGo, scaleTexture<false, 10>},
    {CmdSubdivideAll, kSnap, kGo, onModel<subdivideAllMeshes>},
    {CmdDrawNewMesh, kNo, kGo, drawNewMeshMode},
    {CmdShowAllMeshes, kSnap, kGo, onModel<showAllMeshes>},
    {CmdHideAllMeshes, kSnap, kGo, onModel<hideAllMeshes>},
    {CmdLockAllMeshes, kSnap, kGo, onModel<lockAllMeshes>},
    {CmdUnlockAllMeshes, kSnap, kGo, onModel<unlockAllMeshes>},
    {CmdImportFromLibrary, kSnap, kGo, importModelFromLibrary},
    {CmdMirrorX, kSnap, kGo, mirror<0>},
    {CmdMirrorY, kSnap, kGo, mirror<1>},
    {CmdMirrorZ, kSnap, kGo, mirror<2>},
    {CmdWeldMesh, kSnap, kGo, weldMeshCommand},
    // Material
    {CmdShowMaterialEditor, kSnap, kGo, materialEditorFromMenu},
    {CmdStripUnused, kSnap, kGo, onModel<stripUnusedMaterialsAndTextures>},
    // Vertex
    {CmdAlignX, kSnap, kGo, align<true, false, false>},
    {CmdAlignY, kSnap, kGo, align<false, true, false>},
    {CmdAlignZ, kSnap, kGo, align<false, false, true>},
    {CmdSelectAll, kSnap, kGo, onModel<selectAllVertices>},
    {CmdSelectNone, kSnap, kGo, onModel<selectNone>},
    {CmdLockSelected, kSnap, kGo, onModel<lockSelectedVertices>},
    {CmdUnlockSelected, kSnap, kGo, onModel<unlockSelectedVertices>},
    {CmdLockAllVertices, kSnap, kGo, onModel<lockAllMeshes>},
    {CmdUnlockAllVertices, kSnap, kGo, onModel<unlockAllMeshes>},
    {CmdExtend, kSnap, kGo, withResult<extendSelectedVertices>},
    {CmdExtendSawTooth, kSnap, kGo, withResult<extendSelectedVerticesSawTooth>},
    {CmdTransformSelection, kSnap, kGo, transformSelectionCommand, askTransform},
    {CmdWeldSelected, kSnap, kGo, weldSelectedCommand, askWeldDistance},
    // Triangle
    {CmdDeleteSelected, kSnap, kAsk, withResult<deleteSelectedTriangles>},
    {CmdSubdivideSelected, kSnap, kGo, onModel<subdivideSelectedTriangles>},
    {CmdSplitSelection, kSnap, kGo, withResult<splitSelectionToNewMesh>},
    // Options
    {CmdGridSize01, kNo, kGo, gridSpacing<1>},
    {CmdGridSize05, kNo, kGo, gridSpacing<5>},
    {CmdGridSize1, kNo, kGo, gridSpacing<10>},
    {CmdGridSize10, kNo, kGo, gridSpacing<100>},
    {CmdResetViewports, kNo, kGo, resetViewports},
    {CmdOnlyExtendedToolbars, kNo, kGo, toggleOption<CmdOnlyExtendedToolbars>},
    {CmdSnapToGrid, kNo, kGo, toggleOption<CmdSnapToGrid>},
    {CmdScaleX, kNo, kGo, toggleOption<CmdScaleX>},
    {CmdScaleY, kNo, kGo, toggleOption<CmdScaleY>},
    {CmdScaleZ, kNo, kGo, toggleOption<CmdScaleZ>},
    {CmdDeleteDefaultMesh, kNo, kGo, toggleOption<CmdDeleteDefaultMesh>},
    {CmdBackgroundColour, kNo, kGo, backgroundColour},
    {CmdShowTexturePreview, kNo, kGo, toggleOption<CmdShowTexturePreview>},
    {CmdReferenceImage, kNo, kGo, referenceImageCommand},
    {CmdClearReferenceImages, kNo, kGo, clearReferenceImagesCommand},
    // Model
    {CmdPreviewModel, kNo, kGo, previewModel},
    {CmdRenderLitMesh, kNo, kGo, toggleRenderLit},
    {CmdShowDebugInfo, kNo, kGo, toggleDebugInfo},
    {CmdRestoreEditView, kNo, kGo, restoreEditView},
    {CmdFrameAll, kNo, kGo, frameAll},
    {CmdFrameSelected, kNo, kGo, frameSelected},
    // Help
    {CmdVisitWebsite, kNo, kGo, visitWebsite},
    {CmdContact, kNo, kGo, contactUs},
    {CmdAbout, kNo, kGo, showAbout},

    // Unlock Toolbar and the Mesh Pin Toolbars: the mesh whose pin opened them.
    {kIdUnlockMesh, kSnap, kGo, onCurrentMesh<unlockMesh>},
    {kIdUnlockAllMeshes, kSnap, kGo, onModel<unlockAllMeshes>},
    {kIdLockMesh, kSnap, kGo, onCurrentMesh<lockMesh>},
    {kIdLockAllMeshes, kSnap, kGo, onModel<lockAllMeshes>},
    {kIdSelectMeshOnly, kSnap, kGo, onModel<selectCurrentMeshOnly>},
    {kIdAddMeshToSelection, kSnap, kGo, onModel<addCurrentMeshToSelection>},
    {kIdRemoveMeshFromSelection, kSnap, kGo, onModel<removeCurrentMeshFromSelection>},
    {kIdSelectAllMeshes, kSnap, kGo, onModel<selectAllVertices>},
    {kIdSelectNoMeshes, kSnap, kGo, onModel<selectNone>},
    {kIdSubdivideMesh, kSnap, kGo, onCurrentMesh<subdivideMesh>},
    {kIdInvertMesh, kSnap, kGo, onCurrentMesh<invertMesh>},
    {kIdDuplicateMesh, kSnap, kGo, onCurrentMesh<duplicateMesh>},
    {kIdMeshMaterial, kSnap, kGo, materialEditorFromPin},
    {kIdRecalcTexCoords, kSnap, kGo, onCurrentMesh<recalculateTextureCoordinates>},
    {kIdDeleteMesh, kSnap, kAsk, onCurrentMesh<deleteMesh>},
    {kIdHideMesh, kSnap, kGo, onModel<toggleHiddenCurrentMesh>},
    {kIdSmoothMesh, kSnap, kGo, onModel<toggleSmoothCurrentMesh>},
    {kIdTrianglePins, kSnap, kGo, onModel<toggleTrianglePinsCurrentMesh>},
    // Triangle Pin Toolbar: the current triangle.
    {kIdLockTriangle, kSnap, kGo, onModel<lockCurrentTriangle>},
    {kIdLockAllTriangles, kSnap, kGo, onModel<lockAllMeshes>},
    {kIdUnlockTriangle, kSnap, kGo, onModel<unlockCurrentTriangle>},
    {kIdUnlockAllTriangles, kSnap, kGo, onModel<unlockAllMeshes>},
    {kIdSelectTriangleOnly, kSnap, kGo, onModel<selectCurrentTriangleOnly>},
    {kIdAddTriangleToSelection, kSnap, kGo, onModel<addCurrentTriangle>},
    {kIdRemoveTriangleFromSelection, kSnap, kGo, onModel<removeCurrentTriangle>},
    {kIdSelectAllTriangles, kSnap, kGo, onModel<selectAllVertices>},
    {kIdSelectNoTriangles, kSnap, kGo, onModel<selectNone>},
    {kIdInvertTriangle, kSnap, kGo, onCurrentTriangle<invertTriangle>},
    {kIdDeleteTriangle, kSnap, kAsk, onCurrentTriangle<deleteTriangle>},
    {kIdSubdivideTriangle, kSnap, kGo, onCurrentTriangle<subdivideTriangle>},

    // Gestures
    {GestureDragVertices, kSnap, kGo, nullptr},
    {GestureDrawMesh, kSnap, kGo, nullptr},
};
constexpr std::size_t kCommandCount = sizeof kCommands / sizeof kCommands[0];

// Menu items, widgets and gestures share one id space, so an id names one row.
constexpr bool idsUnique() {
    for (std::size_t i = 0; i < kCommandCount; ++i)
        for (std::size_t j = i + 1; j < kCommandCount; ++j)
            if (kCommands[i].id == kCommands[j].id) return false;
    return true;
}
static_assert(idsUnique(), "every id has one row");

} // namespace

// ---- Dispatch ----

const Command* commandTable() {
    return kCommands;
}

std::size_t commandCount() {
    return kCommandCount;
}

const Command* findCommand(int id) {
    for (const Command& c : kCommands)
        if (c.id == id) return &c;
    return nullptr;
}

bool confirmCommand(Editor& editor, Confirm confirm) {
    if (confirm == Confirm::None) return true;
    return editor.platform.messageBox("Are you sure you want to delete?", "Confirm Delete",
                                      MessageButtons::YesNo,
                                      MessageIcon::Question) == MessageAnswer::Yes;
}

void prepareCommand(Editor& editor, int id) {
    const Command* c = findCommand(id);
    if (c && c->undo == Undo::Snapshot) takeSnapshot(editor.edit);
}

bool runCommand(Editor& editor, int id) {
    const Command* c = findCommand(id);
    if (!c || !c->run) return false;
    if (!confirmCommand(editor, c->confirm)) return false;
    if (c->ask && !c->ask(editor)) return false;
    const int32_t position = editor.edit.undo.position;
    prepareCommand(editor, id);
    try {
        c->run(editor);
    } catch (const std::bad_alloc&) {
        // The snapshot taken for the command gives the model back as it was before it.
        const bool reverted =
            editor.edit.undo.position != position && revertToSnapshot(editor.edit);
        showOutOfMemory(editor, reverted);
    }
    return true;
}

void showOutOfMemory(Editor& editor, bool modelRestored) {
    std::string text = "Not enough memory to finish this command.";
    if (modelRestored) text += "\nThe model is as it was before it.";
    try {
        logEntry(editor.log, "ERROR: " + text);
    } catch (const std::bad_alloc&) {
        // The box still tells the user.
    }
    editor.platform.messageBox(text, "ERROR", MessageButtons::Ok, MessageIcon::Warning);
}

bool toggleMenuCheck(Editor& editor, int id) {
    const bool on = !editor.platform.menuCheck(id);
    editor.platform.setMenuCheck(id, on);
    return on;
}
