// Reading text files the way the model readers take them: whole into memory, then line pieces.
#pragma once

#include <cstddef>
#include <string>

// Reads a whole regular file into out; false when it cannot be opened or read, when it is not a
// regular file (a directory, FIFO or device is refused before anything is read), or when memory
// runs out.
bool readWholeFile(const std::string& path, std::string& out);

// Lines come as a fixed 1024-character line buffer takes them: a line longer than 1023 characters
// comes in several pieces, and a line of a multiple of 1023 characters is followed by an empty
// piece for its line end. "\r\n" ends a line like "\n"; the last line needs no line end.
constexpr std::size_t kPieceMax = 1023;

struct LineReader {
    const char* pos = nullptr;
    const char* end = nullptr;
    const char* contentEnd = nullptr; // current line without its line end; null between lines
    const char* next = nullptr;       // start of the following line
    bool hasLineEnd = false;
};

struct Piece {
    const char* text = nullptr;
    std::size_t length = 0;
    bool firstOfLine = false;
    bool cut = false; // more of the same line follows in the next piece
};

LineReader lineReader(const std::string& data);
LineReader lineReader(const char* begin, const char* end);
// The next piece, or false at the end of the data.
bool nextPiece(LineReader& r, Piece& out);

// A piece copied into a NUL-terminated buffer, so scanners cannot run on into the next line. With
// wholeWords a cut piece ends at its last blank or tab, so no number is read with its digits cut
// off.
struct PieceText {
    char text[kPieceMax + 1];
};
void copyPiece(const Piece& p, PieceText& out, bool wholeWords);
