// Typed transforms and welds from the menu, through the platform's form dialog.
#include "app/modelling_commands.h"

#include "base/clock.h"
#include "base/numbers.h"
#include "edit/weld.h"

#include <charconv>
#include <cstring>
#include <vector>

namespace {

constexpr int64_t kStatusMs = 6000;

// Rows of the transform form: a tick box then three numbers, for move, rotate and scale.
constexpr const char* kTransformRows[3][4] = {
    {"Move", "Move X", "Move Y", "Move Z"},
    {"Rotate (degrees, about X then Y then Z)", "Rotate about X", "Rotate about Y",
     "Rotate about Z"},
    {"Scale", "Scale X", "Scale Y", "Scale Z"},
};

bool* stepFlag(TransformValues& t, int step) {
    return step == 0 ? &t.move : step == 1 ? &t.rotate : &t.scale;
}
double* stepValues(TransformValues& t, int step) {
    return step == 0 ? t.moveBy : step == 1 ? t.degrees : t.factors;
}

void reportWeld(Editor& editor, int32_t moved) {
    setStatusText(editor, "Weld: " + std::to_string(moved) + " corners moved");
}

} // namespace

FormField numberField(const std::string& label, double value) {
    FormField f;
    f.label = label;
    f.number = value;
    return f;
}

FormField numberField(const std::string& label, float value) {
    char text[32];
    double shortest = value;
    for (int digits = 6; digits <= 9; ++digits) {
        formatC(text, sizeof text, "%.*g", digits, static_cast<double>(value));
        float back = 0;
        if (parseFloat(text, back) && back == value) {
            std::from_chars(text, text + std::strlen(text), shortest); // never the locale's
            break;
        }
    }
    return numberField(label, shortest);
}

void setStatusText(Editor& editor, const std::string& text) {
    editor.state.statusText = text;
    editor.state.statusUntil = clockMs() + kStatusMs;
}

std::string currentStatusText(const Editor& editor) {
    return clockMs() < editor.state.statusUntil ? editor.state.statusText : std::string();
}

bool askTransform(Editor& editor) {
    TransformValues t = editor.state.lastTransform;
    std::vector<FormField> fields;
    for (int step = 0; step < 3; ++step) {
        FormField tick;
        tick.kind = FormFieldKind::Check;
        tick.label = kTransformRows[step][0];
        tick.checked = *stepFlag(t, step);
        fields.push_back(tick);
        for (int a = 0; a < 3; ++a)
            fields.push_back(numberField(kTransformRows[step][a + 1], stepValues(t, step)[a]));
    }
    if (!editor.platform.formDialog("Transform Selection", fields)) return false;
    for (int step = 0; step < 3; ++step) {
        *stepFlag(t, step) = fields[4 * step].checked;
        for (int a = 0; a < 3; ++a) stepValues(t, step)[a] = fields[4 * step + 1 + a].number;
    }
    editor.state.lastTransform = t;
    return true;
}

void transformSelectionCommand(Editor& editor) {
    if (!transformSelection(editor.edit, editor.state.lastTransform))
        setStatusText(editor, "Transform: no unlocked vertex is selected");
}

bool askWeldDistance(Editor& editor) {
    std::vector<FormField> fields = {numberField("Distance", editor.state.weldDistance)};
    if (!editor.platform.formDialog("Weld Selected Vertices", fields)) return false;
    const float distance = static_cast<float>(fields[0].number);
    if (!(distance > 0)) {
        setStatusText(editor, "Weld: the distance must be greater than 0");
        return false;
    }
    editor.state.weldDistance = distance;
    return true;
}

void weldSelectedCommand(Editor& editor) {
    reportWeld(editor, weldSelectedVertices(editor.edit, editor.state.weldDistance));
}

void weldMeshCommand(Editor& editor) {
    reportWeld(editor, weldMesh(editor.edit, editor.edit.currentMesh, editor.state.weldDistance));
}
