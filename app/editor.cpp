// Construction of the editor's long-lived objects, before the window exists.
#include "app/editor.h"

Editor::Editor(Platform& p) : platform(p) {
    for (Viewport& view : views) initViewport(view);
}
