// Whole-file reading and the line pieces the model readers scan.
#include "model/text_lines.h"

#include "base/regular_file.h"

#include <cstdio>
#include <cstring>

bool readWholeFile(const std::string& path, std::string& out) {
    return readRegularFile(path, out);
}

LineReader lineReader(const std::string& data) {
    return lineReader(data.data(), data.data() + data.size());
}

LineReader lineReader(const char* begin, const char* end) {
    LineReader r;
    r.pos = begin;
    r.end = end;
    return r;
}

bool nextPiece(LineReader& r, Piece& out) {
    bool first = false;
    if (!r.contentEnd) {
        if (r.pos == r.end) return false;
        const char* nl =
            static_cast<const char*>(std::memchr(r.pos, '\n', static_cast<size_t>(r.end - r.pos)));
        r.hasLineEnd = nl != nullptr;
        r.next = nl ? nl + 1 : r.end;
        r.contentEnd = nl ? nl : r.end;
        if (nl && nl > r.pos && nl[-1] == '\r') r.contentEnd = nl - 1;
        first = true;
    }
    std::size_t remaining = static_cast<std::size_t>(r.contentEnd - r.pos);
    if (remaining == 0 && !first && !r.hasLineEnd) { // a cut line ended the file exactly
        r.contentEnd = nullptr;
        r.pos = r.next;
        return false;
    }
    out.text = r.pos;
    out.firstOfLine = first;
    if (remaining >= kPieceMax) {
        out.length = kPieceMax;
        out.cut = remaining > kPieceMax;
        r.pos += kPieceMax;
        return true;
    }
    out.length = remaining;
    out.cut = false;
    r.pos = r.next;
    r.contentEnd = nullptr;
    return true;
}

void copyPiece(const Piece& p, PieceText& out, bool wholeWords) {
    std::size_t n = p.length;
    if (wholeWords && p.cut) {
        while (n > 0 && p.text[n - 1] != ' ' && p.text[n - 1] != '\t') --n;
    }
    std::memcpy(out.text, p.text, n);
    out.text[n] = '\0';
}
