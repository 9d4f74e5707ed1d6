// Every change to the model is one undo step: the command table's undo column, row by row.
#include "app/commands.h"
#include "edit/transforms.h"
#include "edit/undo.h"
#include "fuzz/undo_reference.h"
#include "resources/menu_table.h"

#include "editor_fixture.h"

#include <gtest/gtest.h>

namespace {

// The small two-mesh model with mesh 0 selected and a drag already done (an earlier step to keep).
struct UndoCommands : fwtest::LaidOutEditor {
    void start() {
        Model& m = editor.edit;
        fuzz::buildSmallModel(m);
        setupUndo(m, 5);
        m.currentMesh = 0;
        m.currentTriangle = 0;
        for (int i = 0; i < 6; ++i) m.vertices[i].selected = true;
        prepareCommand(editor, GestureDragVertices);
        moveSelection(m, 0.25f, 0, 0);
    }
};

} // namespace

// A row with a snapshot is undone alone: one Ctrl+Z brings back the model as it was just before
// it, the drag included. A row without one leaves what a snapshot holds untouched.
TEST_F(UndoCommands, EveryCommandThatChangesTheModelIsOneStep) {
    int undoable = 0;
    for (std::size_t i = 0; i < commandCount(); ++i) {
        const Command& row = commandTable()[i];
        if (!row.run || row.id == CmdUndo || row.id == CmdRedo) continue;
        SCOPED_TRACE(row.id);
        start();
        const std::string before = fuzz::heldState(editor.edit);
        if (row.confirm != Confirm::None) platform.messageAnswers.push_back(MessageAnswer::Yes);
        runCommand(editor, row.id);
        platform.messageAnswers.clear();
        const std::string after = fuzz::heldState(editor.edit);
        if (row.undo == Undo::None) {
            EXPECT_EQ(fuzz::firstDifference(before, after), "no difference");
            continue;
        }
        if (after == before) continue;
        ++undoable;
        runCommand(editor, CmdUndo);
        EXPECT_EQ(fuzz::firstDifference(before, fuzz::heldState(editor.edit)), "no difference");
    }
    EXPECT_GT(undoable, 40); // the rows really changed the model
}
