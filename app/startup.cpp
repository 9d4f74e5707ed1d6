// Start-up in its fixed order, the paced main loop, and shutdown.
//
// Sections: command line and pacing; OpenGL and interface state; loading the models; start-up;
// main loop; shutdown.
#include "app/startup.h"

#include "app/commands.h"

#include "app/default_files_writer.h"
#include "app/file_commands.h"
#include "app/frame_step.h"
#include "app/keyboard.h"
#include "app/recent_files.h"
#include "app/reference_images.h"
#include "app/textures.h"
#include "app/update_check.h"
#include "app/window_messages.h"
#include "base/clock.h"
#include "base/paths.h"
#include "edit/model_io.h"
#include "edit/structure.h"
#include "model/model_file.h"
#include "render/view_draw.h"
#include "resources/bitmaps.h"
#include "resources/menu_table.h"
#include "ui/hints.h"

#include <cstdlib>
#include <new>
#include <vector>

// ---- Command line and pacing ----

std::string commandLineFileName(const std::string& commandLine) {
    std::string name = commandLine;
    if (!name.empty() && name.front() == '"') name.erase(0, 1);
    if (!name.empty() && name.back() == '"') name.pop_back();
    return name;
}

int frameSleep(int targetFramerate, int64_t frameClock, int64_t now) {
    if (targetFramerate <= 0) return 0;
    const int64_t wait = 1000 / targetFramerate + frameClock - now;
    return (wait >= 6 && wait <= 999) ? static_cast<int>(wait) : 0;
}

void countFrame(FrameClock& clock, int64_t now) {
    clock.frameClock = now;
    ++clock.frameCounter;
    if (clock.frameClock - clock.secondClock > 1000) {
        clock.secondClock = clock.frameClock;
        clock.frameRate = clock.frameCounter;
        clock.frameCounter = 0;
    }
}

namespace {

constexpr int kIconResource = 100;
// A command-line file name shorter than this counts as none.
constexpr std::size_t kShortestFileName = 5;

// The icon's BGR rows as the RGBA the window takes; both run bottom to top.
RgbaImage applicationIcon() {
    RgbaImage icon;
    BitmapImage bitmap;
    if (!bitmapResource(kIconResource, bitmap)) return icon;
    icon.width = bitmap.width;
    icon.height = bitmap.height;
    icon.pixels.reserve(static_cast<std::size_t>(bitmap.width) * bitmap.height * 4);
    for (int row = 0; row < bitmap.height; ++row)
        for (int x = 0; x < bitmap.width; ++x) {
            const uint8_t* bgr =
                &bitmap.bytes[static_cast<std::size_t>(row) * bitmap.rowBytes + x * 3];
            icon.pixels.insert(icon.pixels.end(), {bgr[2], bgr[1], bgr[0], 255});
        }
    return icon;
}

// ---- OpenGL and interface state ----

void initGlAndInterface(Editor& editor) {
    const Settings& s = editor.settings;
    initDrawingState(s.backgroundRed, s.backgroundGreen, s.backgroundBlue);

    initViewports(editor.views, editor.state.viewLayout, s.windowWidth, s.windowHeight);
    loadReferenceImages(editor);
    editor.platform.setMenuCheck(CmdScaleX, editor.edit.scaleX);
    editor.platform.setMenuCheck(CmdScaleY, editor.edit.scaleY);
    editor.platform.setMenuCheck(CmdScaleZ, editor.edit.scaleZ);
    editor.state.editMode = EditMode::Normal;

    buildToolbars(editor.panels, editor.platform, editor.cursorTextures);
    configReadHints(editor.config, editor.settings);
    offerHint(editor.panels, editor.settings.showHint, kHintStart, s.windowWidth, s.windowHeight);
}

// ---- Loading the models ----

void showLoadFailure(Editor& editor, const std::string& file, const std::string& reason) {
    editor.platform.messageBox("The model file could not be loaded:\n" + file + "\n\n" + reason,
                               "ERROR", MessageButtons::Ok, MessageIcon::Warning);
}

// The default new model under the name "UNTITLED.FW2", as New makes it.
void loadDefaultModel(Editor& editor) {
    Model& m = editor.edit;
    m.fileName = editor.userDirectory + "NEW_MODEL.FW2";
    m.loadWithoutDialog = true;
    std::string error;
    if (loadModel(m, &error))
        loadAllTextures(editor.platform, m);
    else
        showLoadFailure(editor, m.fileName, error);
    m.fileName = kUntitledName;
    m.hasFileName = false;
}

void loadEditModel(Editor& editor, const std::string& file) {
    Model& m = editor.edit;
    // A broken or missing file must not leave the user with nothing to edit.
    if (file.size() >= kShortestFileName && openModelFile(editor, file)) return;
    loadDefaultModel(editor);
    if (editor.settings.deleteDefaultMeshOnStartup) {
        m.currentMesh = 0;
        deleteMesh(m, 0);
    }
    markModelSaved(m); // the model as created: closing it loses nothing
}

void loadPreviewModels(Editor& editor) {
    static const char* const kPreviewFiles[3] = {"PREVIEWMODEL1.FW2", "PREVIEWMODEL2.FW2",
                                                 "PREVIEWMODEL3.FW2"};
    for (int i = 0; i < 3; ++i) {
        Model& m = editor.preview[i];
        m.loadWithoutDialog = true;
        m.fileName = editor.userDirectory + kPreviewFiles[i];
        if (loadModel(m)) loadAllTextures(editor.platform, m);
    }
}

// A relative APPDATA would name another folder once the per-user folder is current; whatever
// reads it later (every model's log channel) must find the same folder.
void makeAppDataAbsolute() {
    const char* root = std::getenv("APPDATA");
    if (!root || !*root) return;
    const std::string absolute = absolutePath(toSlashes(root));
    if (absolute != root) setenv("APPDATA", absolute.c_str(), 1);
}

} // namespace

// ---- Start-up ----

bool startEditor(Editor& editor, const std::string& commandLine) {
    // Relative paths given at start name places in the folder the program was started in.
    const std::string startFolder = currentDirectory();
    makeAppDataAbsolute();
    editor.userDirectory = userDirectory();
    makeDirectories(editor.userDirectory);
    setCurrentDirectory(editor.userDirectory);
    editor.configPath = editor.userDirectory + "Config.ini";

    logOpen(editor.log, editor.userDirectory + "Facetwright.Log");
    logEntry(editor.log, "----  Initialising Facetwright  ----");
    logEntry(editor.log, "Reading last Window Dimensions");
    editor.config.log = &editor.log;
    configSetFileName(editor.config, editor.configPath);
    configReadWindowGeometry(editor.config, editor.settings);

    logEntry(editor.log, "Creating OpenGL Rendering Window");
    WindowSpec spec;
    spec.title = kWindowTitle;
    spec.x = editor.settings.windowX;
    spec.y = editor.settings.windowY;
    spec.width = editor.settings.windowWidth;
    spec.height = editor.settings.windowHeight;
    spec.colourBits = 16;
    spec.menu = kMainMenu;
    spec.menuCount = kMainMenuCount;
    spec.menuKeys = kMenuKeys;
    spec.menuKeyCount = kMenuKeyCount;
    spec.icon = applicationIcon();
    std::string failure;
    if (!editor.platform.createMainWindow(spec, failure)) {
        editor.platform.messageBox(failure, "ERROR", MessageButtons::Ok, MessageIcon::Warning);
        return false;
    }

    logEntry(editor.log, "Reading Command Line Parameters");
    std::string file = commandLineFileName(commandLine);
    if (file.size() >= kShortestFileName && file[0] != '/') file = startFolder + file;

    writeMissingDefaultFiles(editor.userDirectory, editor.log);

    configReadAll(editor.config, editor.settings, editor.edit);
    editor.platform.setMenuCheck(CmdAutoCheckUpdates, editor.settings.enableUpdateChecking);
    editor.platform.setMenuCheck(CmdOnlyExtendedToolbars, editor.settings.onlyShowExtendedToolbars);
    editor.platform.setMenuCheck(CmdDeleteDefaultMesh, editor.settings.deleteDefaultMeshOnStartup);
    editor.platform.setMenuCheck(CmdShowTexturePreview, editor.settings.showTexturePreview);

    initGlAndInterface(editor);
    loadRecentFiles(editor);
    startRecovery(editor);
    loadEditModel(editor, file);
    loadPreviewModels(editor);
    offerRecovery(editor);
    editor.recovery.lastCheckMs = clockMs();
    editor.startupComplete = true;

    startupUpdateCheck(editor.platform, editor.log, editor.settings);
    return true;
}

// ---- Main loop ----

namespace {
void frameStep(Editor& editor) {
    updateStatus(editor);
    handleKeyboard(editor);
    renderFrame(editor);
    editor.platform.swapBuffers();
    sleepMs(frameSleep(editor.settings.targetFramerate, editor.clock.frameClock, clockMs()));
    countFrame(editor.clock, clockMs());
}
} // namespace

void runMainLoop(Editor& editor) {
    std::vector<WindowEvent> events;
    while (!editor.quit) {
        events.clear();
        // A minimised window waits for events instead of spinning a core.
        editor.platform.pollEvents(!editor.windowActive, events);
        for (const WindowEvent& event : events) {
            // Commands answer for their own memory; anything else that runs out only stops.
            try {
                handleWindowEvent(editor, event);
            } catch (const std::bad_alloc&) {
                showOutOfMemory(editor, false);
            }
            // Exit and closing the window end the run only once unsaved changes are settled.
            if (editor.quit && !askToSaveChanges(editor)) editor.quit = false;
            if (editor.quit) return;
        }
        stepRecovery(editor, clockMs());
        if (events.empty() && editor.windowActive) {
            try {
                frameStep(editor);
            } catch (const std::bad_alloc&) {
                showOutOfMemory(editor, false);
            }
        }
    }
}

// ---- Shutdown ----

void shutdownEditor(Editor& editor) {
    // A clean exit: the work was saved, thrown away, or never changed.
    dropRecoveryCopy(editor.recovery);
    configWriteAll(editor.config, editor.settings, editor.edit);
    logClose(editor.log);
    deleteToolbarFonts(editor.panels);
    editor.platform.destroyMainWindow();
}

int runEditor(Platform& platform, const std::string& commandLine) {
    Editor editor(platform);
    if (!startEditor(editor, commandLine)) return 1;
    runMainLoop(editor);
    shutdownEditor(editor);
    return 0;
}
