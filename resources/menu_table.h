// The main menu: every menu, item, separator and submenu, in order, as one table.
#pragma once

#include <cstddef>
#include <string>

enum class MenuEntryKind { Menu, Item, Separator };

// Entries nest by depth: a Menu opens a (sub)menu whose entries follow one level deeper.
struct MenuEntry {
    int depth;
    MenuEntryKind kind;
    int id; // command identifier of an item; 0 otherwise
    const char* caption;
    bool toggles; // the item keeps an on/off check mark
};

extern const MenuEntry kMainMenu[];
extern const std::size_t kMainMenuCount;

// The slots of File > Recent Files.
constexpr int kRecentFileSlots = 8;

// A key that runs a menu item, shown beside its caption. The first row that matches a press
// takes it; a row without Shift also takes the key with Shift, Ctrl must match.
struct MenuKey {
    int id;
    int key; // virtual-key code; letters are their capitals
    bool ctrl, shift;
    const char* name; // the key as the menu shows it
};
extern const MenuKey kMenuKeys[];
extern const std::size_t kMenuKeyCount;
// "Ctrl+Shift+S", and every key of an item joined by ", "; empty when it has none.
std::string menuKeyText(const MenuKey* keys, std::size_t count, int id);

// Command identifiers the program refers to by name.
enum MenuCommand {
    CmdNew = 201,
    CmdOpen = 202,
    CmdSave = 203,
    CmdSaveAs = 204,
    CmdExit = 205,
    CmdSaveRevision = 206,
    CmdAutomaticRevision = 207,
    CmdImportObj = 208,
    CmdExportObj = 209,
    CmdImportGltf = 220,
    CmdExportGltf = 221,
    CmdExportObjMaterials = 222,
    CmdExportStl = 223,
    CmdAutoCheckUpdates = 210,
    CmdCheckUpdatesNow = 211,
    CmdRecentFile = 230, // 230 .. 237: the recent files, newest first
    CmdUndo = 251,
    CmdRedo = 252,
    CmdFineMode = 254,
    CmdSubdivideMesh = 301,
    CmdCombine = 302,
    CmdDuplicateMesh = 304,
    CmdInvertMesh = 305,
    CmdImportModel = 306,
    CmdRecalculateTexture = 307,
    CmdScaleTextureU = 308, // 308 .. 312: by 0.5, 2, 3, 4, 5 along U
    CmdScaleTextureV = 313, // 313 .. 317: the same along V
    CmdSubdivideAll = 320,
    CmdDrawNewMesh = 321,
    CmdShowAllMeshes = 324,
    CmdHideAllMeshes = 325,
    CmdLockAllMeshes = 326,
    CmdUnlockAllMeshes = 327,
    CmdAlignX = 501,
    CmdAlignY = 502,
    CmdAlignZ = 503,
    CmdSelectAll = 504,
    CmdSelectNone = 505,
    CmdLockSelected = 506,
    CmdUnlockSelected = 507,
    CmdLockAllVertices = 508,
    CmdUnlockAllVertices = 509,
    CmdExtend = 510,
    CmdExtendSawTooth = 511,
    CmdTransformSelection = 512,
    CmdWeldSelected = 513,
    CmdWeldMesh = 328,
    CmdReferenceImage = 630,
    CmdClearReferenceImages = 631,
    CmdShowMaterialEditor = 401,
    CmdStripUnused = 403,
    CmdGridSize01 = 601,
    CmdGridSize05 = 602,
    CmdGridSize1 = 603,
    CmdGridSize10 = 604,
    CmdResetViewports = 605,
    CmdOnlyExtendedToolbars = 606,
    CmdSnapToGrid = 607,
    CmdScaleX = 608,
    CmdScaleY = 609,
    CmdScaleZ = 610,
    CmdDeleteDefaultMesh = 611,
    CmdBackgroundColour = 612,
    CmdShowTexturePreview = 613,
    CmdPreviewModel = 700,
    CmdRenderLitMesh = 701,
    CmdShowDebugInfo = 702,
    CmdRestoreEditView = 703,
    CmdFrameAll = 720,
    CmdFrameSelected = 721,
    CmdVisitWebsite = 801,
    CmdContact = 802,
    CmdAbout = 803,
    CmdImportFromLibrary = 1306,
    CmdMirrorX = 1307,
    CmdMirrorY = 1308,
    CmdMirrorZ = 1309,
    CmdDeleteSelected = 1501,
    CmdSubdivideSelected = 1502,
    CmdSplitSelection = 1503,
};
