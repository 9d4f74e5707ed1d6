// The main menu table.
#include "resources/menu_table.h"

namespace {
constexpr MenuEntryKind M = MenuEntryKind::Menu;
constexpr MenuEntryKind I = MenuEntryKind::Item;
constexpr MenuEntryKind S = MenuEntryKind::Separator;
} // namespace

// clang-format off
extern const MenuEntry kMainMenu[] = {
    {0, M, 0, "&File", false},
    {1, I, 201, "&New", false},
    {1, I, 202, "&Open", false},
    {1, M, 0, "Recent &Files", false},
    {2, I, 230, "", false},
    {2, I, 231, "", false},
    {2, I, 232, "", false},
    {2, I, 233, "", false},
    {2, I, 234, "", false},
    {2, I, 235, "", false},
    {2, I, 236, "", false},
    {2, I, 237, "", false},
    {1, I, 203, "&Save", false},
    {1, I, 204, "Save &As...", false},
    {1, I, 206, "Save &Revision", false},
    {1, I, 207, "Automatic Revision Saving", true},
    {1, S, 0, "", false},
    {1, I, 208, "&Import .OBJ File", false},
    {1, I, 209, "&Export .OBJ File", false},
    {1, I, 220, "Import glTF 2.0 File...", false},
    {1, I, 221, "Export glTF 2.0 File...", false},
    {1, I, 222, "Export .OBJ with Materials...", false},
    {1, I, 223, "Export .STL File...", false},
    {1, S, 0, "", false},
    {1, I, 210, "Automatically Check For Updates", true},
    {1, I, 211, "Check For Updates Now", false},
    {1, S, 0, "", false},
    {1, I, 205, "E&xit", false},

    {0, M, 0, "&Edit", false},
    {1, I, 251, "&Undo", false},
    {1, I, 252, "&Redo", false},

    {0, M, 0, "&Vertex", false},
    {1, M, 0, "&Align Selected", false},
    {2, I, 501, "&X Coordinate Values", false},
    {2, I, 502, "&Y Coordinate Values", false},
    {2, I, 503, "&Z Coordinate Values", false},
    {1, S, 0, "", false},
    {1, I, 504, "Select All Vertices", false},
    {1, I, 505, "Select None", false},
    {1, S, 0, "", false},
    {1, I, 506, "Lock Selected Vertices", false},
    {1, I, 507, "Unlock Selected Vertices", false},
    {1, I, 508, "Lock All Vertices", false},
    {1, I, 509, "Unlock All Vertices", false},
    {1, S, 0, "", false},
    {1, I, 510, "Extend Selected Vertices", false},
    {1, I, 511, "Extend Selected Vertices (SawTooth)", false},
    {1, S, 0, "", false},
    {1, I, 512, "Transform Selection...", false},
    {1, I, 513, "Weld Selected Vertices...", false},

    {0, M, 0, "&Triangle", false},
    {1, I, 1501, "Delete Selected Triangles", false},
    {1, I, 1502, "Subdivide Selected Triangles", false},
    {1, I, 1503, "Split Selection to NEW Mesh", false},

    {0, M, 0, "&Mesh", false},
    {1, I, 321, "&Draw New Mesh", false},
    {1, S, 0, "", false},
    {1, I, 301, "Subdivide", false},
    {1, I, 320, "Subdivide ALL Meshes", false},
    {1, S, 0, "", false},
    {1, I, 302, "Combine Selection to Single Mesh", false},
    {1, S, 0, "", false},
    {1, M, 0, "Texture Coordinates", false},
    {2, I, 307, "Recalculate", false},
    {2, M, 0, "Scale X Coordinates", false},
    {3, I, 308, "By: 0.5f", false},
    {3, I, 309, "By: 2.0f", false},
    {3, I, 310, "By: 3.0f", false},
    {3, I, 311, "By: 4.0f", false},
    {3, I, 312, "By: 5.0f", false},
    {2, M, 0, "Scale Y Coordinates", false},
    {3, I, 313, "By: 0.5f", false},
    {3, I, 314, "By: 2.0f", false},
    {3, I, 315, "By: 3.0f", false},
    {3, I, 316, "By: 4.0f", false},
    {3, I, 317, "By: 5.0f", false},
    {1, S, 0, "", false},
    {1, I, 304, "Create Duplicate", false},
    {1, I, 305, "Invert (switch front/back face)", false},
    {1, M, 0, "Mirror Current Mesh", false},
    {2, I, 1307, "Mirror X Coordinate Values", false},
    {2, I, 1308, "Mirror Y Coordinate Values", false},
    {2, I, 1309, "Mirror Z Coordinate Values", false},
    {1, S, 0, "", false},
    {1, I, 306, "Import FW2 File", false},
    {1, I, 1306, "Import FW2 File from Library", false},
    {1, S, 0, "", false},
    {1, I, 324, "Show All Meshes", false},
    {1, I, 325, "Hide All Meshes", false},
    {1, S, 0, "", false},
    {1, I, 326, "Lock All Meshes", false},
    {1, I, 327, "Unlock All Meshes", false},
    {1, S, 0, "", false},
    {1, I, 328, "Weld Mesh", false},

    {0, M, 0, "&Material", false},
    {1, I, 401, "Show Material Editor", false},
    {1, S, 0, "", false},
    {1, I, 403, "Strip Unused Materials and Textures", false},

    {0, M, 0, "Model", false},
    {1, I, 700, "&Preview Model", false},
    {1, I, 703, "&Restore Edit View", false},
    {1, I, 701, "&Render Lit Mesh", true},
    {1, S, 0, "", false},
    {1, I, 720, "&Frame All", false},
    {1, I, 721, "Frame Se&lected", false},
    {1, S, 0, "", false},
    {1, I, 702, "&Show Debug Info", true},

    {0, M, 0, "&Options", false},
    {1, M, 0, "Set &Grid Size", false},
    {2, I, 601, "Grid Size: 0.1f", false},
    {2, I, 602, "Grid Size: 0.5f", false},
    {2, I, 603, "Grid Size: 1.0f", false},
    {2, I, 604, "Grid Size: 10.0f", false},
    {1, I, 607, "Snap-To-Grid", true},
    {1, S, 0, "", false},
    {1, M, 0, "&Scale Function", false},
    {2, I, 608, "Scale X Coordinate Values", true},
    {2, I, 609, "Scale Y Coordinate Values", true},
    {2, I, 610, "Scale Z Coordinate Values", true},
    {1, S, 0, "", false},
    {1, I, 254, "Fine Mode Editing", true},
    {1, I, 613, "Show Texture Preview", true},
    {1, S, 0, "", false},
    {1, I, 605, "Reset ViewPorts", false},
    {1, I, 612, "Set Background Colour", false},
    {1, S, 0, "", false},
    {1, I, 606, "Only show Extended MeshPin Toolbar", true},
    {1, I, 611, "Delete Default Mesh on Startup", true},
    {1, S, 0, "", false},
    {1, I, 630, "Reference Image...", false},
    {1, I, 631, "Clear Reference Images", false},

    {0, M, 0, "&Help", false},
    {1, I, 801, "&Visit Facetwright Website", false},
    {1, S, 0, "", false},
    {1, I, 803, "&About Facetwright", false},
    {1, I, 802, "&Contact Me... (Will launch your e-mail program)", false},
};
// clang-format on

extern const std::size_t kMainMenuCount = sizeof(kMainMenu) / sizeof(kMainMenu[0]);

// Command keys. None is a key the editor reads otherwise (M, the arrows, Page Up and Page Down),
// and none is a letter without Ctrl, so the keys typed into a material name stay its own.
// clang-format off
extern const MenuKey kMenuKeys[] = {
    {CmdNew,            'N',  true,  false, "N"},
    {CmdOpen,           'O',  true,  false, "O"},
    {CmdSaveAs,         'S',  true,  true,  "S"}, // before Ctrl+S, which would take it
    {CmdSave,           'S',  true,  false, "S"},
    {CmdUndo,           'Z',  true,  false, "Z"},
    {CmdRedo,           'R',  true,  false, "R"},
    {CmdRedo,           'Y',  true,  false, "Y"},
    {CmdDeleteSelected, 0x2E, false, false, "Del"},
    {CmdFrameAll,       0x24, false, false, "Home"},
    {CmdFrameSelected,  0x23, false, false, "End"},
};
// clang-format on

extern const std::size_t kMenuKeyCount = sizeof(kMenuKeys) / sizeof(kMenuKeys[0]);

std::string menuKeyText(const MenuKey* keys, std::size_t count, int id) {
    std::string text;
    for (std::size_t i = 0; keys && i < count; ++i) {
        if (keys[i].id != id) continue;
        if (!text.empty()) text += ", ";
        if (keys[i].ctrl) text += "Ctrl+";
        if (keys[i].shift) text += "Shift+";
        text += keys[i].name;
    }
    return text;
}
