// The material editor and texture selector panels: their widget tables, the blend-factor cycles,
// moving a material between the widgets and the material-editor model, and the selector's pages.
#pragma once

#include "base/log.h"
#include "model/model.h"
#include "ui/toolbars.h"

#include <cstdint>
#include <string_view>

// Widget ids of the material editor and the texture selector.
enum : int {
    kIdMaterialName = 1035, // text field
    kIdMaterialApply = 1036,
    kIdMaterialCancel = 1037,
    kIdShininess = 1038, // slider 0 .. 128
    kIdEnableBlend = 1039,
    kIdSourcePrevious = 1040,
    kIdSourceNext = 1041,
    kIdSourceFactor = 1042, // label; value = GL blend factor
    kIdDestinationPrevious = 1043,
    kIdDestinationNext = 1044,
    kIdDestinationFactor = 1045, // label; value = GL blend factor
    kIdEnableLighting = 1046,
    kIdEnableTexture = 1047,
    kIdTexturePrevious = 1048,
    kIdTextureNext = 1049,
    kIdTextureFileName = 1050,
    kIdTextureImage = 1051, // value = GL texture name, extra = texture index
    kIdPreviousMaterial = 1054,
    kIdNextMaterial = 1055,
    kIdMaterialNumber = 1056,
    kIdAutoRotate = 1057,
    kIdPreviewModel1 = 1059, // 1059 .. 1061: which preview model is shown
    kIdAddMaterial = 1062,
    kIdDeleteMaterial = 1063,
    kIdApplyToSimilar = 1064,
    // Texture selector.
    kIdTextureSlot = 1070, // 1070 .. 1078: one page of textures, three rows of three
    kIdSelectorNext = 1079,
    kIdSelectorPrevious = 1080,
    kIdSelectorClose = 1081,
    kIdSelectorAddTexture = 1082,
    kIdSelectorPage = 1083, // value holder: the page shown
};
constexpr int kPreviewModels = 3;
constexpr int kTexturesPerPage = 9;

// Sizes, titles, bars and widgets of both panels (textures of the arrow images from
// loadTexture). Needs no OpenGL unless loadTexture does.
void layoutMaterialEditor(Panels& panels, unsigned (*loadTexture)(int resourceId));

// Blend factors: the next (step 1) or previous (step -1) factor of the source or destination
// cycle; a value outside the cycle is returned unchanged.
int32_t stepSourceFactor(int32_t factor, int step);
int32_t stepDestinationFactor(int32_t factor, int step);
// The GL name of a factor of the cycle, or empty for a value outside it.
std::string_view sourceFactorName(int32_t factor);
std::string_view destinationFactorName(int32_t factor);

// The model's current material into the widgets: name, colours, shininess (truncated, 0 .. 128),
// switches, blend factors, texture image and file name, material number.
void pushMaterialToEditor(Panel& editor, const Model& m, const LogChannel& log);
// The widgets into the model's current material; then the texture widgets are shown only while
// texturing is ticked.
void pullEditorToMaterial(Panel& editor, Model& m);
// Material 0 of each preview model takes the edited values and the shown texture image; then
// the blend-factor labels are captioned from their values.
void updatePreviewMaterials(Panel& editor, Model previews[kPreviewModels]);

// Previous and next material, wrapping; each logs the number before and after, then pushes.
void previousMaterial(Panel& editor, Model& m, const LogChannel& log);
void nextMaterial(Panel& editor, Model& m, const LogChannel& log);
// The current material's texture index one step along the textures (wrapping), then pushed.
// Without textures nothing changes.
void stepMaterialTexture(Panel& editor, Model& m, int step, const LogChannel& log);

// Ticks exactly one of the three preview check boxes.
void choosePreviewModel(Panel& editor, int index);
// Index 0 .. 2 of the preview model ticked, or -1.
int tickedPreviewModel(const Panel& editor);

// The selector's page for the model's textures: a page past the last texture falls back to the
// last page; the arrows show only where there is a page to go to; the slots take the page's
// textures (GL name, file name as help).
void updateTextureSelector(Panel& selector, const Model& m);
// The texture index a slot (0 .. 8) stands for on the shown page, or -1 when it has none.
int selectorSlotTexture(const Panel& selector, const Model& m, int slot);
