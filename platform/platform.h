// The operating-system services the program asks for, as a plain C++ interface (no toolkit types).
//
// Sections: value types (message boxes, file dialogs, colours, images, glyphs); the Platform
// interface; pure helpers shared by every implementation.
#pragma once

#include "resources/menu_table.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// ---- Value types ----

enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageAnswer { Ok, Yes, No, Cancel };

// One entry of a file dialog's type list, e.g. {"Object File", "*.OBJ;"}.
struct FileFilter {
    std::string description;
    std::string patterns; // ';'-separated wildcards; a trailing ';' is allowed
};

struct FileDialogOptions {
    std::vector<FileFilter> filters; // the first one is preselected
    std::string startFolder;         // empty: the current directory
    std::string title;               // empty: the toolkit's own title
    std::string defaultExtension;    // save dialog only: added to a name without one ("FW2")
    std::string fileName;            // save dialog only: the name proposed; empty for none
};

// A colour as 0x00BBGGRR.
using ColourRef = std::uint32_t;
using CustomColours = std::array<ColourRef, 16>;

inline ColourRef makeColourRef(int r, int g, int b) {
    return static_cast<ColourRef>((r & 0xff) | (g & 0xff) << 8 | (b & 0xff) << 16);
}
inline int colourRed(ColourRef c) {
    return static_cast<int>(c & 0xff);
}
inline int colourGreen(ColourRef c) {
    return static_cast<int>((c >> 8) & 0xff);
}
inline int colourBlue(ColourRef c) {
    return static_cast<int>((c >> 16) & 0xff);
}

// One row of a form dialog.
enum class FormFieldKind {
    Number, // a number typed in the "C" locale whatever the user's locale
    Check,  // a tick box
    Choice, // one of choices
    File,   // a path, typed or picked with a Browse button (the current directory stays)
};

struct FormField {
    FormFieldKind kind = FormFieldKind::Number;
    std::string label;
    double number = 0;
    bool checked = false;
    std::vector<std::string> choices;
    int choice = 0;
    std::string path;
    std::vector<FileFilter> filters; // File: the Browse dialog's type list
};

// 8-bit red, green, blue, alpha per pixel; rows from the bottom of the image to the top, which is
// the order glTexImage2D reads them.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels; // width * height * 4 bytes
};

// The four bytes of the pixel in column x, row y counted from the bottom; no bounds check.
inline const std::uint8_t* rgbaAt(const RgbaImage& image, int x, int y) {
    return image.pixels.data() + (static_cast<std::size_t>(y) * image.width + x) * 4;
}

// One character as glBitmap takes it with GL_UNPACK_ALIGNMENT 1: rows bottom to top, each row
// (width + 7) / 8 whole bytes, most significant bit leftmost. (originX, originY) is glBitmap's
// xorig, yorig: the pen position measured from the bitmap's bottom-left corner, so a glyph sitting
// on the baseline has originY 0 and one with a descender a positive originY.
struct Glyph {
    int width = 0;
    int height = 0;
    int originX = 0;
    int originY = 0;
    int advance = 0; // pen movement to the next character, in pixels
    std::vector<std::uint8_t> bits;
};

// The printable ASCII characters 32..127, in order.
constexpr int kFirstGlyph = 32;
constexpr int kGlyphCount = 96;

struct GlyphSet {
    std::string family; // the face actually used, which may be a metric-compatible stand-in
    int pixelHeight = 0;
    std::vector<Glyph> glyphs; // kGlyphCount entries, glyphs[c - kFirstGlyph] for character c
};

// Whether the pixel in column x, row y (from the bottom) of a glyph is set; no bounds check.
inline bool glyphBit(const Glyph& glyph, int x, int y) {
    const std::size_t rowBytes = static_cast<std::size_t>(glyph.width + 7) / 8;
    return (glyph.bits[y * rowBytes + x / 8] >> (7 - x % 8)) & 1;
}

// Images larger than this fail, so a forged header cannot ask for gigabytes.
constexpr int kMaxImageSide = 16384;
constexpr long long kMaxImagePixels = 64LL << 20; // 256 MB as RGBA

// Bodies of HTTP responses longer than this fail, so a wrong address cannot exhaust memory.
constexpr std::size_t kHttpBodyLimit = 16u << 20;

// ---- Main window: events and creation ----

// What happened in the main window, in the shape the handlers expect. Coordinates are client
// pixels of the OpenGL surface, y downwards; buttons is the mask 1 left, 2 right, 4 Shift,
// 8 Ctrl, 16 middle; key is a virtual-key code; delta is 120 per wheel notch, positive away
// from the user.
enum class WindowEventType {
    Move,            // x, y: outer top-left corner of the main window
    Size,            // width, height: the OpenGL surface
    Activate,        // minimised: the window was minimised (false: restored or activated);
                     // deactivated: the keyboard went elsewhere (a menu, a dialog, another
                     // window, or minimising)
    Close,           // the user asked to close the window
    KeyDown,         // key (auto-repeat presses count as presses)
    KeyUp,           // key (auto-repeat releases are not delivered)
    Command,         // command: a menu item's identifier
    MouseMove,       // x, y, buttons
    LeftDown,        // x, y, buttons
    LeftUp,          // x, y, buttons
    LeftDoubleClick, // x, y, buttons
    RightDown,       // x, y, buttons
    RightUp,         // x, y, buttons
    Wheel,           // delta, x, y, buttons
    MouseLeave,
};

struct WindowEvent {
    WindowEventType type = WindowEventType::MouseMove;
    int x = 0, y = 0;
    int width = 0, height = 0;
    int buttons = 0;
    int key = 0;
    int delta = 0;
    int command = 0;
    bool minimised = false;
    bool deactivated = false;
};

struct WindowSpec {
    std::string title;
    int x = 0, y = 0; // outer top-left corner
    int width = 800;  // OpenGL surface, menu bar excluded
    int height = 600;
    int colourBits = 16;
    const MenuEntry* menu = nullptr; // the menu bar, built from this table
    std::size_t menuCount = 0;
    const MenuKey* menuKeys = nullptr; // keys shown beside the items they run
    std::size_t menuKeyCount = 0;
    RgbaImage icon; // the application icon; none when empty
};

// ---- The interface ----

class Platform {
  public:
    virtual ~Platform() = default;

    // Modal message box; Yes is the default button of the Yes/No boxes. Closing a Yes/No box
    // without choosing answers No, a Yes/No/Cancel box Cancel.
    virtual MessageAnswer messageBox(const std::string& text, const std::string& caption,
                                     MessageButtons buttons, MessageIcon icon) = 0;

    // File dialogs: the chosen path, or empty when cancelled. Extensions match whatever their
    // case. A choice makes the chosen file's folder the current directory, which the loading
    // protocol relies on. The open dialog only accepts existing files; the save dialog accepts new
    // names and asks before replacing an existing file.
    virtual std::string openFileDialog(const FileDialogOptions& options) = 0;
    virtual std::string saveFileDialog(const FileDialogOptions& options) = 0;

    // Colour dialog with all controls open. colour holds the initial colour and, when true is
    // returned, the chosen one. The custom colours are loaded before and read back afterwards,
    // also on cancel, since edits to them are kept either way.
    virtual bool chooseColour(ColourRef& colour, CustomColours& custom) = 0;

    // Modal dialog of labelled rows in order, with OK and Cancel. OK is refused while a number
    // row does not hold a finite number. True on OK with the rows holding the entries; on cancel
    // they are as they were.
    virtual bool formDialog(const std::string& title, std::vector<FormField>& fields) = 0;

    // Images from a file path or an http:// or https:// address. imageSize gives the size in
    // pixels; decodeImage scales the whole image to width x height (both 1..kMaxImageSide). The
    // format is taken from the content, not the name. Only regular files are read, and an image
    // whose header declares more than kMaxImageSide per side or kMaxImagePixels in all fails
    // before any pixel is decoded.
    virtual bool imageSize(const std::string& path, int& width, int& height) = 0;
    virtual bool decodeImage(const std::string& path, int width, int height, RgbaImage& out) = 0;
    // The same for an image already in memory (fetched over HTTP, for instance).
    virtual bool imageDataSize(const std::string& bytes, int& width, int& height) = 0;
    virtual bool decodeImageData(const std::string& bytes, int width, int height,
                                 RgbaImage& out) = 0;
    // Encodes an image as PNG bytes (rows of image bottom to top, alpha kept); false on failure.
    virtual bool encodePng(const RgbaImage& image, std::string& bytes) = 0;

    // HTTP GET; false on any failure (no answer within timeoutMs, an error status, a body over
    // kHttpBodyLimit). Proxies come from the system settings.
    virtual bool httpGet(const std::string& url, const std::string& userAgent, int timeoutMs,
                         std::string& body) = 0;
    // Opens an address in the default browser or mail program; only what isOpenableUrl accepts.
    virtual bool openUrl(const std::string& url) = 0;

    // Bitmaps of the 96 printable ASCII characters, without antialiasing. The family falls back
    // to a metric-compatible sans when the system lacks it ("Arial" -> "Liberation Sans").
    virtual bool rasterizeGlyphs(const std::string& family, int pixelHeight, GlyphSet& out) = 0;

    // The environment.
    virtual bool environmentVariable(const std::string& name, std::string& value) = 0;

    // ---- Main window, OpenGL surface, menu bar, cursor and window events ----

    // Creates the main window with its menu bar and a double-buffered OpenGL surface of
    // spec.width x spec.height (16-bit depth, compatibility profile) below the menu bar, shows
    // it and makes its context current. On failure returns false with the message to show
    // ("Window Creation Error.", "Can't Create A GL Rendering Context.", ...); nothing is left.
    virtual bool createMainWindow(const WindowSpec& spec, std::string& failure) = 0;
    virtual void destroyMainWindow() = 0;
    virtual void swapBuffers() = 0;
    // Appends the events that arrived since the last call. With wait set, blocks until at least
    // one arrives (used while the window is minimised, so the loop does not spin).
    virtual void pollEvents(bool wait, std::vector<WindowEvent>& out) = 0;
    // The system cursor over the OpenGL surface; the program draws its own while it is hidden.
    virtual void setSystemCursorVisible(bool visible) = 0;
    // An item whose caption changes while the program runs (the recent files); hidden when not
    // shown.
    virtual void setMenuItem(int id, const std::string& caption, bool shown) = 0;
    // Check marks of toggling menu items.
    virtual void setMenuCheck(int id, bool on) = 0;
    virtual bool menuCheck(int id) = 0;
};

// ---- Pure helpers ----

// Only http://, https:// and mailto: addresses (scheme in any case) with something after the
// scheme and no control characters or spaces may be handed to the browser; anything else
// (file:, javascript:, data:, bare paths) could run or reveal local content.
bool isOpenableUrl(const std::string& url);

// "*.bmp;*.jpg;" -> {"*.bmp", "*.jpg"}; empty entries and surrounding blanks are dropped.
std::vector<std::string> splitPatterns(const std::string& patterns);

// A wildcard pattern that matches whatever the letters' case: "*.FW2" -> "*.[fF][wW]2".
std::string caseInsensitivePattern(const std::string& pattern);
