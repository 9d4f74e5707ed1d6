// Widget tables: one row per widget as a panel lists it, and adding a table to a panel.
#pragma once

#include "ui/panel.h"

#include <cstddef>

// One widget as added: shown and enabled; an image button with a bitmap gets that picture's
// texture as its value.
struct WidgetRow {
    int id;
    WidgetType type;
    int x, y, width, height;
    int textX, textY;
    const char* caption;
    const char* help;
    int bitmap; // resource id of an image button's picture; 0 for none
    bool state;
    bool optionA;         // label: rounded box; slider: show the value
    bool optionB = false; // label: light box
    int value = 0;        // the starting value of a widget without a picture
};

void addWidgetRows(Panel& panel, const WidgetRow* rows, std::size_t count,
                   unsigned (*loadTexture)(int));

template <std::size_t N>
void addWidgetRows(Panel& panel, const WidgetRow (&rows)[N], unsigned (*loadTexture)(int)) {
    addWidgetRows(panel, rows, N, loadTexture);
}
