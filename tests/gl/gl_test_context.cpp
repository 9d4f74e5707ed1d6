// Test-only OpenGL context: a QWindow with an OpenGL surface on the Xvfb display.
#include "gl_test_context.h"

#include <GL/gl.h>
#include <QGuiApplication>
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <QWindow>
#include <cstdlib>
#include <memory>

namespace {
struct State {
    QGuiApplication* app = nullptr; // kept to the end: destroying it after main() crashes Qt
    std::unique_ptr<QWindow> window;
    std::unique_ptr<QOpenGLContext> context;
    int height = 0;
};
State& state() {
    // One context per test binary, like the editor's one window. Never destroyed: a window or
    // context torn down by static destruction after main() crashes Qt.
    static State* s = new State;
    return *s;
}
int argc = 1;
char arg0[] = "gl-test";
char* argv[] = {arg0, nullptr};
} // namespace

bool glTestContextStart(int width, int height) {
    State& s = state();
    if (s.context) glTestContextStop(); // a fresh context replaces the old one cleanly
    if (!s.app) s.app = new QGuiApplication(argc, argv);
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setDepthBufferSize(16);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    s.window = std::make_unique<QWindow>();
    s.window->setSurfaceType(QSurface::OpenGLSurface);
    s.window->setFormat(format);
    s.window->resize(width, height);
    s.window->create();
    s.window->show();
    s.context = std::make_unique<QOpenGLContext>();
    s.context->setFormat(format);
    if (!s.context->create() || !s.context->makeCurrent(s.window.get())) return false;
    s.height = height;
    glViewport(0, 0, width, height);
    return true;
}

bool glTestContextReady() {
    const State& s = state();
    return s.context && s.context->isValid() && QOpenGLContext::currentContext() == s.context.get();
}

void glTestContextStop() {
    State& s = state();
    if (s.context) s.context->doneCurrent();
    s.context.reset();
    s.window.reset();
}

Rgb glTestPixel(int x, int yFromTop) {
    unsigned char px[4] = {0, 0, 0, 0};
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, state().height - 1 - yFromTop, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, px);
    return {px[0], px[1], px[2]};
}

bool rgbNear(const Rgb& got, int r, int g, int b, int tolerance) {
    return std::abs(got.r - r) <= tolerance && std::abs(got.g - g) <= tolerance &&
           std::abs(got.b - b) <= tolerance;
}

bool glTestColourAround(int x, int yFromTop, int r, int g, int b, int radius) {
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (rgbNear(glTestPixel(x + dx, yFromTop + dy), r, g, b)) return true;
    return false;
}
