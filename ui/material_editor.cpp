// The material editor and texture selector panels: widget tables, blend-factor cycles, and the
// moves between widgets and materials.
//
// Sections: widget tables; blend factors; material and widgets; browsing; the texture selector.
#include "ui/material_editor.h"

#include "ui/widget_rows.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace {

// ---- Widget tables ----

constexpr WidgetType kButton = WidgetType::Button;
constexpr WidgetType kCheck = WidgetType::CheckBox;
constexpr WidgetType kLabel = WidgetType::Label;
constexpr WidgetType kImage = WidgetType::ImageButton;

constexpr char kApplyHelp[] = "Close the Material Editor and apply changes";
constexpr char kCancelHelp[] = "Close the Material Editor and discard changes";

constexpr WidgetRow darkBox(int x, int y, int width, int height, const char* caption) {
    return {0, kLabel, x, y, width, height, 10, 14, caption, "", 0, false, true, false, 0};
}
constexpr WidgetRow plainText(int x, int y, const char* caption) {
    return {0, kLabel, x, y, 0, 0, 0, 12, caption, "", 0, false, false, false, 0};
}
constexpr WidgetRow lightBox(int id, int x, int y, int width, int textX, int textY,
                             const char* caption, int value) {
    return {id, kLabel, x, y, width, 16, textX, textY, caption, "", 0, false, true, true, value};
}
constexpr WidgetRow arrow(int id, int x, int y, const char* caption) {
    return {id, kButton, x, y, 16, 16, 5, 12, caption, "", 0, false, false, false, 0};
}
constexpr WidgetRow checkBox(int id, int x, int y, bool state = false) {
    return {id, kCheck, x, y, 16, 16, 0, 0, "", "", 0, state, false, false, 0};
}
constexpr WidgetRow button(int id, int x, int y, int width, int textX, const char* caption,
                           const char* help) {
    return {id, kButton, x, y, width, 20, textX, 13, caption, help, 0, false, false, false, 0};
}

// The blend labels start at GL_SRC_ALPHA and GL_ONE_MINUS_SRC_ALPHA; the texture image at -1
// (no texture yet).
constexpr WidgetRow kEditorWidgets[] = {
    plainText(10, 20, "Material Name"),
    {kIdMaterialName, WidgetType::TextField, 100, 20, 200, 16, 5, 10, "",
     "Enter a Name for your Material Here", 0, false, false, false, 0},
    {kIdMaterialNumber, kLabel, 350, 20, 40, 16, 5, 12, "0", "", 0, false, true, false, 0},
    button(kIdAddMaterial, 420, 18, 60, 9, "Add New", kApplyHelp),
    button(kIdDeleteMaterial, 500, 18, 60, 15, "Delete", kCancelHelp),
    {0, WidgetType::ColourPicker, 40, 50, 240, 130, 0, 0, "", "", 0, false, false, false, 0},
    darkBox(40, 192, 240, 25, "Shininess"),
    {kIdShininess, WidgetType::Slider, 107, 195, 130, 16, 0, 0, "", "", 0, false, true, false, 0},
    darkBox(40, 230, 240, 80, "Enable Blending/Transparency"),
    checkBox(kIdEnableBlend, 220, 234),
    plainText(40, 250, "GL Blend Function"),
    plainText(40, 270, "SRC"),
    plainText(40, 290, "DST"),
    arrow(kIdSourcePrevious, 80, 270, "<"),
    arrow(kIdSourceNext, 260, 270, ">"),
    lightBox(kIdSourceFactor, 100, 270, 157, 3, 12, "GL_SRC_ALPHA", GL_SRC_ALPHA),
    arrow(kIdDestinationPrevious, 80, 290, "<"),
    arrow(kIdDestinationNext, 260, 290, ">"),
    lightBox(kIdDestinationFactor, 100, 290, 157, 3, 12, "GL_ONE_MINUS_SRC_ALPHA",
             GL_ONE_MINUS_SRC_ALPHA),
    darkBox(40, 315, 240, 25, "Enable Lighting"),
    checkBox(kIdEnableLighting, 220, 319),
    darkBox(40, 345, 240, 136, "Enable Textures"),
    checkBox(kIdEnableTexture, 220, 349),
    {kIdTextureImage, kImage, 120, 375, 80, 80, 0, 0, "", "Click to veiw Texture Browser", 0, true,
     false, false, -1},
    arrow(kIdTexturePrevious, 45, 460, "<"),
    arrow(kIdTextureNext, 260, 460, ">"),
    lightBox(kIdTextureFileName, 65, 460, 192, 5, 11, "", 0),
    darkBox(300, 50, 260, 260, "Material Preview"),
    {kIdPreviousMaterial, kImage, 5, 230, 30, 40, 0, 0, "", "View Previous Material", 141, true,
     false, false, 0},
    {kIdNextMaterial, kImage, 565, 230, 30, 40, 0, 0, "", "View Next Material", 142, true, false,
     false, 0},
    darkBox(360, 337, 202, 22, "Auto-Rotate Preview"),
    checkBox(kIdAutoRotate, 540, 340),
    darkBox(360, 377, 202, 22, "Preview Model 1"),
    checkBox(kIdPreviewModel1, 540, 380, true),
    darkBox(360, 397, 202, 22, "Preview Model 2"),
    checkBox(kIdPreviewModel1 + 1, 540, 400),
    darkBox(360, 417, 202, 22, "Preview Model 3"),
    checkBox(kIdPreviewModel1 + 2, 540, 420),
    button(kIdMaterialCancel, 320, 460, 60, 15, "Cancel", kCancelHelp),
    button(kIdMaterialApply, 400, 460, 60, 17, "Apply", kApplyHelp),
    button(kIdApplyToSimilar, 480, 460, 100, 9, "Apply to Similar", kApplyHelp),
};

constexpr WidgetRow textureSlot(int k) {
    return {kIdTextureSlot + k,
            kImage,
            5 + 105 * (k % 3),
            17 + 105 * (k / 3),
            100,
            100,
            0,
            0,
            "",
            "",
            0,
            true,
            true,
            false,
            -1};
}

// The value holder comes first: the text setters skip the panel's first widget.
constexpr WidgetRow kSelectorWidgets[] = {
    {kIdSelectorPage, WidgetType::ValueHolder, 0, 0, 0, 0, 0, 0, "", "", 0, false, false, false, 0},
    textureSlot(0),
    textureSlot(1),
    textureSlot(2),
    textureSlot(3),
    textureSlot(4),
    textureSlot(5),
    textureSlot(6),
    textureSlot(7),
    textureSlot(8),
    arrow(kIdSelectorPrevious, 5, 332, "<"),
    arrow(kIdSelectorNext, 299, 332, ">"),
    {kIdSelectorClose, kButton, 100, 332, 50, 16, 12, 11, "Close", "", 0, false, false, false, 0},
    {kIdSelectorAddTexture, kButton, 180, 332, 60, 16, 12, 11, "Add New", "", 0, false, false,
     false, 0},
};
static_assert(kSelectorWidgets[kTexturesPerPage].id == kIdTextureSlot + kTexturesPerPage - 1 &&
                  kSelectorWidgets[kTexturesPerPage].x == 215 &&
                  kSelectorWidgets[kTexturesPerPage].y == 227,
              "nine slots in three rows of three");

// ---- Blend factors ----

struct FactorName {
    int32_t factor;
    const char* name;
};

// In the order of the ">" button.
constexpr FactorName kSourceCycle[] = {
    {GL_ZERO, "GL_ZERO"},
    {GL_ONE, "GL_ONE"},
    {GL_DST_COLOR, "GL_DST_COLOR"},
    {GL_ONE_MINUS_DST_COLOR, "GL_ONE_MINUS_DST_COLOR"},
    {GL_SRC_ALPHA, "GL_SRC_ALPHA"},
    {GL_ONE_MINUS_SRC_ALPHA, "GL_ONE_MINUS_SRC_ALPHA"},
    {GL_DST_ALPHA, "GL_DST_ALPHA"},
    {GL_ONE_MINUS_DST_ALPHA, "GL_ONE_MINUS_DST_ALPHA"},
    {GL_SRC_ALPHA_SATURATE, "GL_SRC_ALPHA_SATURATE"},
};
constexpr FactorName kDestinationCycle[] = {
    {GL_ZERO, "GL_ZERO"},           {GL_ONE, "GL_ONE"},
    {GL_SRC_COLOR, "GL_SRC_COLOR"}, {GL_ONE_MINUS_SRC_COLOR, "GL_ONE_MINUS_SRC_COLOR"},
    {GL_SRC_ALPHA, "GL_SRC_ALPHA"}, {GL_ONE_MINUS_SRC_ALPHA, "GL_ONE_MINUS_SRC_ALPHA"},
    {GL_DST_ALPHA, "GL_DST_ALPHA"}, {GL_ONE_MINUS_DST_ALPHA, "GL_ONE_MINUS_DST_ALPHA"},
};
static_assert(GL_ZERO == 0 && GL_ONE == 1 && GL_SRC_COLOR == 768 && GL_DST_COLOR == 774 &&
                  GL_SRC_ALPHA_SATURATE == 776,
              "the factors are stored in files by these values");
static_assert(std::size(kSourceCycle) == 9 && std::size(kDestinationCycle) == 8, "the two cycles");

template <std::size_t N>
int32_t stepFactor(const FactorName (&cycle)[N], int32_t factor, int step) {
    const int n = static_cast<int>(N);
    for (int i = 0; i < n; ++i)
        if (cycle[i].factor == factor) return cycle[((i + step) % n + n) % n].factor;
    return factor;
}

template <std::size_t N> std::string_view factorName(const FactorName (&cycle)[N], int32_t f) {
    for (const FactorName& row : cycle)
        if (row.factor == f) return row.name;
    return {};
}

// ---- Material and widgets ----

// The five picker slots: Colour, Ambient, Diffuse, Specular, Emission.
using ColourMember = float Material::*;
constexpr ColourMember kSlotMembers[kPickerSlots][4] = {
    {&Material::colourRed, &Material::colourGreen, &Material::colourBlue, &Material::colourAlpha},
    {&Material::ambientRed, &Material::ambientGreen, &Material::ambientBlue,
     &Material::ambientAlpha},
    {&Material::diffuseRed, &Material::diffuseGreen, &Material::diffuseBlue,
     &Material::diffuseAlpha},
    {&Material::specularRed, &Material::specularGreen, &Material::specularBlue,
     &Material::specularAlpha},
    {&Material::emissionRed, &Material::emissionGreen, &Material::emissionBlue,
     &Material::emissionAlpha},
};

ColourRgba slotColour(const Material& mat, int slot) {
    const ColourMember* c = kSlotMembers[slot];
    return {mat.*c[0], mat.*c[1], mat.*c[2], mat.*c[3]};
}

// Colours, shininess, switches and blend factors, as the widgets hold them.
void takeWidgetValues(const Panel& editor, Material& mat) {
    for (int slot = 0; slot < kPickerSlots; ++slot) {
        const ColourMember* c = kSlotMembers[slot];
        const ColourRgba& colour = editor.pickerColours[slot];
        mat.*c[0] = colour.red, mat.*c[1] = colour.green;
        mat.*c[2] = colour.blue, mat.*c[3] = colour.alpha;
    }
    mat.shininess = static_cast<float>(getValue(editor, kIdShininess));
    mat.EnableBlend = getState(editor, kIdEnableBlend);
    mat.EnableLighting = getState(editor, kIdEnableLighting);
    mat.EnableTexture = getState(editor, kIdEnableTexture);
    mat.blendSrc = getValue(editor, kIdSourceFactor);
    mat.blendDst = getValue(editor, kIdDestinationFactor);
}

Widget* widget(Panel& panel, int id) {
    if (panel.widgets.empty()) return nullptr;
    Widget& w = panel.widgets[findWidget(panel, id)];
    return w.id == id ? &w : nullptr;
}

bool hasCurrentMaterial(const Model& m) {
    return m.currentMaterial >= 0 && m.currentMaterial < materialCount(m);
}

constexpr int kMaxShininess = 128; // the slider's range, and OpenGL's

} // namespace

void layoutMaterialEditor(Panels& panels, unsigned (*loadTexture)(int resourceId)) {
    Panel& editor = panels.materialEditor;
    resetPanel(editor, 600, 500, "Material Editor");
    editor.hasTitleBar = editor.hasStatusBar = true;
    editor.translucent = true;
    addWidgetRows(editor, kEditorWidgets, loadTexture);

    Panel& selector = panels.textureSelector;
    resetPanel(selector, 320, 364, "Texture Selector");
    selector.hasTitleBar = selector.hasStatusBar = true;
    selector.translucent = false;
    addWidgetRows(selector, kSelectorWidgets, loadTexture);
}

int32_t stepSourceFactor(int32_t factor, int step) {
    return stepFactor(kSourceCycle, factor, step);
}
int32_t stepDestinationFactor(int32_t factor, int step) {
    return stepFactor(kDestinationCycle, factor, step);
}
std::string_view sourceFactorName(int32_t factor) {
    return factorName(kSourceCycle, factor);
}
std::string_view destinationFactorName(int32_t factor) {
    return factorName(kDestinationCycle, factor);
}

void pushMaterialToEditor(Panel& editor, const Model& m, const LogChannel& log) {
    logf(log, "    Pushing Material to EditorUI:  Current Material = %i", m.currentMaterial);
    if (!hasCurrentMaterial(m) || editor.widgets.empty()) return;
    const Material& mat = m.materials[m.currentMaterial];
    // The name goes along, or browsing would rename every material shown to the first one's.
    setCaption(editor, mat.name, kIdMaterialName);
    for (int slot = 0; slot < kPickerSlots; ++slot)
        editor.pickerColours[slot] = slotColour(mat, slot);
    const int shininess = static_cast<int>(mat.shininess);
    setValue(editor, kIdShininess, std::clamp(shininess, 0, kMaxShininess));
    setState(editor, kIdEnableBlend, mat.EnableBlend);
    setState(editor, kIdEnableLighting, mat.EnableLighting);
    setState(editor, kIdEnableTexture, mat.EnableTexture);
    setValue(editor, kIdSourceFactor, mat.blendSrc);
    setValue(editor, kIdDestinationFactor, mat.blendDst);
    Widget* image = widget(editor, kIdTextureImage);
    if (image && mat.TextureIndex >= 0 && mat.TextureIndex < textureCount(m)) {
        const Texture& t = m.textures[mat.TextureIndex];
        image->value = static_cast<int>(t.glTexture);
        image->extra = mat.TextureIndex;
        setCaption(editor, t.fileName, kIdTextureFileName);
    } else if (image) {
        image->value = 0;
        image->extra = 0;
    }
    setCaptionNumber(editor, m.currentMaterial, kIdMaterialNumber);
}

void pullEditorToMaterial(Panel& editor, Model& m) {
    if (!hasCurrentMaterial(m) || editor.widgets.empty()) return;
    Material& mat = m.materials[m.currentMaterial];
    if (const Widget* name = widget(editor, kIdMaterialName))
        mat.name = name->caption.substr(0, kMaterialNameMax);
    takeWidgetValues(editor, mat);
    const Widget* image = widget(editor, kIdTextureImage);
    if (image && textureCount(m) > 0) {
        mat.TextureIndex = image->extra;
        // Name 0 stands for "no texture shown", never for a texture's real name.
        if (image->extra >= 0 && image->extra < textureCount(m) && image->value > 0)
            m.textures[image->extra].glTexture = static_cast<uint32_t>(image->value);
    }
    for (int id : {kIdTexturePrevious, kIdTextureNext, kIdTextureFileName, kIdTextureImage})
        setShown(editor, id, mat.EnableTexture);
}

void updatePreviewMaterials(Panel& editor, Model previews[kPreviewModels]) {
    if (editor.widgets.empty()) return;
    const int image = std::max(getValue(editor, kIdTextureImage), 0);
    for (int i = 0; i < kPreviewModels; ++i) {
        Model& preview = previews[i];
        if (preview.materials.empty()) preview.materials.resize(1);
        Material& mat = preview.materials[0];
        takeWidgetValues(editor, mat);
        mat.TextureIndex = 0;
        preview.textures.resize(1);
        preview.textures[0].glTexture = static_cast<uint32_t>(image);
    }
    const std::string_view source = sourceFactorName(getValue(editor, kIdSourceFactor));
    const std::string_view destination =
        destinationFactorName(getValue(editor, kIdDestinationFactor));
    if (!source.empty()) setCaption(editor, source, kIdSourceFactor);
    if (!destination.empty()) setCaption(editor, destination, kIdDestinationFactor);
}

// ---- Browsing ----

void previousMaterial(Panel& editor, Model& m, const LogChannel& log) {
    logf(log, "Clicked Previous Material Button:  Current Material Number: %i", m.currentMaterial);
    --m.currentMaterial;
    if (m.currentMaterial < 0) m.currentMaterial = std::max(materialCount(m) - 1, 0);
    logf(log, "Clicked Previous Material Button:  New Material Number: %i", m.currentMaterial);
    pushMaterialToEditor(editor, m, log);
}

void nextMaterial(Panel& editor, Model& m, const LogChannel& log) {
    logf(log, "Clicked Next Material Button:  Current Material Number: %i", m.currentMaterial);
    ++m.currentMaterial;
    if (m.currentMaterial >= materialCount(m) || m.currentMaterial < 0) m.currentMaterial = 0;
    logf(log, "Clicked Next Material Button:  New Material Number: %i", m.currentMaterial);
    pushMaterialToEditor(editor, m, log);
}

void stepMaterialTexture(Panel& editor, Model& m, int step, const LogChannel& log) {
    const int count = textureCount(m);
    if (!hasCurrentMaterial(m) || count == 0) return;
    int32_t& index = m.materials[m.currentMaterial].TextureIndex;
    index += step;
    if (index < 0) index = count - 1;
    if (index >= count) index = 0;
    pushMaterialToEditor(editor, m, log);
}

void choosePreviewModel(Panel& editor, int index) {
    for (int i = 0; i < kPreviewModels; ++i) setState(editor, kIdPreviewModel1 + i, i == index);
}

int tickedPreviewModel(const Panel& editor) {
    for (int i = 0; i < kPreviewModels; ++i)
        if (getState(editor, kIdPreviewModel1 + i)) return i;
    return -1;
}

// ---- The texture selector ----

void updateTextureSelector(Panel& selector, const Model& m) {
    if (selector.widgets.empty()) return;
    const int count = textureCount(m);
    int page = std::max(getValue(selector, kIdSelectorPage), 0);
    if (page * kTexturesPerPage >= count) page = std::max(count - 1, 0) / kTexturesPerPage;
    setValue(selector, kIdSelectorPage, page);
    const int first = page * kTexturesPerPage;
    setShown(selector, kIdSelectorPrevious, page > 0);
    setShown(selector, kIdSelectorNext, first + kTexturesPerPage < count);
    for (int k = 0; k < kTexturesPerPage; ++k) {
        const int index = first + k;
        const bool used = index < count;
        setShown(selector, kIdTextureSlot + k, used);
        if (!used) continue;
        setValue(selector, kIdTextureSlot + k, static_cast<int>(m.textures[index].glTexture));
        setHelpText(selector, kIdTextureSlot + k, m.textures[index].fileName);
    }
}

int selectorSlotTexture(const Panel& selector, const Model& m, int slot) {
    if (slot < 0 || slot >= kTexturesPerPage) return -1;
    const int index = std::max(getValue(selector, kIdSelectorPage), 0) * kTexturesPerPage + slot;
    return index < textureCount(m) ? index : -1;
}
