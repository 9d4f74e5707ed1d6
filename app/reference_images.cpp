// Reference pictures of the orthographic views: their file, the dialog, and their textures.
#include "app/reference_images.h"

#include "app/editor.h"
#include "app/modelling_commands.h"
#include "app/textures.h"
#include "base/log.h"
#include "base/numbers.h"
#include "base/paths.h"
#include "base/regular_file.h"
#include "base/safe_file.h"
#include "model/texture_upload.h"

#include <algorithm>
#include <vector>

namespace {

// By plane number, and the views that show each plane.
constexpr const char* kPlaneNames[3] = {"Front", "Top", "Left"};
constexpr ViewId kPlaneViews[3] = {ViewFront, ViewTop, ViewLeft};

std::string filePath(const Editor& editor) {
    return editor.userDirectory + kReferenceImagesFile;
}

// The picture into its view; false when it could not be read. No picture clears the view.
bool showInView(Editor& editor, int plane) {
    const ReferenceImage& r = editor.referenceImages.plane[plane];
    ReferencePicture& picture = editor.views[kPlaneViews[plane]].reference;
    if (picture.texture != 0) deleteTexture(picture.texture);
    picture = ReferencePicture{};
    if (r.path.empty()) return true;
    RgbaImage image;
    int imageWidth = 0, imageHeight = 0;
    const int maxSide = maxTextureSide();
    if (maxSide <= 0 ||
        !readImageFile(editor.platform, r.path, maxSide, image, imageWidth, imageHeight))
        return false;
    picture.texture = uploadTexture(image.pixels.data(), image.width, image.height);
    picture.centreU = r.centreU;
    picture.centreV = r.centreV;
    picture.width = r.width;
    picture.height = r.width * imageHeight / std::max(imageWidth, 1);
    picture.opacity = r.opacity;
    return picture.texture != 0;
}

void save(Editor& editor) {
    std::string why;
    if (!writeFileSafely(filePath(editor), referenceImagesText(editor.referenceImages), &why))
        logEntry(editor.log, "Reference images not saved: " + why);
}

void reportUnreadable(Editor& editor, const std::string& path) {
    logEntry(editor.log, "Reference image could not be loaded: " + path);
    setStatusText(editor, "Reference image could not be loaded: " + path);
}

} // namespace

std::string referenceImagesText(const ReferenceImages& images) {
    std::string text;
    for (int p = 0; p < 3; ++p) {
        const ReferenceImage& r = images.plane[p];
        if (r.path.empty()) continue;
        text += kPlaneNames[p];
        for (float f : {r.centreU, r.centreV, r.width, r.opacity}) {
            text += ',';
            appendFixed6(text, f);
        }
        text += ',' + r.path + '\n';
    }
    return text;
}

void parseReferenceImages(const std::string& text, ReferenceImages& images) {
    images = ReferenceImages{};
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(at, end - at);
        at = end + 1;
        const std::size_t comma = line.find(',');
        int plane = -1;
        for (int p = 0; p < 3; ++p)
            if (line.compare(0, comma, kPlaneNames[p]) == 0) plane = p;
        if (plane < 0 || comma == std::string::npos) continue;
        ReferenceImage r;
        float* values[4] = {&r.centreU, &r.centreV, &r.width, &r.opacity};
        const char* p = line.c_str() + comma;
        for (float* v : values) {
            if (p) p = scanChar(p, ',');
            if (p) p = scanFloat(p, *v);
        }
        if (p) p = scanChar(p, ',');
        if (!p || !*p || !(r.width > 0)) continue;
        r.path = p;
        if (!r.path.empty() && r.path.back() == '\r') r.path.pop_back();
        r.opacity = std::clamp(r.opacity, 0.0f, 1.0f);
        images.plane[plane] = r;
    }
}

void loadReferenceImages(Editor& editor) {
    std::string text;
    if (!readRegularFile(filePath(editor), text)) return;
    parseReferenceImages(text, editor.referenceImages);
    for (int p = 0; p < 3; ++p)
        if (!showInView(editor, p)) reportUnreadable(editor, editor.referenceImages.plane[p].path);
}

void referenceImageCommand(Editor& editor) {
    ReferenceImages& images = editor.referenceImages;
    const int shown = std::clamp(images.lastPlane, 0, 2);
    const ReferenceImage& current = images.plane[shown];
    FormField view;
    view.kind = FormFieldKind::Choice;
    view.label = "View";
    view.choices = {kPlaneNames[0], kPlaneNames[1], kPlaneNames[2]};
    view.choice = shown;
    FormField file;
    file.kind = FormFieldKind::File;
    file.label = "Image";
    file.path = current.path;
    file.filters = textureDialogOptions().filters;
    std::vector<FormField> fields = {view,
                                     file,
                                     numberField("Centre across the view", current.centreU),
                                     numberField("Centre up the view", current.centreV),
                                     numberField("Width (world units)", current.width),
                                     numberField("Opacity (0 to 1)", current.opacity)};
    if (!editor.platform.formDialog("Reference Image", fields)) return;
    const int plane = std::clamp(fields[0].choice, 0, 2);
    ReferenceImage r;
    r.path = fields[1].path.empty() ? std::string() : absolutePath(fields[1].path);
    r.centreU = static_cast<float>(fields[2].number);
    r.centreV = static_cast<float>(fields[3].number);
    r.width = static_cast<float>(fields[4].number);
    r.opacity = std::clamp(static_cast<float>(fields[5].number), 0.0f, 1.0f);
    if (!(r.width > 0)) {
        setStatusText(editor, "Reference image: the width must be greater than 0");
        return;
    }
    images.lastPlane = plane;
    images.plane[plane] = r;
    if (!showInView(editor, plane)) reportUnreadable(editor, r.path);
    save(editor);
}

void clearReferenceImagesCommand(Editor& editor) {
    bool any = false;
    for (const ReferenceImage& r : editor.referenceImages.plane) any = any || !r.path.empty();
    if (!any) return;
    editor.referenceImages = ReferenceImages{};
    for (int p = 0; p < 3; ++p) showInView(editor, p);
    save(editor);
}
