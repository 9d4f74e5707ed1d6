// The platform interface on Qt: dialogs, images, network, browser, fonts, resources, directories.
#pragma once

#include "platform/platform.h"

#include <map>
#include <memory>
#include <vector>

class QApplication;
class QNetworkAccessManager;
class QWidget;
class QtWindow;

// The program's QApplication. main() creates it first and keeps it for the whole run. Qt sets the
// process locale from the environment; LC_NUMERIC is put back to "C" so that numbers written
// through the C library never take a decimal comma.
std::unique_ptr<QApplication> createQtApplication(int& argc, char** argv);

// For tests and tools without a display: creates a QApplication on the "offscreen" platform once
// and keeps it until the process ends; does nothing when one exists already.
void ensureOffscreenQtApplication();

// Needs a QApplication (above) for its whole lifetime.
class QtPlatform : public Platform {
  public:
    QtPlatform();
    ~QtPlatform() override;

    // Dialogs and message boxes are centred on and modal to this window; none means free-standing.
    void setDialogParent(QWidget* parent) { dialogParent_ = parent; }

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
    bool encodePng(const RgbaImage& image, std::string& bytes) override;
    bool httpGet(const std::string& url, const std::string& userAgent, int timeoutMs,
                 std::string& body) override;
    bool openUrl(const std::string& url) override;
    bool rasterizeGlyphs(const std::string& family, int pixelHeight, GlyphSet& out) override;
    bool environmentVariable(const std::string& name, std::string& value) override;

    // One main window at a time; creating another replaces it. While it exists dialogs are
    // parented to it. Without a window, pollEvents only runs Qt's queue and never blocks.
    bool createMainWindow(const WindowSpec& spec, std::string& failure) override;
    void destroyMainWindow() override;
    void swapBuffers() override;
    void pollEvents(bool wait, std::vector<WindowEvent>& out) override;
    void setSystemCursorVisible(bool visible) override;
    void setMenuItem(int id, const std::string& caption, bool shown) override;
    void setMenuCheck(int id, bool on) override;
    bool menuCheck(int id) override;
    // The window's Qt objects, for tests; null without a window.
    QtWindow* window() const { return window_.get(); }

  private:
    std::string fileDialog(bool save, const FileDialogOptions& options);

    QWidget* dialogParent_ = nullptr;
    std::unique_ptr<QNetworkAccessManager> network_;
    std::unique_ptr<QtWindow> window_;
};
