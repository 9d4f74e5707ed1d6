// Keys polled once per frame: zoom, turning the 3D view, the transform mode, typing names.
#pragma once

#include "app/editor.h"

void handleKeyboard(Editor& editor);
