// Whole-file reading and the line pieces the model readers scan.
#include "model/text_lines.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <sys/stat.h>

bool readWholeFile(const std::string& path, std::string& out) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    struct stat st {};
    if (::fstat(::fileno(f), &st) != 0 || S_ISDIR(st.st_mode)) {
        std::fclose(f);
        return false;
    }
    bool ok = true;
    try {
        std::size_t used = 0;
        out.resize(S_ISREG(st.st_mode) ? static_cast<std::size_t>(st.st_size) + 1 : 65536);
        for (;;) {
            if (used == out.size()) out.resize(out.size() * 2);
            std::size_t n = std::fread(&out[used], 1, out.size() - used, f);
            used += n;
            if (n == 0) break;
        }
        ok = !std::ferror(f);
        out.resize(used);
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    std::fclose(f);
    return ok;
}

LineReader lineReader(const std::string& data) {
    LineReader r;
    r.pos = data.data();
    r.end = data.data() + data.size();
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
