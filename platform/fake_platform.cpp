// The scripted test platform: queued answers, recorded calls, in-memory images and responses.
#include "platform/fake_platform.h"

#include "base/paths.h"

#include <algorithm>
#include <cstdlib>

namespace {

const char* answerName(MessageAnswer a) {
    switch (a) {
    case MessageAnswer::Ok:
        return "Ok";
    case MessageAnswer::Yes:
        return "Yes";
    case MessageAnswer::No:
        return "No";
    case MessageAnswer::Cancel:
        return "Cancel";
    }
    return "";
}

bool validTargetSize(int width, int height) {
    return width >= 1 && height >= 1 && width <= kMaxImageSide && height <= kMaxImageSide;
}

// The scripted image found under key, scaled; false when there is none or it is malformed.
bool scaledImage(const std::map<std::string, RgbaImage>& images, const std::string& key, int width,
                 int height, RgbaImage& out) {
    auto it = images.find(key);
    if (it == images.end() || !validTargetSize(width, height)) return false;
    const RgbaImage& image = it->second;
    if (image.width < 1 || image.height < 1 ||
        image.pixels.size() < static_cast<std::size_t>(image.width) * image.height * 4)
        return false;
    out = scaleNearest(image, width, height);
    return true;
}

} // namespace

RgbaImage scaleNearest(const RgbaImage& image, int width, int height) {
    RgbaImage out;
    out.width = width;
    out.height = height;
    out.pixels.resize(static_cast<std::size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        const int sy = static_cast<int>(static_cast<long long>(y) * image.height / height);
        for (int x = 0; x < width; ++x) {
            const int sx = static_cast<int>(static_cast<long long>(x) * image.width / width);
            std::copy_n(rgbaAt(image, sx, sy), 4,
                        out.pixels.begin() + (static_cast<std::size_t>(y) * width + x) * 4);
        }
    }
    return out;
}

std::vector<RecordedCall> FakePlatform::callsOf(CallKind kind) const {
    std::vector<RecordedCall> out;
    for (const RecordedCall& c : calls)
        if (c.kind == kind) out.push_back(c);
    return out;
}

bool FakePlatform::shownMessage(const std::string& caption, const std::string& text) const {
    return std::any_of(calls.begin(), calls.end(), [&](const RecordedCall& c) {
        return c.kind == CallKind::MessageBox && c.caption == caption && c.text == text;
    });
}

MessageAnswer FakePlatform::messageBox(const std::string& text, const std::string& caption,
                                       MessageButtons buttons, MessageIcon icon) {
    RecordedCall call;
    call.kind = CallKind::MessageBox;
    call.text = text;
    call.caption = caption;
    call.buttons = buttons;
    call.icon = icon;
    MessageAnswer answer = buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
    if (messageAnswers.empty()) {
        call.scripted = false;
    } else {
        answer = messageAnswers.front();
        messageAnswers.pop_front();
    }
    call.answer = answerName(answer);
    calls.push_back(call);
    return answer;
}

std::string FakePlatform::fileDialog(CallKind kind, std::deque<std::string>& answers,
                                     const FileDialogOptions& options) {
    RecordedCall call;
    call.kind = kind;
    call.text = options.title;
    call.caption = options.startFolder;
    call.dialog = options;
    std::string path;
    if (answers.empty()) {
        call.scripted = false;
    } else {
        path = answers.front();
        answers.pop_front();
    }
    call.answer = path;
    calls.push_back(call);
    // Same contract as the real dialogs: a choice moves the current directory to its folder.
    if (!path.empty() && !folderOf(path).empty()) ::setCurrentDirectory(folderOf(path));
    return path;
}

std::string FakePlatform::openFileDialog(const FileDialogOptions& options) {
    return fileDialog(CallKind::OpenFileDialog, openAnswers, options);
}

std::string FakePlatform::saveFileDialog(const FileDialogOptions& options) {
    return fileDialog(CallKind::SaveFileDialog, saveAnswers, options);
}

bool FakePlatform::chooseColour(ColourRef& colour, CustomColours& custom) {
    RecordedCall call;
    call.kind = CallKind::ChooseColour;
    call.a = static_cast<int>(colour);
    ColourAnswer answer;
    if (colourAnswers.empty()) {
        call.scripted = false;
    } else {
        answer = colourAnswers.front();
        colourAnswers.pop_front();
    }
    call.answer = answer.chosen ? "chosen" : "cancelled";
    calls.push_back(call);
    if (answer.custom) custom = *answer.custom;
    if (answer.chosen) colour = answer.colour;
    return answer.chosen;
}

bool FakePlatform::formDialog(const std::string& title, std::vector<FormField>& fields) {
    RecordedCall call;
    call.kind = CallKind::FormDialog;
    call.text = title;
    call.form = fields;
    bool accepted = false;
    if (formAnswers.empty()) {
        call.scripted = false;
    } else {
        std::vector<FormField> edited = fields;
        accepted = formAnswers.front()(edited);
        formAnswers.pop_front();
        if (accepted) fields = edited;
    }
    call.answer = accepted ? "accepted" : "cancelled";
    calls.push_back(call);
    return accepted;
}

bool FakePlatform::imageSize(const std::string& path, int& width, int& height) {
    RecordedCall call;
    call.kind = CallKind::ImageSize;
    call.text = path;
    calls.push_back(call);
    auto it = images.find(path);
    if (it == images.end()) return false;
    width = it->second.width;
    height = it->second.height;
    return true;
}

bool FakePlatform::decodeImage(const std::string& path, int width, int height, RgbaImage& out) {
    RecordedCall call;
    call.kind = CallKind::DecodeImage;
    call.text = path;
    call.a = width;
    call.b = height;
    calls.push_back(call);
    return scaledImage(images, path, width, height, out);
}

bool FakePlatform::imageDataSize(const std::string& bytes, int& width, int& height) {
    RecordedCall call;
    call.kind = CallKind::ImageDataSize;
    call.a = static_cast<int>(bytes.size());
    calls.push_back(call);
    auto it = imageData.find(bytes);
    if (it == imageData.end()) return false;
    width = it->second.width;
    height = it->second.height;
    return true;
}

bool FakePlatform::decodeImageData(const std::string& bytes, int width, int height,
                                   RgbaImage& out) {
    RecordedCall call;
    call.kind = CallKind::DecodeImageData;
    call.a = width;
    call.b = height;
    calls.push_back(call);
    return scaledImage(imageData, bytes, width, height, out);
}

bool FakePlatform::encodePng(const RgbaImage& image, std::string& bytes) {
    RecordedCall call;
    call.kind = CallKind::EncodePng;
    call.a = image.width;
    call.b = image.height;
    calls.push_back(call);
    bytes = "FAKEPNG";
    bytes.append(image.pixels.begin(), image.pixels.end());
    return true;
}

bool FakePlatform::httpGet(const std::string& url, const std::string& userAgent, int timeoutMs,
                           std::string& body) {
    RecordedCall call;
    call.kind = CallKind::HttpGet;
    call.text = url;
    call.caption = userAgent;
    call.a = timeoutMs;
    calls.push_back(call);
    auto it = httpBodies.find(url);
    if (it == httpBodies.end()) return false;
    body = it->second;
    return true;
}

bool FakePlatform::openUrl(const std::string& url) {
    RecordedCall call;
    call.kind = CallKind::OpenUrl;
    call.text = url;
    const bool ok = isOpenableUrl(url);
    call.answer = ok ? "opened" : "refused";
    calls.push_back(call);
    return ok;
}

bool FakePlatform::rasterizeGlyphs(const std::string& family, int pixelHeight, GlyphSet& out) {
    RecordedCall call;
    call.kind = CallKind::RasterizeGlyphs;
    call.text = family;
    call.a = pixelHeight;
    calls.push_back(call);
    if (pixelHeight < 1) return false;
    out.family = family;
    out.pixelHeight = pixelHeight;
    out.glyphs.assign(kGlyphCount, Glyph{});
    const int w = std::max(1, pixelHeight / 2);
    const int h = std::max(1, pixelHeight - 2);
    for (int c = kFirstGlyph; c < kFirstGlyph + kGlyphCount; ++c) {
        Glyph& g = out.glyphs[c - kFirstGlyph];
        g.advance = w + 1;
        if (c == ' ' || c == 127) continue;
        g.width = w;
        g.height = h;
        const int rowBytes = (w + 7) / 8;
        g.bits.assign(static_cast<std::size_t>(rowBytes) * h, 0);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                g.bits[static_cast<std::size_t>(y) * rowBytes + x / 8] |=
                    static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    return true;
}

bool FakePlatform::environmentVariable(const std::string& name, std::string& value) {
    RecordedCall call;
    call.kind = CallKind::EnvironmentVariable;
    call.text = name;
    calls.push_back(call);
    auto it = environment.find(name);
    if (it != environment.end()) {
        if (!it->second) return false;
        value = *it->second;
        return true;
    }
    const char* v = std::getenv(name.c_str());
    if (!v) return false;
    value = v;
    return true;
}

// ---- Main window ----

bool FakePlatform::createMainWindow(const WindowSpec& spec, std::string& failure) {
    windowSpec = spec;
    if (!windowFailure.empty()) {
        failure = windowFailure;
        return false;
    }
    checkableIds.clear();
    for (std::size_t i = 0; spec.menu && i < spec.menuCount; ++i)
        if (spec.menu[i].kind == MenuEntryKind::Item && spec.menu[i].toggles)
            checkableIds.insert(spec.menu[i].id);
    windowOpen = true;
    ++windowCreations;
    return true;
}

void FakePlatform::destroyMainWindow() {
    windowOpen = false;
}

void FakePlatform::swapBuffers() {
    ++swapCount;
}

void FakePlatform::pollEvents(bool wait, std::vector<WindowEvent>& out) {
    ++pollCount;
    if (wait) ++waitingPolls;
    for (std::size_t n = 0; !scriptedEvents.empty() && (eventsPerPoll == 0 || n < eventsPerPoll);
         ++n) {
        out.push_back(scriptedEvents.front());
        scriptedEvents.pop_front();
    }
}

void FakePlatform::setSystemCursorVisible(bool visible) {
    systemCursorVisible = visible;
}

void FakePlatform::setMenuItem(int id, const std::string& caption, bool shown) {
    menuItems[id] = {caption, shown};
}

void FakePlatform::setMenuCheck(int id, bool on) {
    if (!checkableIds.empty() && !checkableIds.count(id)) return;
    menuChecks[id] = on;
}

bool FakePlatform::menuCheck(int id) {
    auto it = menuChecks.find(id);
    return it != menuChecks.end() && it->second;
}
