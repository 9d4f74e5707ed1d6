// The command table of the main menu.
//
// Sections: command bodies; the table; dispatch.
#include "app/menu_commands.h"

#include "app/file_commands.h"
#include "app/material_editor_commands.h"
#include "app/update_check.h"
#include "edit/extend.h"
#include "edit/materials.h"
#include "edit/selection.h"
#include "edit/structure.h"
#include "edit/subdivide.h"
#include "edit/texture_coords.h"
#include "edit/transforms.h"
#include "edit/undo.h"
#include "resources/menu_table.h"
#include "ui/about.h"
#include "ui/panel.h"

#include <cstddef>
#include <ctime>

namespace {

// ---- Command bodies ----

constexpr ViewId kMainViews[] = {ViewFront, ViewLeft, ViewTop, View3D};

void exitProgram(Editor& editor, int) {
    editor.quit = true;
}
void newCommand(Editor& editor, int) {
    newModel(editor);
}
void openCommand(Editor& editor, int) {
    openModel(editor);
}
void saveCommand(Editor& editor, int) {
    saveModelCommand(editor);
}
void saveAsCommand(Editor& editor, int) {
    saveModelAs(editor);
}
void revisionCommand(Editor& editor, int) {
    saveRevision(editor, std::time(nullptr));
}

// The background colour through the colour dialog with the 16 custom colours, which keep
// their edits even when the dialog is cancelled; the next frame clears with it.
void backgroundColour(Editor& editor, int) {
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

void visitWebsite(Editor& editor, int) {
    editor.platform.openUrl(kWebSiteUrl);
}
void checkUpdatesNow(Editor& editor, int) {
    checkForUpdates(editor.platform, editor.log, editor.settings, UpdateCheckMode::Interactive);
}
void contactUs(Editor& editor, int) {
    editor.platform.openUrl(kContactUrl);
}
void showAbout(Editor& editor, int) {
    showPanelAt(editor.panels.about, editor.settings.windowWidth / 2 - 120,
                editor.settings.windowHeight / 2 - 90);
}

void showMaterialEditor(Editor& editor, int) {
    openMaterialEditor(editor, true);
}

// ---- Structure commands ----

void showResult(Editor& editor, const EditResult& result) {
    if (result.hasMessage())
        editor.platform.messageBox(result.text, result.caption, MessageButtons::Ok,
                                   MessageIcon::None);
}

// Commands on the current mesh, which never act outside the model.
void meshCommand(Editor& editor, int id) {
    Model& m = editor.edit;
    switch (id) {
    case CmdSubdivideMesh:
        subdivideMesh(m, m.currentMesh);
        break;
    case CmdSubdivideAll:
        subdivideAllMeshes(m);
        break;
    case CmdDuplicateMesh:
        duplicateMesh(m, m.currentMesh);
        break;
    case CmdInvertMesh:
        invertMesh(m, m.currentMesh);
        break;
    case CmdRecalculateTexture:
        recalculateTextureCoordinates(m, m.currentMesh);
        break;
    case CmdSubdivideSelected:
        subdivideSelectedTriangles(m);
        break;
    case CmdStripUnused:
        stripUnusedMaterialsAndTextures(m);
        break;
    default:
        break;
    }
}

// Scale the current mesh's texture coordinates: 308-312 along U, 313-317 along V.
void scaleTextureCommand(Editor& editor, int id) {
    static const float kFactors[] = {0.5f, 2.0f, 3.0f, 4.0f, 5.0f};
    const bool alongU = id < CmdScaleTextureV;
    const float f = kFactors[(id - CmdScaleTextureU) % 5];
    Model& m = editor.edit;
    scaleTextureCoordinates(m, m.currentMesh, alongU ? f : 1.0f, alongU ? 1.0f : f);
}

// Operations that take their own undo step and may answer with a message.
void undoableCommand(Editor& editor, int id) {
    Model& m = editor.edit;
    takeSnapshot(m);
    switch (id) {
    case CmdCombine:
        showResult(editor, combineSelectedMeshes(m));
        break;
    case CmdSplitSelection:
        showResult(editor, splitSelectionToNewMesh(m));
        break;
    case CmdExtend:
        showResult(editor, extendSelectedVertices(m));
        break;
    case CmdExtendSawTooth:
        showResult(editor, extendSelectedVerticesSawTooth(m));
        break;
    default:
        break;
    }
}

void deleteSelectedCommand(Editor& editor, int) {
    if (editor.platform.messageBox("Are you sure you want to delete?", "Confirm Delete",
                                   MessageButtons::YesNo,
                                   MessageIcon::Question) != MessageAnswer::Yes)
        return;
    showResult(editor, deleteSelectedTriangles(editor.edit));
}

void drawNewMeshCommand(Editor& editor, int) {
    editor.state.editMode = EditMode::DrawNewMesh;
}

void importObjMenu(Editor& editor, int) {
    importObjCommand(editor);
}
void exportObjMenu(Editor& editor, int) {
    exportObjCommand(editor);
}
void importModelMenu(Editor& editor, int id) {
    importModelCommand(editor, id == CmdImportFromLibrary);
}

void undoCommand(Editor& editor, int) {
    undo(editor.edit);
}
void redoCommand(Editor& editor, int) {
    redo(editor.edit);
}

// Align takes its own undo step.
void alignCommand(Editor& editor, int id) {
    takeSnapshot(editor.edit);
    alignSelection(editor.edit, id == CmdAlignX, id == CmdAlignY, id == CmdAlignZ);
}
void mirrorCommand(Editor& editor, int id) {
    mirrorCurrentMesh(editor.edit, id - CmdMirrorX);
}

// Selection and lock commands that act on the whole model.
void modelCommand(Editor& editor, int id) {
    struct Row {
        int id;
        void (*run)(Model&);
    };
    static const Row kRows[] = {
        {CmdSelectAll, selectAllVertices},       {CmdSelectNone, selectNone},
        {CmdLockSelected, lockSelectedVertices}, {CmdUnlockSelected, unlockSelectedVertices},
        {CmdLockAllVertices, lockAllMeshes},     {CmdUnlockAllVertices, unlockAllMeshes},
        {CmdShowAllMeshes, showAllMeshes},       {CmdHideAllMeshes, hideAllMeshes},
        {CmdLockAllMeshes, lockAllMeshes},       {CmdUnlockAllMeshes, unlockAllMeshes},
    };
    for (const Row& row : kRows)
        if (row.id == id) row.run(editor.edit);
}

void setGridSpacing(Editor& editor, int id) {
    static const float kSpacing[] = {0.1f, 0.5f, 1.0f, 10.0f};
    for (ViewId v : kMainViews) editor.views[v].gridSpacing = kSpacing[id - CmdGridSize01];
}

void resetViewports(Editor& editor, int) {
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

void toggleOption(Editor& editor, int id) {
    for (const OptionRow& row : kOptions)
        if (row.id == id) row.flag(editor) = toggleMenuCheck(editor, id);
}

// Render Lit Mesh keeps its state in the check mark alone.
void toggleMarkOnly(Editor& editor, int id) {
    toggleMenuCheck(editor, id);
}

void toggleDebugInfo(Editor& editor, int id) {
    Panel& panel = editor.panels.debugText;
    showPanelAt(panel, 10, editor.settings.windowHeight - 95);
    panel.visible = toggleMenuCheck(editor, id);
}

// The 3D view options that Preview Model and Restore Edit View set, in widget-id order.
constexpr int kViewOptionIds[] = {1025, 1026, 1027, 1028, 1029, 1030};
constexpr int kShowMaterials = 1029;

void setLayout(Editor& editor, int layout, bool editView) {
    editor.state.viewLayout = layout;
    layoutViewports(editor.views, layout, editor.settings.windowWidth,
                    editor.settings.windowHeight);
    for (int option : kViewOptionIds)
        setState(editor.panels.view3D, option, editView || option == kShowMaterials);
}
void previewModel(Editor& editor, int) {
    setLayout(editor, 4, false);
}
void restoreEditView(Editor& editor, int) {
    setLayout(editor, kLayoutSplit, true);
}

// ---- The table ----

struct CommandRow {
    int first, last; // identifiers served
    void (*run)(Editor&, int id);
};

constexpr CommandRow kCommands[] = {
    {CmdNew, CmdNew, newCommand},
    {CmdOpen, CmdOpen, openCommand},
    {CmdSave, CmdSave, saveCommand},
    {CmdSaveAs, CmdSaveAs, saveAsCommand},
    {CmdExit, CmdExit, exitProgram},
    {CmdUndo, CmdUndo, undoCommand},
    {CmdRedo, CmdRedo, redoCommand},
    {CmdShowAllMeshes, CmdUnlockAllMeshes, modelCommand},
    {CmdAlignX, CmdAlignZ, alignCommand},
    {CmdSelectAll, CmdUnlockAllVertices, modelCommand},
    {CmdMirrorX, CmdMirrorZ, mirrorCommand},
    {CmdSaveRevision, CmdSaveRevision, revisionCommand},
    {CmdAutomaticRevision, CmdAutomaticRevision, toggleOption},
    {CmdAutoCheckUpdates, CmdAutoCheckUpdates, toggleOption},
    {CmdCheckUpdatesNow, CmdCheckUpdatesNow, checkUpdatesNow},
    {CmdFineMode, CmdFineMode, toggleOption},
    {CmdOnlyExtendedToolbars, CmdDeleteDefaultMesh, toggleOption},
    {CmdShowTexturePreview, CmdShowTexturePreview, toggleOption},
    {CmdGridSize01, CmdGridSize10, setGridSpacing},
    {CmdResetViewports, CmdResetViewports, resetViewports},
    {CmdPreviewModel, CmdPreviewModel, previewModel},
    {CmdRenderLitMesh, CmdRenderLitMesh, toggleMarkOnly},
    {CmdShowDebugInfo, CmdShowDebugInfo, toggleDebugInfo},
    {CmdRestoreEditView, CmdRestoreEditView, restoreEditView},
    {CmdBackgroundColour, CmdBackgroundColour, backgroundColour},
    {CmdSubdivideMesh, CmdSubdivideMesh, meshCommand},
    {CmdImportObj, CmdImportObj, importObjMenu},
    {CmdExportObj, CmdExportObj, exportObjMenu},
    {CmdImportModel, CmdImportModel, importModelMenu},
    {CmdImportFromLibrary, CmdImportFromLibrary, importModelMenu},
    {CmdCombine, CmdCombine, undoableCommand},
    {CmdDuplicateMesh, CmdInvertMesh, meshCommand},
    {CmdRecalculateTexture, CmdRecalculateTexture, meshCommand},
    {CmdScaleTextureU, CmdScaleTextureV + 4, scaleTextureCommand},
    {CmdSubdivideAll, CmdSubdivideAll, meshCommand},
    {CmdDrawNewMesh, CmdDrawNewMesh, drawNewMeshCommand},
    {CmdShowMaterialEditor, CmdShowMaterialEditor, showMaterialEditor},
    {CmdStripUnused, CmdStripUnused, meshCommand},
    {CmdExtend, CmdExtendSawTooth, undoableCommand},
    {CmdDeleteSelected, CmdDeleteSelected, deleteSelectedCommand},
    {CmdSubdivideSelected, CmdSubdivideSelected, meshCommand},
    {CmdSplitSelection, CmdSplitSelection, undoableCommand},
    {CmdVisitWebsite, CmdVisitWebsite, visitWebsite},
    {CmdContact, CmdContact, contactUs},
    {CmdAbout, CmdAbout, showAbout},
};

} // namespace

// ---- Dispatch ----

bool toggleMenuCheck(Editor& editor, int id) {
    const bool on = !editor.platform.menuCheck(id);
    editor.platform.setMenuCheck(id, on);
    return on;
}

void runMenuCommand(Editor& editor, int id) {
    for (const CommandRow& row : kCommands)
        if (id >= row.first && id <= row.last) {
            row.run(editor, id);
            return;
        }
}
