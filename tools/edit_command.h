// The operations of `facetwright-tool edit`: parsed from the command line, applied with the
// editor's own edit functions. Uses only model/ and edit/.
#pragma once

#include "model/model.h"

#include <string>
#include <vector>

struct EditOperation {
    int kind = -1;                  // a row of the operation table
    std::vector<std::string> words; // the arguments after the name
    std::string text;               // the whole operation as typed, for messages
};

// One line per operation for the usage text, each ending in a newline.
std::string editOperationsHelp();

// Splits words into operations; false with a message naming the first unknown name or a wrong
// number of arguments.
bool parseEditOperations(const std::vector<std::string>& words, std::vector<EditOperation>& out,
                         std::string& error);

// Applies one operation; false with a message when its arguments are wrong or it has nothing to
// act on. A note for the user (how many corners a weld moved) goes to note.
bool applyEditOperation(Model& m, const EditOperation& op, std::string& error, std::string& note);
