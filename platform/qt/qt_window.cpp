// The main window on Qt: menu bar from the menu table, OpenGL surface, events as WindowEvents.
//
// Sections: translation helpers; the OpenGL window; the main window; menu bar; creation and
// destruction; events, buffers, cursor and check marks.
#include "platform/qt/qt_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QPixmap>
#include <QResizeEvent>
#include <QSurfaceFormat>
#include <QWheelEvent>
#include <QWindow>

#include <cmath>

// ---- Translation helpers ----

// Letters and digits share their codes with the virtual keys.
static_assert(Qt::Key_A == 0x41 && Qt::Key_Z == 0x5A, "Qt letter keys are ASCII capitals");
static_assert(Qt::Key_0 == 0x30 && Qt::Key_9 == 0x39, "Qt digit keys are ASCII digits");

int virtualKeyFromQt(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey;
    switch (qtKey) {
    case Qt::Key_Backspace:
        return 0x08;
    case Qt::Key_Shift:
        return 0x10;
    case Qt::Key_Control:
        return 0x11;
    case Qt::Key_Space:
        return 0x20;
    case Qt::Key_PageUp:
        return 0x21;
    case Qt::Key_PageDown:
        return 0x22;
    case Qt::Key_Left:
        return 0x25;
    case Qt::Key_Up:
        return 0x26;
    case Qt::Key_Right:
        return 0x27;
    case Qt::Key_Down:
        return 0x28;
    case Qt::Key_End:
        return 0x23;
    case Qt::Key_Home:
        return 0x24;
    case Qt::Key_Delete:
        return 0x2E;
    default:
        return 0;
    }
}

int buttonMaskFromQt(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    int mask = 0;
    if (buttons & Qt::LeftButton) mask |= 1;
    if (buttons & Qt::RightButton) mask |= 2;
    if (modifiers & Qt::ShiftModifier) mask |= 4;
    if (modifiers & Qt::ControlModifier) mask |= 8;
    if (buttons & Qt::MiddleButton) mask |= 16;
    return mask;
}

namespace {

QString qs(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

WindowEvent makeEvent(WindowEventType type) {
    WindowEvent e;
    e.type = type;
    return e;
}

// Keys as virtual-key codes; auto-repeat presses count, auto-repeat releases do not.
void queueKey(std::vector<WindowEvent>& queue, QKeyEvent* e, bool pressed) {
    const int key = virtualKeyFromQt(e->key());
    if (!key || (!pressed && e->isAutoRepeat())) return;
    WindowEvent out = makeEvent(pressed ? WindowEventType::KeyDown : WindowEventType::KeyUp);
    out.key = key;
    queue.push_back(out);
    e->accept();
}

} // namespace

// ---- The OpenGL window ----

// The client area. Positions and sizes go out in surface pixels, which differ from Qt's logical
// pixels on a scaled screen.
class QtGlWindow : public QWindow {
  public:
    explicit QtGlWindow(std::vector<WindowEvent>& queue) : queue_(queue) {
        setSurfaceType(QSurface::OpenGLSurface);
    }

  protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::Leave) queue_.push_back(makeEvent(WindowEventType::MouseLeave));
        return QWindow::event(e);
    }

    void resizeEvent(QResizeEvent* e) override {
        WindowEvent out = makeEvent(WindowEventType::Size);
        out.width = pixels(e->size().width());
        out.height = pixels(e->size().height());
        queue_.push_back(out);
    }

    void mouseMoveEvent(QMouseEvent* e) override { pushMouse(WindowEventType::MouseMove, e); }

    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton) pushMouse(WindowEventType::LeftDown, e);
        if (e->button() == Qt::RightButton) pushMouse(WindowEventType::RightDown, e);
    }

    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton) pushMouse(WindowEventType::LeftUp, e);
        if (e->button() == Qt::RightButton) pushMouse(WindowEventType::RightUp, e);
    }

    // Qt reports the second press of a double click as a press followed by a double click; the
    // handlers expect the double click instead of that press, as a window with double clicks
    // enabled gets it. A second right press stays a press so that a quick second drag starts.
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) return;
        if (!queue_.empty() && queue_.back().type == WindowEventType::LeftDown) queue_.pop_back();
        pushMouse(WindowEventType::LeftDoubleClick, e);
    }

    void wheelEvent(QWheelEvent* e) override {
        const int delta = e->angleDelta().y();
        if (delta == 0) return; // sideways scrolling is not a wheel turn
        WindowEvent out = makeEvent(WindowEventType::Wheel);
        out.delta = delta;
        out.x = coordinate(e->position().x());
        out.y = coordinate(e->position().y());
        out.buttons = buttonMaskFromQt(e->buttons(), e->modifiers());
        queue_.push_back(out);
        e->accept();
    }

    void keyPressEvent(QKeyEvent* e) override { queueKey(queue_, e, true); }
    void keyReleaseEvent(QKeyEvent* e) override { queueKey(queue_, e, false); }

  private:
    int pixels(int logical) const {
        return static_cast<int>(std::lround(logical * devicePixelRatio()));
    }
    int coordinate(double logical) const {
        return static_cast<int>(std::floor(logical * devicePixelRatio()));
    }

    void pushMouse(WindowEventType type, QMouseEvent* e) {
        WindowEvent out = makeEvent(type);
        out.x = coordinate(e->position().x());
        out.y = coordinate(e->position().y());
        out.buttons = buttonMaskFromQt(e->buttons(), e->modifiers());
        queue_.push_back(out);
        e->accept();
    }

    std::vector<WindowEvent>& queue_;
};

// ---- The main window ----

class QtMainWindow : public QMainWindow {
  public:
    explicit QtMainWindow(std::vector<WindowEvent>& queue) : queue_(queue) {}

    // A menu, a dialog or another window has the keyboard now.
    void keyboardLeft() { queueActivate(true); }

  protected:
    void moveEvent(QMoveEvent* e) override {
        QMainWindow::moveEvent(e);
        const QPoint corner = frameGeometry().topLeft();
        WindowEvent out = makeEvent(WindowEventType::Move);
        out.x = corner.x();
        out.y = corner.y();
        queue_.push_back(out);
    }

    void changeEvent(QEvent* e) override {
        QMainWindow::changeEvent(e);
        if (e->type() == QEvent::WindowStateChange) windowStateChanged();
    }

    // When the X input focus rests on the main window rather than on the OpenGL surface, the
    // keys arrive here; they mean the same to the program.
    void keyPressEvent(QKeyEvent* e) override { queueKey(queue_, e, true); }
    void keyReleaseEvent(QKeyEvent* e) override { queueKey(queue_, e, false); }

    // The program decides whether to quit, so the window stays until it is destroyed.
    void closeEvent(QCloseEvent* e) override {
        e->ignore();
        queue_.push_back(makeEvent(WindowEventType::Close));
    }

  private:
    void windowStateChanged() {
        const bool minimised = isMinimized();
        if (minimised == minimised_) return;
        minimised_ = minimised;
        queueActivate(minimised);
    }

    void queueActivate(bool deactivated) {
        WindowEvent out = makeEvent(WindowEventType::Activate);
        out.minimised = minimised_;
        out.deactivated = deactivated;
        queue_.push_back(out);
    }

    std::vector<WindowEvent>& queue_;
    bool minimised_ = false;
};

// ---- Menu bar ----

namespace {

// Alt+letter opens the menu of the bar with that mnemonic; where menus share it, the first, and
// pressed again while one of them is open, the next, round to the first again. Left alone, Qt
// starts wherever its last ambiguous shortcut left off, and an open menu closes on the Alt of
// the next Alt+letter before the letter arrives; here Alt closes it only when let go alone.
class MenuMnemonics : public QObject {
  public:
    explicit MenuMnemonics(QMenuBar* bar) : QObject(bar), bar_(bar) {}

  protected:
    // Watches the bar for its shortcuts and every menu for the keys it takes while open.
    bool eventFilter(QObject* watched, QEvent* e) override {
        switch (e->type()) {
        case QEvent::Shortcut: // a mnemonic of one menu alone is Qt's to handle
            return openNext(static_cast<QShortcutEvent*>(e)->key(), 2);
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(e);
            altAlone_ = key->key() == Qt::Key_Alt && watched != bar_;
            if (altAlone_) return true;
            return key->modifiers() == Qt::AltModifier &&
                   openNext(QKeySequence(key->keyCombination()), 1);
        }
        case QEvent::KeyRelease:
            if (static_cast<QKeyEvent*>(e)->key() != Qt::Key_Alt || !altAlone_) return false;
            altAlone_ = false;
            bar_->setActiveAction(nullptr);
            return true;
        default:
            return QObject::eventFilter(watched, e);
        }
    }

  private:
    // False when fewer menus of the bar have this mnemonic. The opened menu's first item is
    // highlighted, as when Qt opens a menu from the keyboard.
    bool openNext(const QKeySequence& pressed, qsizetype fewest) {
        QList<QAction*> sharing;
        for (QAction* a : bar_->actions())
            if (a->menu() && QKeySequence::mnemonic(a->text()) == pressed) sharing.append(a);
        if (sharing.size() < fewest) return false;
        const qsizetype at = sharing.indexOf(bar_->activeAction()); // -1: none of them is open
        QAction* next = sharing[(at + 1) % sharing.size()];
        bar_->setActiveAction(next);
        for (QAction* item : next->menu()->actions())
            if (!item->isSeparator() && item->isEnabled() && item->isVisible()) {
                next->menu()->setActiveAction(item);
                break;
            }
        return true;
    }

    QMenuBar* bar_;
    bool altAlone_ = false; // Alt went down in an open menu and nothing else since
};

// Builds the bar from the depth-nested table. Entries whose parent menu is missing (a malformed
// table) are skipped rather than attached somewhere else.
void buildMenuBar(QMenuBar* bar, const WindowSpec& spec, std::map<int, QAction*>& actions,
                  std::vector<WindowEvent>& queue) {
    const MenuEntry* menu = spec.menu;
    const std::size_t count = spec.menuCount;
    std::vector<QMenu*> open; // open[d]: the menu holding the entries of depth d + 1
    auto* mnemonics = new MenuMnemonics(bar);
    bar->installEventFilter(mnemonics);
    for (std::size_t i = 0; menu && i < count; ++i) {
        const MenuEntry& entry = menu[i];
        if (entry.depth < 0 || static_cast<std::size_t>(entry.depth) > open.size()) continue;
        open.resize(static_cast<std::size_t>(entry.depth));
        QMenu* parent = entry.depth == 0 ? nullptr : open.back();
        const QString caption = qs(entry.caption ? entry.caption : "");
        switch (entry.kind) {
        case MenuEntryKind::Menu:
            open.push_back(parent ? parent->addMenu(caption) : bar->addMenu(caption));
            open.back()->installEventFilter(mnemonics);
            break;
        case MenuEntryKind::Separator:
            if (parent)
                parent->addSeparator();
            else
                bar->addSeparator();
            break;
        case MenuEntryKind::Item: {
            // The item's keys are shown after a tab, which the menu aligns on the right; they
            // stay the program's to handle, so no Qt shortcut takes them.
            const std::string keys = menuKeyText(spec.menuKeys, spec.menuKeyCount, entry.id);
            const QString text = keys.empty() ? caption : caption + "\t" + qs(keys);
            QAction* action = parent ? parent->addAction(text) : bar->addAction(text);
            action->setCheckable(entry.toggles);
            const int id = entry.id;
            // The mark is the program's storage: Qt's own flip on a trigger is undone so that
            // only setMenuCheck changes it.
            QObject::connect(action, &QAction::triggered, action, [action, id, &queue](bool on) {
                if (action->isCheckable()) action->setChecked(!on);
                WindowEvent out = makeEvent(WindowEventType::Command);
                out.command = id;
                queue.push_back(out);
            });
            actions[id] = action;
            break;
        }
        }
    }
}

QSurfaceFormat surfaceFormat(int colourBits) {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    format.setDepthBufferSize(16);
    format.setStencilBufferSize(0);
    format.setAlphaBufferSize(0);
    // A request, not a demand: a deeper screen hands out its own depth.
    const bool deep = colourBits > 16;
    format.setRedBufferSize(deep ? 8 : 5);
    format.setGreenBufferSize(deep ? 8 : 6);
    format.setBlueBufferSize(deep ? 8 : 5);
    return format;
}

} // namespace

// ---- Creation and destruction ----

QtWindow::QtWindow() = default;

std::unique_ptr<QtWindow> QtWindow::create(const WindowSpec& spec, std::string& failure) {
    // Widgets need a QApplication; without one there is no window to make.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        failure = "Window Creation Error.";
        return nullptr;
    }
    std::unique_ptr<QtWindow> w(new QtWindow);
    w->main_ = new QtMainWindow(w->queue_);
    w->main_->setWindowTitle(qs(spec.title));
    if (!spec.icon.pixels.empty()) {
        // Rows come bottom to top; QImage wants them top to bottom.
        const QImage image(spec.icon.pixels.data(), spec.icon.width, spec.icon.height,
                           spec.icon.width * 4, QImage::Format_RGBA8888);
        w->main_->setWindowIcon(QIcon(QPixmap::fromImage(image.mirrored())));
    }
    buildMenuBar(w->main_->menuBar(), spec, w->actions_, w->queue_);

    const QSurfaceFormat format = surfaceFormat(spec.colourBits);
    w->glWindow_ = new QtGlWindow(w->queue_);
    w->glWindow_->setFormat(format);
    QWidget* container = QWidget::createWindowContainer(w->glWindow_, w->main_);
    // Keys reach the surface only through a focused container.
    container->setFocusPolicy(Qt::StrongFocus);
    w->main_->setCentralWidget(container);

    const double ratio = w->main_->devicePixelRatioF();
    const QSize want(static_cast<int>(std::lround(spec.width / ratio)),
                     static_cast<int>(std::lround(spec.height / ratio)));
    w->main_->resize(want.width(), want.height() + w->main_->menuBar()->sizeHint().height());
    w->main_->move(spec.x, spec.y);
    w->main_->show();
    // The menu bar may wrap into more rows on a narrow window; give the surface back what the
    // layout took.
    for (int tries = 0; tries < 3 && container->size() != want; ++tries) {
        w->main_->resize(w->main_->size() + (want - container->size()));
        if (QLayout* layout = w->main_->layout()) layout->activate();
    }
    if (!w->glWindow_->handle()) {
        failure = "Window Creation Error.";
        return nullptr;
    }

    w->context_ = std::make_unique<QOpenGLContext>();
    w->context_->setFormat(format);
    if (!w->context_->create()) {
        failure = "Can't Create A GL Rendering Context.";
        return nullptr;
    }
    if (!w->context_->makeCurrent(w->glWindow_)) {
        failure = "Can't Activate The GL Rendering Context.";
        return nullptr;
    }
    // Qt binds the context to a scratch surface while creating it, which leaves the initial
    // viewport at that surface's size instead of the window's.
    w->context_->functions()->glViewport(
        0, 0, static_cast<int>(std::lround(container->width() * ratio)),
        static_cast<int>(std::lround(container->height() * ratio)));

    // Keys released while a menu, a dialog or another window has the keyboard never reach the
    // surface; the program hears that it left and lets go of them.
    QtMainWindow* frame = w->main_;
    QWindow* surface = w->glWindow_;
    w->focusWatch_ = QObject::connect(qGuiApp, &QGuiApplication::focusWindowChanged, frame,
                                      [frame, surface](QWindow* now) {
                                          if (now != surface && now != frame->windowHandle())
                                              frame->keyboardLeft();
                                      });

    w->main_->raise();
    w->main_->activateWindow();
    container->setFocus();
    w->glWindow_->requestActivate();
    return w;
}

QtWindow::~QtWindow() {
    if (context_) {
        if (QOpenGLContext::currentContext() == context_.get()) context_->doneCurrent();
        context_.reset();
    }
    actions_.clear();
    // Destroying the windows moves the focus; the half-destroyed main window must not hear of it.
    QObject::disconnect(focusWatch_);
    // The container goes with the main window and takes the OpenGL window with it.
    delete main_;
}

// ---- Events, buffers, cursor and check marks ----

void QtWindow::swapBuffers() {
    // A minimised or hidden surface has nothing to show.
    if (glWindow_->isExposed()) context_->swapBuffers(glWindow_);
}

void QtWindow::pollEvents(bool wait, std::vector<WindowEvent>& out) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    while (wait && queue_.empty())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    out.insert(out.end(), queue_.begin(), queue_.end());
    queue_.clear();
}

void QtWindow::setSystemCursorVisible(bool visible) {
    // Called on every mouse move; only a change reaches the window system.
    if (visible == cursorVisible_) return;
    cursorVisible_ = visible;
    glWindow_->setCursor(visible ? Qt::ArrowCursor : Qt::BlankCursor);
}

void QtWindow::setMenuItem(int id, const std::string& caption, bool shown) {
    QAction* a = action(id);
    if (!a) return;
    a->setText(qs(caption));
    a->setVisible(shown);
}

void QtWindow::setMenuCheck(int id, bool on) {
    QAction* a = action(id);
    if (a && a->isCheckable()) a->setChecked(on);
}

bool QtWindow::menuCheck(int id) const {
    const QAction* a = action(id);
    return a && a->isCheckable() && a->isChecked();
}

QMainWindow* QtWindow::mainWindow() const {
    return main_;
}

QWindow* QtWindow::glWindow() const {
    return glWindow_;
}

QAction* QtWindow::action(int id) const {
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}
