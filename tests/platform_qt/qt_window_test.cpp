// The Qt main window on a real X display (xvfb-run): surface, menu bar, check marks, input.
// Without a display, or in a process whose application already runs offscreen, these skip; CTest
// runs them in their own process under Xvfb.
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_window.h"

#include <GL/gl.h>
#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>

#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

bool startXcbApplication() {
    if (QCoreApplication::instance()) return QGuiApplication::platformName() == "xcb";
    if (qgetenv("DISPLAY").isEmpty()) return false;
    qputenv("QT_QPA_PLATFORM", "xcb");
    static int argc = 1;
    static char name[] = "facetwright-window-test";
    static char* argv[] = {name, nullptr};
    // Kept until the process ends: destroying it during static destruction is not safe.
    createQtApplication(argc, argv).release();
    return true;
}

std::string describe(const WindowEvent& e) {
    static const char* const kNames[] = {"Move",     "Size",   "Activate",        "Close",
                                         "KeyDown",  "KeyUp",  "Command",         "MouseMove",
                                         "LeftDown", "LeftUp", "LeftDoubleClick", "RightDown",
                                         "RightUp",  "Wheel",  "MouseLeave"};
    static_assert(sizeof kNames / sizeof kNames[0] ==
                      static_cast<int>(WindowEventType::MouseLeave) + 1,
                  "one name per event type");
    std::string s = kNames[static_cast<int>(e.type)];
    switch (e.type) {
    case WindowEventType::KeyDown:
    case WindowEventType::KeyUp:
        return s + " " + std::to_string(e.key);
    case WindowEventType::Command:
        return s + " " + std::to_string(e.command);
    case WindowEventType::MouseMove:
    case WindowEventType::LeftDown:
    case WindowEventType::LeftUp:
    case WindowEventType::LeftDoubleClick:
    case WindowEventType::RightDown:
    case WindowEventType::RightUp:
        return s + " " + std::to_string(e.x) + "," + std::to_string(e.y) + " b" +
               std::to_string(e.buttons);
    case WindowEventType::Wheel:
        return s + " " + std::to_string(e.delta) + " at " + std::to_string(e.x) + "," +
               std::to_string(e.y) + " b" + std::to_string(e.buttons);
    case WindowEventType::Activate:
        return s + (e.minimised ? " minimised" : " restored") +
               (e.deactivated ? " deactivated" : "");
    default:
        return s;
    }
}

class QtWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!startXcbApplication()) GTEST_SKIP() << "needs an X display of its own (xvfb-run)";
        spec.title = "Window Test";
        spec.x = 30;
        spec.y = 40;
        spec.width = 320;
        spec.height = 240;
        spec.menu = kMainMenu;
        spec.menuCount = kMainMenuCount;
        spec.menuKeys = kMenuKeys;
        spec.menuKeyCount = kMenuKeyCount;
        std::string failure;
        ASSERT_TRUE(platform.createMainWindow(spec, failure)) << failure;
        window = platform.window();
        ASSERT_NE(window, nullptr);
        const QDeadlineTimer deadline(3000);
        while (!window->glWindow()->isExposed() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        settled = drain(200);
    }

    void TearDown() override { platform.destroyMainWindow(); }

    // Everything that arrives within ms milliseconds.
    std::vector<WindowEvent> drain(int ms) {
        std::vector<WindowEvent> out;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            platform.pollEvents(false, out);
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        platform.pollEvents(false, out);
        return out;
    }

    // Polls until an event of the type arrives (or two seconds pass); all of them.
    std::vector<WindowEvent> until(WindowEventType type) {
        std::vector<WindowEvent> out;
        const QDeadlineTimer deadline(2000);
        auto seen = [&] {
            for (const WindowEvent& e : out)
                if (e.type == type) return true;
            return false;
        };
        while (!seen() && !deadline.hasExpired()) {
            platform.pollEvents(false, out);
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        return out;
    }

    // The input events of a poll, described; window-system noise (move, size) left out.
    std::vector<std::string> inputs() {
        std::vector<WindowEvent> out;
        platform.pollEvents(false, out);
        std::vector<std::string> got;
        for (const WindowEvent& e : out)
            if (e.type != WindowEventType::Move && e.type != WindowEventType::Size)
                got.push_back(describe(e));
        return got;
    }

    void send(QEvent&& e) { QCoreApplication::sendEvent(window->glWindow(), &e); }

    WindowSpec spec;
    QtPlatform platform;
    QtWindow* window = nullptr;
    std::vector<WindowEvent> settled;
};

const WindowEvent* last(const std::vector<WindowEvent>& events, WindowEventType type) {
    const WindowEvent* found = nullptr;
    for (const WindowEvent& e : events)
        if (e.type == type) found = &e;
    return found;
}

QMenu* topMenu(QtWindow* window, int index) {
    return window->mainWindow()->menuBar()->actions().value(index)->menu();
}

TEST_F(QtWindowTest, SurfaceGeometryAndContext) {
    // The surface is exactly the requested size below the menu bar, at the requested corner.
    EXPECT_EQ(window->glWindow()->size(), QSize(320, 240));
    EXPECT_EQ(window->mainWindow()->frameGeometry().topLeft(), QPoint(30, 40));
    EXPECT_GE(window->mainWindow()->height(), 240 + window->mainWindow()->menuBar()->height());
    EXPECT_EQ(window->mainWindow()->windowTitle(), QString("Window Test"));
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 320);
    EXPECT_EQ(viewport[3], 240);
    // The surface size reached the program as a Size event.
    const WindowEvent* size = last(settled, WindowEventType::Size);
    ASSERT_NE(size, nullptr);
    EXPECT_EQ(size->width, 320);
    EXPECT_EQ(size->height, 240);

    // A current, double-buffered compatibility context with a depth buffer.
    ASSERT_EQ(QOpenGLContext::currentContext(), window->context());
    EXPECT_NE(window->context()->format().profile(), QSurfaceFormat::CoreProfile);
    GLint depthBits = 0;
    GLboolean doubleBuffered = GL_FALSE;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
    EXPECT_GE(depthBits, 16);
    EXPECT_TRUE(doubleBuffered);

    // Fixed-function drawing works: a clear colour reads back, a swap follows.
    glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    unsigned char px[4] = {0, 0, 0, 0};
    glReadBuffer(GL_BACK);
    glReadPixels(160, 120, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, px);
    EXPECT_NEAR(px[0], 51, 9);
    EXPECT_NEAR(px[1], 102, 9);
    EXPECT_NEAR(px[2], 153, 9);
    platform.swapBuffers();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // Growing the window reaches the program as the new surface size; moving it as its corner.
    window->mainWindow()->resize(window->mainWindow()->size() + QSize(80, 60));
    std::vector<WindowEvent> events = until(WindowEventType::Size);
    size = last(events, WindowEventType::Size);
    ASSERT_NE(size, nullptr);
    EXPECT_EQ(size->width, 400);
    EXPECT_EQ(size->height, 300);
    window->mainWindow()->move(50, 70);
    events = until(WindowEventType::Move);
    const WindowEvent* move = last(events, WindowEventType::Move);
    ASSERT_NE(move, nullptr);
    EXPECT_EQ(move->x, 50);
    EXPECT_EQ(move->y, 70);
}

TEST_F(QtWindowTest, MenuBarFromTheTable) {
    const QList<QAction*> top = window->mainWindow()->menuBar()->actions();
    const std::vector<std::string> captions = {"&File",     "&Edit",    "&Vertex",
                                               "&Triangle", "&Mesh",    "&Material",
                                               "Model",     "&Options", "&Help"};
    ASSERT_EQ(top.size(), static_cast<qsizetype>(captions.size()));
    for (std::size_t i = 0; i < captions.size(); ++i) {
        EXPECT_EQ(top[static_cast<qsizetype>(i)]->text().toStdString(), captions[i]);
        EXPECT_NE(top[static_cast<qsizetype>(i)]->menu(), nullptr);
    }
    // File: 15 items, the Recent Files submenu and 3 separators, Exit last.
    const QList<QAction*> file = topMenu(window, 0)->actions();
    ASSERT_EQ(file.size(), 19);
    EXPECT_EQ(std::count_if(file.begin(), file.end(), [](QAction* a) { return a->isSeparator(); }),
              3);
    ASSERT_NE(window->action(205), nullptr);
    EXPECT_EQ(file.back(), window->action(205));
    EXPECT_EQ(window->action(205)->text(), QString("E&xit"));
    // Keys are shown after a tab, and are not Qt's shortcuts: the program reads them itself.
    EXPECT_EQ(window->action(204)->text(), QString("Save &As...\tCtrl+Shift+S"));
    EXPECT_TRUE(window->action(204)->shortcut().isEmpty());
    // Recent files change their captions and hide when unused.
    platform.setMenuItem(231, "&2 a.FW2", false);
    EXPECT_EQ(window->action(231)->text(), QString("&2 a.FW2"));
    EXPECT_FALSE(window->action(231)->isVisible());
    // A submenu holds its own items: Vertex > Align Selected > X, Y, Z.
    QMenu* align = topMenu(window, 2)->actions().value(0)->menu();
    ASSERT_NE(align, nullptr);
    EXPECT_EQ(align->title(), QString("&Align Selected"));
    EXPECT_EQ(align->actions(),
              (QList<QAction*>{window->action(501), window->action(502), window->action(503)}));
    // Two levels down: Mesh > Texture Coordinates > Scale Y Coordinates > 313.
    QMenu* texture = nullptr;
    for (QAction* a : topMenu(window, 4)->actions())
        if (a->menu() && a->text() == "Texture Coordinates") texture = a->menu();
    ASSERT_NE(texture, nullptr);
    QMenu* scaleY = texture->actions().value(2)->menu();
    ASSERT_NE(scaleY, nullptr);
    EXPECT_EQ(scaleY->title(), QString("Scale Y Coordinates"));
    EXPECT_EQ(scaleY->actions().value(0), window->action(313));
    // Only toggling items carry a check mark.
    EXPECT_TRUE(window->action(613)->isCheckable());
    EXPECT_TRUE(window->action(701)->isCheckable());
    EXPECT_FALSE(window->action(205)->isCheckable());
}

TEST_F(QtWindowTest, CheckMarksBelongToTheProgram) {
    // Marks are set and read through the platform; items that do not toggle have none.
    EXPECT_FALSE(platform.menuCheck(613));
    platform.setMenuCheck(613, true);
    EXPECT_TRUE(platform.menuCheck(613));
    EXPECT_TRUE(window->action(613)->isChecked());
    platform.setMenuCheck(205, true);
    EXPECT_FALSE(platform.menuCheck(205));
    EXPECT_FALSE(platform.menuCheck(9999));
    platform.setMenuCheck(9999, true);
    inputs();

    // Choosing an item queues its command; a toggling item keeps its mark until the program
    // changes it, whichever state it is in.
    window->action(613)->trigger();
    EXPECT_EQ(inputs(), (std::vector<std::string>{"Command 613"}));
    EXPECT_TRUE(platform.menuCheck(613));
    platform.setMenuCheck(613, false);
    window->action(613)->trigger();
    window->action(205)->trigger();
    EXPECT_EQ(inputs(), (std::vector<std::string>{"Command 613", "Command 205"}));
    EXPECT_FALSE(platform.menuCheck(613));
}

TEST_F(QtWindowTest, MouseEventsBecomeWindowsMessages) {
    inputs();
    auto mouse = [&](QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held,
                     Qt::KeyboardModifiers mods = Qt::NoModifier) {
        send(QMouseEvent(type, at, window->glWindow()->mapToGlobal(at), button, held, mods));
    };
    // Moves carry the held buttons and modifiers as the mask.
    mouse(QEvent::MouseMove, {10, 20}, Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
    mouse(QEvent::MouseMove, {11, 22}, Qt::NoButton, Qt::RightButton | Qt::MiddleButton,
          Qt::ControlModifier);
    mouse(QEvent::MouseMove, {12, 23}, Qt::NoButton, Qt::NoButton);
    // A press includes its button in the mask, a release no longer does.
    mouse(QEvent::MouseButtonPress, {30, 40}, Qt::LeftButton, Qt::LeftButton, Qt::ControlModifier);
    mouse(QEvent::MouseButtonRelease, {31, 41}, Qt::LeftButton, Qt::NoButton);
    mouse(QEvent::MouseButtonPress, {50, 60}, Qt::RightButton, Qt::RightButton);
    mouse(QEvent::MouseButtonRelease, {50, 60}, Qt::RightButton, Qt::NoButton);
    // The middle button alone is only part of the mask.
    mouse(QEvent::MouseButtonPress, {5, 5}, Qt::MiddleButton, Qt::MiddleButton);
    EXPECT_EQ(inputs(), (std::vector<std::string>{"MouseMove 10,20 b5", "MouseMove 11,22 b26",
                                                  "MouseMove 12,23 b0", "LeftDown 30,40 b9",
                                                  "LeftUp 31,41 b0", "RightDown 50,60 b2",
                                                  "RightUp 50,60 b0"}));

    // The second press of a double click is the double click alone, as the handlers expect.
    mouse(QEvent::MouseButtonPress, {70, 80}, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, {70, 80}, Qt::LeftButton, Qt::NoButton);
    mouse(QEvent::MouseButtonPress, {70, 80}, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonDblClick, {70, 80}, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, {70, 80}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(inputs(), (std::vector<std::string>{"LeftDown 70,80 b1", "LeftUp 70,80 b0",
                                                  "LeftDoubleClick 70,80 b1", "LeftUp 70,80 b0"}));

    // Wheel turns in 120ths of a notch, signed; sideways scrolling is not a wheel turn.
    auto wheel = [&](QPoint angle, Qt::KeyboardModifiers mods) {
        const QPointF at(100, 90);
        send(QWheelEvent(at, window->glWindow()->mapToGlobal(at), QPoint(), angle, Qt::NoButton,
                         mods, Qt::NoScrollPhase, false));
    };
    wheel({0, 120}, Qt::NoModifier);
    wheel({0, -240}, Qt::ShiftModifier);
    wheel({120, 0}, Qt::NoModifier);
    // Leaving the surface.
    send(QEvent(QEvent::Leave));
    EXPECT_EQ(inputs(), (std::vector<std::string>{"Wheel 120 at 100,90 b0",
                                                  "Wheel -240 at 100,90 b4", "MouseLeave"}));
}

TEST_F(QtWindowTest, KeysBecomeVirtualKeyCodes) {
    inputs();
    auto key = [&](QEvent::Type type, int k, bool repeat = false) {
        send(QKeyEvent(type, k, Qt::NoModifier, QString(), repeat));
    };
    // Letters, digits, space, backspace, modifiers, paging and arrows.
    for (int k : {int(Qt::Key_A), int(Qt::Key_Z), int(Qt::Key_7), int(Qt::Key_Space),
                  int(Qt::Key_Backspace), int(Qt::Key_Shift), int(Qt::Key_Control),
                  int(Qt::Key_PageUp), int(Qt::Key_PageDown), int(Qt::Key_Left), int(Qt::Key_Up),
                  int(Qt::Key_Right), int(Qt::Key_Down)})
        key(QEvent::KeyPress, k);
    EXPECT_EQ(inputs(), (std::vector<std::string>{
                            "KeyDown 65", "KeyDown 90", "KeyDown 55", "KeyDown 32", "KeyDown 8",
                            "KeyDown 16", "KeyDown 17", "KeyDown 33", "KeyDown 34", "KeyDown 37",
                            "KeyDown 38", "KeyDown 39", "KeyDown 40"}));
    // Held keys: every repeated press counts, repeated releases do not; unknown keys vanish.
    key(QEvent::KeyPress, Qt::Key_Z);
    key(QEvent::KeyRelease, Qt::Key_Z, true);
    key(QEvent::KeyPress, Qt::Key_Z, true);
    key(QEvent::KeyRelease, Qt::Key_Z);
    key(QEvent::KeyPress, Qt::Key_F1);
    key(QEvent::KeyPress, Qt::Key_Escape);
    key(QEvent::KeyRelease, Qt::Key_Escape);
    EXPECT_EQ(inputs(), (std::vector<std::string>{"KeyDown 90", "KeyDown 90", "KeyUp 90"}));
    // Keys that reach the main window instead of the surface (the X focus on the frame) count
    // the same.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_M, Qt::ControlModifier);
    QCoreApplication::sendEvent(window->mainWindow(), &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_M, Qt::ControlModifier);
    QCoreApplication::sendEvent(window->mainWindow(), &release);
    EXPECT_EQ(inputs(), (std::vector<std::string>{"KeyDown 77", "KeyUp 77"}));
}

TEST_F(QtWindowTest, CloseMinimiseCursorAndWaiting) {
    inputs();
    // A close request is the program's to answer: the window stays.
    EXPECT_FALSE(window->mainWindow()->close());
    EXPECT_EQ(inputs(), (std::vector<std::string>{"Close"}));
    EXPECT_TRUE(window->mainWindow()->isVisible());

    // Minimising and restoring, each reported once.
    window->mainWindow()->showMinimized();
    std::vector<std::string> got;
    for (const WindowEvent& e : until(WindowEventType::Activate))
        if (e.type == WindowEventType::Activate) got.push_back(describe(e));
    window->mainWindow()->showNormal();
    for (const WindowEvent& e : drain(300))
        if (e.type == WindowEventType::Activate) got.push_back(describe(e));
    EXPECT_EQ(got,
              (std::vector<std::string>{"Activate minimised deactivated", "Activate restored"}));

    // The system cursor over the surface hides and comes back.
    platform.setSystemCursorVisible(false);
    EXPECT_EQ(window->glWindow()->cursor().shape(), Qt::BlankCursor);
    platform.setSystemCursorVisible(true);
    EXPECT_EQ(window->glWindow()->cursor().shape(), Qt::ArrowCursor);

    // A waiting poll sleeps until something arrives and then hands it out.
    drain(100);
    QTimer::singleShot(150, window->glWindow(),
                       [this] { send(QKeyEvent(QEvent::KeyPress, Qt::Key_M, Qt::NoModifier)); });
    QElapsedTimer t;
    t.start();
    std::vector<WindowEvent> out;
    platform.pollEvents(true, out);
    EXPECT_GE(t.elapsed(), 120);
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(describe(out.back()), "KeyDown 77");
}

TEST_F(QtWindowTest, RepeatedMnemonicMovesBetweenTheMenusSharingIt) {
    QMenuBar* bar = window->mainWindow()->menuBar();
    QAction* mesh = bar->actions().value(4);
    QAction* material = bar->actions().value(5);
    auto open = [] { return QApplication::activePopupWidget(); };
    // What the open menu gets from a key, with Alt held.
    auto key = [&](QEvent::Type type, Qt::Key k) {
        QKeyEvent e(type, k, Qt::AltModifier);
        QCoreApplication::sendEvent(open(), &e);
        QCoreApplication::processEvents();
    };
    auto altChord = [&](Qt::Key k) {
        key(QEvent::KeyPress, Qt::Key_Alt);
        key(QEvent::KeyPress, k);
        key(QEvent::KeyRelease, Qt::Key_Alt);
    };
    // Alt+M opens Mesh, whichever of the two Qt's ambiguous shortcut would give.
    for (int time = 0; time < 2; ++time) {
        QShortcutEvent shortcut(QKeySequence(Qt::ALT | Qt::Key_M), 0, true);
        QCoreApplication::sendEvent(bar, &shortcut);
        QCoreApplication::processEvents();
        ASSERT_EQ(open(), mesh->menu());
        EXPECT_EQ(mesh->menu()->activeAction(), window->action(321)); // first item, as Qt does
        mesh->menu()->close();
        QCoreApplication::processEvents();
    }
    // Each further Alt+M moves on to the next menu with M, and round.
    bar->setActiveAction(mesh);
    QCoreApplication::processEvents();
    altChord(Qt::Key_M);
    EXPECT_EQ(bar->activeAction(), material);
    EXPECT_EQ(open(), material->menu());
    key(QEvent::KeyPress, Qt::Key_M); // Alt still held
    EXPECT_EQ(open(), mesh->menu());
    // Another menu's letter opens that menu; Alt let go alone closes the menus.
    altChord(Qt::Key_F);
    EXPECT_EQ(open(), topMenu(window, 0));
    key(QEvent::KeyPress, Qt::Key_Alt);
    key(QEvent::KeyRelease, Qt::Key_Alt);
    EXPECT_EQ(open(), nullptr);
    EXPECT_EQ(mesh->text(), QString("&Mesh"));
    EXPECT_EQ(material->text(), QString("&Material"));
    drain(100);
}

// Shows a message box through the platform, closes it, and gives the widget it was parented to.
QWidget* messageBoxParent(QtPlatform& platform) {
    QWidget* parent = nullptr;
    bool seen = false;
    QTimer timer;
    timer.setInterval(20);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen = true;
            parent = box->parentWidget();
            timer.stop();
            box->done(0);
        }
    });
    timer.start();
    platform.messageBox("text", "caption", MessageButtons::Ok, MessageIcon::None);
    EXPECT_TRUE(seen);
    return parent;
}

TEST_F(QtWindowTest, KeyboardLeavingTheWindowIsADeactivation) {
    QMenuBar* bar = window->mainWindow()->menuBar();
    inputs();
    // An open menu has the keyboard: keys released there never reach the surface.
    bar->setActiveAction(bar->actions().value(1));
    std::vector<std::string> got;
    for (const WindowEvent& e : until(WindowEventType::Activate))
        if (e.type == WindowEventType::Activate) got.push_back(describe(e));
    EXPECT_EQ(got, (std::vector<std::string>{"Activate restored deactivated"}));
    topMenu(window, 1)->close();
    drain(100);
    // So has another window.
    QWidget other;
    other.show();
    other.activateWindow();
    const QDeadlineTimer deadline(2000);
    while (QGuiApplication::focusWindow() != other.windowHandle() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    const std::vector<WindowEvent> events = drain(50);
    const WindowEvent* left = last(events, WindowEventType::Activate);
    ASSERT_NE(left, nullptr);
    EXPECT_TRUE(left->deactivated);
}

TEST_F(QtWindowTest, DialogsBelongToTheWindowUntilItIsDestroyed) {
    // A message box shown while the window exists is its child.
    EXPECT_EQ(messageBoxParent(platform), window->mainWindow());

    // Destroying releases the context and the window; another can be made afterwards.
    platform.destroyMainWindow();
    EXPECT_EQ(platform.window(), nullptr);
    EXPECT_EQ(QOpenGLContext::currentContext(), nullptr);
    EXPECT_FALSE(platform.menuCheck(613));
    EXPECT_EQ(messageBoxParent(platform), nullptr);
    std::string failure;
    ASSERT_TRUE(platform.createMainWindow(spec, failure)) << failure;
    EXPECT_EQ(QOpenGLContext::currentContext(), platform.window()->context());
}

} // namespace
