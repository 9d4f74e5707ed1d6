// Adding a widget table to a panel.
#include "ui/widget_rows.h"

void addWidgetRows(Panel& panel, const WidgetRow* rows, std::size_t count,
                   unsigned (*loadTexture)(int)) {
    for (std::size_t i = 0; i < count; ++i) {
        const WidgetRow& r = rows[i];
        const int value = r.bitmap ? static_cast<int>(loadTexture(r.bitmap)) : r.value;
        addWidget(panel, r.id, r.type, r.x, r.y, r.width, r.height, r.textX, r.textY, r.caption,
                  true, true, r.state, r.help, r.optionA, r.optionB, value, 0);
    }
}
