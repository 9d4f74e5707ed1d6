// A scripted platform for tests: dialogs answer from queues the test fills, every call is recorded.
#pragma once

#include "platform/platform.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

enum class CallKind {
    MessageBox,
    OpenFileDialog,
    SaveFileDialog,
    ChooseColour,
    FormDialog,
    ImageSize,
    DecodeImage,
    ImageDataSize,
    DecodeImageData,
    EncodePng,
    HttpGet,
    OpenUrl,
    RasterizeGlyphs,
    EnvironmentVariable,
};

// One call as the program made it. Which fields are filled depends on the kind.
struct RecordedCall {
    CallKind kind = CallKind::MessageBox;
    std::string text;    // message text, dialog title, path, address, variable name, font family
    std::string caption; // message caption, dialog start folder, GET user agent
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    FileDialogOptions dialog;    // file dialogs
    int a = 0;                   // image width, GET timeout, font height, initial colour
    int b = 0;                   // image height
    bool scripted = true;        // false when a dialog found its answer queue empty
    std::string answer;          // what the call gave back: chosen path, message answer name
    std::vector<FormField> form; // a form dialog's rows as the program filled them
};

struct ColourAnswer {
    bool chosen = false;
    ColourRef colour = 0;
    std::optional<CustomColours> custom; // custom colours as the user left them
};

class FakePlatform : public Platform {
  public:
    // ---- Script: answers taken front first ----
    // An empty queue answers Ok to OK boxes and No to Yes/No and Yes/No/Cancel boxes, cancels
    // dialogs, and marks the call as not scripted.
    std::deque<MessageAnswer> messageAnswers;
    std::deque<std::string> openAnswers; // an empty string cancels
    std::deque<std::string> saveAnswers;
    std::deque<ColourAnswer> colourAnswers;
    // Form dialogs: each answer edits the rows and returns true for OK, false for Cancel.
    std::deque<std::function<bool(std::vector<FormField>&)>> formAnswers;
    // Decoded images by the exact path asked for; decodeImage scales them by nearest pixel.
    std::map<std::string, RgbaImage> images;
    // Decoded images by their encoded bytes, for imageDataSize and decodeImageData.
    std::map<std::string, RgbaImage> imageData;
    // GET bodies by address; an address not listed fails.
    std::map<std::string, std::string> httpBodies;
    // Variables that override the process environment; nullopt makes one unset.
    std::map<std::string, std::optional<std::string>> environment;
    // Main window: a non-empty text makes createMainWindow fail with it.
    std::string windowFailure;
    // Events handed out by pollEvents, front first; eventsPerPoll 0 hands out all of them at
    // once, n at most n per call (so a test can let frames run between events).
    std::deque<WindowEvent> scriptedEvents;
    std::size_t eventsPerPoll = 0;

    // ---- Record ----
    std::vector<RecordedCall> calls;

    std::vector<RecordedCall> callsOf(CallKind kind) const;
    // Whether a message box with this caption and text was shown.
    bool shownMessage(const std::string& caption, const std::string& text) const;

    // The main window as the program left it.
    bool windowOpen = false;
    int windowCreations = 0; // successful ones
    WindowSpec windowSpec;   // the last spec asked for, also when creation failed
    int swapCount = 0;
    int pollCount = 0;
    int waitingPolls = 0; // polls that asked to block until an event arrives
    bool systemCursorVisible = true;
    // Check marks by item id. Once a window with a menu exists only its toggling items keep a
    // mark, as in the real menu bar; without one every id does.
    std::map<int, bool> menuChecks;
    std::set<int> checkableIds;
    // Items changed by setMenuItem: caption and whether shown.
    std::map<int, std::pair<std::string, bool>> menuItems;

    // ---- Platform ----
    MessageAnswer messageBox(const std::string& text, const std::string& caption,
                             MessageButtons buttons, MessageIcon icon) override;
    std::string openFileDialog(const FileDialogOptions& options) override;
    std::string saveFileDialog(const FileDialogOptions& options) override;
    bool chooseColour(ColourRef& colour, CustomColours& custom) override;
    bool formDialog(const std::string& title, std::vector<FormField>& fields) override;
    bool imageSize(const std::string& path, int& width, int& height) override;
    bool decodeImage(const std::string& path, int width, int height, RgbaImage& out) override;
    bool imageDataSize(const std::string& bytes, int& width, int& height) override;
    bool decodeImageData(const std::string& bytes, int width, int height, RgbaImage& out) override;
    // "FAKEPNG" followed by the raw pixels: enough for a test to see what was encoded.
    bool encodePng(const RgbaImage& image, std::string& bytes) override;
    bool httpGet(const std::string& url, const std::string& userAgent, int timeoutMs,
                 std::string& body) override;
    bool openUrl(const std::string& url) override;
    // A synthetic font: every printable character but the space is a filled box of
    // pixelHeight / 2 x pixelHeight - 2 pixels on the baseline, advance pixelHeight / 2 + 1.
    bool rasterizeGlyphs(const std::string& family, int pixelHeight, GlyphSet& out) override;
    // Directories are the real process's, so file loading works as in the program.
    bool environmentVariable(const std::string& name, std::string& value) override;
    bool createMainWindow(const WindowSpec& spec, std::string& failure) override;
    void destroyMainWindow() override;
    void swapBuffers() override;
    // With wait set and nothing scripted it returns empty-handed instead of blocking.
    void pollEvents(bool wait, std::vector<WindowEvent>& out) override;
    void setSystemCursorVisible(bool visible) override;
    void setMenuItem(int id, const std::string& caption, bool shown) override;
    void setMenuCheck(int id, bool on) override;
    bool menuCheck(int id) override;

  private:
    std::string fileDialog(CallKind kind, std::deque<std::string>& answers,
                           const FileDialogOptions& options);
};

// Scales an image by nearest pixel (rows stay bottom to top).
RgbaImage scaleNearest(const RgbaImage& image, int width, int height);
