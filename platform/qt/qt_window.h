// The main window on Qt: menu bar from the menu table, OpenGL surface, events as WindowEvents.
#pragma once

#include "platform/platform.h"

#include <QMetaObject>
#include <Qt>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QMainWindow;
class QOpenGLContext;
class QWindow;

// The virtual-key code of a Qt key, or 0 for keys the program does not know.
int virtualKeyFromQt(int qtKey);
// The Windows key/button mask: 1 left, 2 right, 4 Shift, 8 Ctrl, 16 middle.
int buttonMaskFromQt(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

class QtMainWindow;
class QtGlWindow;

// One main window with its context; QtPlatform owns at most one.
class QtWindow {
  public:
    // Null with the failure text set when any step fails; nothing is left behind then.
    static std::unique_ptr<QtWindow> create(const WindowSpec& spec, std::string& failure);
    ~QtWindow();
    QtWindow(const QtWindow&) = delete;
    QtWindow& operator=(const QtWindow&) = delete;

    void swapBuffers();
    void pollEvents(bool wait, std::vector<WindowEvent>& out);
    void setSystemCursorVisible(bool visible);
    void setMenuItem(int id, const std::string& caption, bool shown);
    void setMenuCheck(int id, bool on);
    bool menuCheck(int id) const;

    QMainWindow* mainWindow() const;
    QWindow* glWindow() const;
    QOpenGLContext* context() const { return context_.get(); }
    // The menu action of a command id, or null.
    QAction* action(int id) const;

  private:
    QtWindow();

    // Events arrive here from the Qt handlers and leave through pollEvents.
    std::vector<WindowEvent> queue_;
    QtMainWindow* main_ = nullptr; // owns the container, which owns glWindow_
    QtGlWindow* glWindow_ = nullptr;
    std::unique_ptr<QOpenGLContext> context_;
    std::map<int, QAction*> actions_;
    QMetaObject::Connection focusWatch_; // tells the program when the keyboard leaves
    bool cursorVisible_ = true;
};
