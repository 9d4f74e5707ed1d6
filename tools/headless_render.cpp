// Headless drawing: the OSMesa context, the views drawn by the editor's code, the PNG encoder.
#include "tools/headless_render.h"

#include "edit/normals.h"
#include "render/framing.h"
#include "render/view_draw.h"
#include "ui/panel_draw.h"

#include <GL/gl.h>
#include <GL/osmesa.h>
#include <zlib.h>

// ---- context ----

bool openOffscreenContext(OffscreenContext& c, int width, int height, std::string& error) {
    if (width < 1 || height < 1 || width > kMaxRenderSide || height > kMaxRenderSide) {
        error = "the picture size is out of range";
        return false;
    }
    // 24 depth bits: what the editor's window is given on Mesa (it asks for at least 16), so
    // near lines and faces win the depth test as they do there.
    OSMesaContext context = OSMesaCreateContextExt(OSMESA_RGBA, 24, 0, 0, nullptr);
    if (!context) {
        error = "no offscreen OpenGL context could be made";
        return false;
    }
    c.pixels.assign(static_cast<std::size_t>(width) * height * 4, 0);
    if (!OSMesaMakeCurrent(context, c.pixels.data(), GL_UNSIGNED_BYTE, width, height)) {
        OSMesaDestroyContext(context);
        c.pixels.clear();
        error = "the offscreen OpenGL context could not be made current";
        return false;
    }
    c.context = context;
    c.width = width;
    c.height = height;
    return true;
}

void closeOffscreenContext(OffscreenContext& c) {
    if (c.context) OSMesaDestroyContext(static_cast<OSMesaContext>(c.context));
    c.context = nullptr;
}

// ---- drawing ----

namespace {
// A thumbnail's 3D view: turned to show a side beside the front, and seen a little from above.
constexpr float kThumbnailTurn = -35.0f;
constexpr float kThumbnailTilt = 25.0f;
} // namespace

void drawModelViews(Model& m, int layout, int width, int height, const RenderLook& look) {
    Viewport views[ViewCount];
    initViewports(views, layout, width, height);
    ViewOptions ortho;
    ortho.shaded = true;
    ViewOptions view3D;
    view3D.shaded = view3D.pins = true;
    if (look.thumbnail) {
        ortho = ViewOptions{false, false, false, false, true, false};
        view3D = ortho;
        setTurnAndTilt(views[View3D], kThumbnailTurn, kThumbnailTilt);
    }
    if (look.frame || look.thumbnail) frameMainViews(views, visibleModelBounds(m), width, height);
    m.mouseX = m.mouseY = -1;
    // The editor finishes the normals over its first frames; a picture shows them finished.
    completeNormals(m);
    // Every editor frame but the first finds the light where a perspective set-up placed it
    // (the editor always starts with all four views), and the orthographic views are lit from
    // there: a scratch perspective set-up puts it there too.
    Viewport scratch;
    initViewport(scratch);
    placeViewport(scratch, 0, 0, width, height, height);
    setupViewport(scratch);
    // The split leaves a pixel row or column uncovered when a side is odd.
    glDisable(GL_SCISSOR_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawLayoutViews(views, m, layout, ortho, view3D, false);
    if (layout == kLayoutSplit) {
        setupOverlay2D(width, height);
        drawDividers(width, height);
    }
    glFinish();
}

// ---- PNG ----

namespace {
void appendBig32(std::string& out, uint32_t v) {
    for (int shift : {24, 16, 8, 0}) out += static_cast<char>((v >> shift) & 0xFF);
}

void appendChunk(std::string& out, const char* type, const std::string& data) {
    appendBig32(out, static_cast<uint32_t>(data.size()));
    const std::string body = std::string(type, 4) + data;
    out += body;
    appendBig32(out, static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()),
                                                 static_cast<uInt>(body.size()))));
}
} // namespace

std::string encodePng(const std::uint8_t* rgba, int width, int height) {
    std::string header;
    appendBig32(header, static_cast<uint32_t>(width));
    appendBig32(header, static_cast<uint32_t>(height));
    header +=
        std::string("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, deflate, no filter, no interlace
    // Rows top to bottom, each with filter type 0.
    std::string raw;
    raw.reserve(static_cast<std::size_t>(height) * (1 + 3 * static_cast<std::size_t>(width)));
    for (int y = height - 1; y >= 0; --y) {
        raw += '\0';
        const std::uint8_t* row = rgba + static_cast<std::size_t>(y) * width * 4;
        for (int x = 0; x < width; ++x) raw.append(reinterpret_cast<const char*>(row + 4 * x), 3);
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::string packed(packedSize, '\0');
    if (compress2(reinterpret_cast<Bytef*>(&packed[0]), &packedSize,
                  reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()),
                  9) != Z_OK)
        return std::string();
    packed.resize(packedSize);

    std::string png("\x89PNG\r\n\x1a\n", 8);
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", packed);
    appendChunk(png, "IEND", std::string());
    return png;
}
