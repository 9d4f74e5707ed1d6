// Bad input for the model file, legacy and OBJ readers: each row's defined result, and a failed
// load leaving the model exactly as it was.
#include "model/model_file.h"
#include "model/obj_import.h"

#include "model/model_test_files.h"

#include <chrono>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

struct Row {
    const char* what;
    std::string text;
    // "ok V=<vertices> M=<meshes> v0=<x,y,z,u,v,r,g,b,a of vertex 0>" or "fail <message tail>"
    std::string outcome;
};

const std::string kHead = "2.6x VERSION \n" + kMaterialLine;
// One triangle: the mesh and three vertices, vertex 0 at (1, 2, 3).
const std::string kTriangle = "MSH,0,0,1,0,0\n"
                              "VTX,0,1,2,3,0.25,0.5,0.1,0.2,0.3,0.4\n"
                              "VTX,1,4,5,6,0,0,1,1,1,1\n"
                              "VTX,2,7,8,9,0,0,1,1,1,1\n";
const std::string kV0 = "1,2,3,0.25,0.5,0.1,0.2,0.3,0.4";
const std::string kDefaultV0 = "0,0,0,0,0,1,1,1,0.5"; // the vertex initialiser

std::string fields(const Vertex& v) {
    char buf[200];
    std::snprintf(buf, sizeof buf, "%g,%g,%g,%g,%g,%g,%g,%g,%g", v.x, v.y, v.z, v.textureX,
                  v.textureY, v.colourRed, v.colourGreen, v.colourBlue, v.colourAlpha);
    return buf;
}

std::string okOutcome(const Model& m, std::size_t firstNew = 0) {
    std::string out = "ok V=" + std::to_string(m.vertices.size() - firstNew) +
                      " M=" + std::to_string(m.meshes.size());
    if (m.vertices.size() > firstNew) out += " v0=" + fields(m.vertices[firstNew]);
    return out;
}

// Everything a failed load must leave as it was.
std::string snapshot(const Model& m) {
    return modelFileText(m) + (m.LoadOK ? "ok" : "not ok") + std::to_string(m.currentMesh) +
           m.fileName;
}

// A model that already holds one triangle, so a failed load has something to keep.
void fillExisting(Model& m) {
    m.vertices.resize(3);
    m.vertices[0].x = 42;
    m.meshes.resize(1);
    m.meshes[0].triangleCount = 1;
    m.materials.resize(1);
    m.currentMesh = 0;
}

std::string loadOutcome(const std::string& path) {
    Model m;
    fillExisting(m);
    m.fileName = path;
    const std::string before = snapshot(m);
    std::string error;
    if (readModelFile(m, &error)) return okOutcome(m);
    EXPECT_EQ(snapshot(m), before) << path;
    return "fail " + error;
}

std::string importOutcome(const std::string& path) {
    Model m;
    fillExisting(m);
    const std::string before = snapshot(m);
    const FileResult r = importObj(m, path);
    if (r.ok) return okOutcome(m, 3);
    EXPECT_EQ(snapshot(m), before) << path;
    return "fail " + r.error;
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Runs rows through a reader: successes must match exactly, failures by the message's end.
void runRows(const std::vector<Row>& rows, std::string (*outcome)(const std::string&)) {
    TempDir dir;
    for (const Row& row : rows) {
        const std::string path = dir.path + "in.txt";
        writeText(path, row.text);
        const std::string got = outcome(path);
        if (row.outcome.compare(0, 5, "fail ") == 0)
            EXPECT_TRUE(got.compare(0, 5, "fail ") == 0 && endsWith(got, row.outcome.substr(5)))
                << row.what << ": " << got;
        else
            EXPECT_EQ(got, row.outcome) << row.what;
    }
}

std::string repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

// A folder, a FIFO with no writer and an endless device are refused before any reading.
void expectSpecialFilesRefused(std::string (*outcome)(const std::string&), const char* message) {
    TempDir dir;
    const std::string fifo = dir.path + "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {dir.path, fifo, std::string("/dev/zero")}) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(outcome(path), std::string("fail ") + message) << path;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << path;
    }
}

} // namespace

TEST(BadInput, ModelFileRows) {
    const std::string cut = kHead + "MSH,0,0,1,0,0\nVTX,0,1,2,3,0.25,0.5,0.1,0.2,0.3,0.4\n";
    std::string crlf = kHead + kTriangle, cr = crlf;
    for (std::size_t i = crlf.find('\n'); i != std::string::npos; i = crlf.find('\n', i + 2))
        crlf.insert(i, "\r");
    for (char& c : cr)
        if (c == '\n') c = '\r';
    const std::string vtx = "MSH,0,0,0,0,0\nVTX,0,"; // a mesh of no triangles, then vertex 0
    const std::vector<Row> rows = {
        // no version line and no record: no model file, not an empty model
        {"empty file", "", "fail is not a model file (it holds no records)"},
        {"NUL in a record ends it",
         kHead + "MSH,0,0,0,0,0\nVTX,0,1" + std::string(1, '\0') + ",2\n",
         "ok V=1 M=1 v0=1,0,0,0,0,1,1,1,0.5"},
        {"binary junk lines are ignored", kHead + "\x01\xff\xfe\x80junk\n" + kTriangle,
         "ok V=3 M=1 v0=" + kV0},
        {"byte-order mark before the header comment", "\xEF\xBB\xBF// \n" + kHead + kTriangle,
         "ok V=3 M=1 v0=" + kV0},
        {"CR LF line ends", crlf, "ok V=3 M=1 v0=" + kV0},
        // CR alone is no line end: one long line without a version line at its start
        {"CR-only line ends", cr, "ok V=0 M=0"},
        {"no line end after the last record", kHead + kTriangle.substr(0, kTriangle.size() - 1),
         "ok V=3 M=1 v0=" + kV0},
        {"10 MB comment line", kHead + "//" + std::string(10 << 20, 'c') + "\n" + kTriangle,
         "ok V=3 M=1 v0=" + kV0},
        {"10 MB record line: only its start is a record",
         kHead + vtx + "1,2,3" + std::string(10 << 20, 'x') + "\n",
         "ok V=1 M=1 v0=1,2,3,0,0,1,1,1,0.5"},
        {"40-digit float does not match", kHead + vtx + repeat("1234567890", 4) + ",2\n",
         "ok V=1 M=1 v0=" + kDefaultV0},
        {"40-digit record number", kHead + "VTX," + repeat("1234567890", 4) + ",1\n",
         "fail Line: 3 - Invalid Vertex number"},
        {"tabs before fields", kHead + vtx + "\t1,\t2,\t3\n", "ok V=1 M=1 v0=1,2,3,0,0,1,1,1,0.5"},
        {"1e39 overflows: no match", kHead + vtx + "1e39,2\n", "ok V=1 M=1 v0=" + kDefaultV0},
        {"-1.07797e-046 reads as zero", kHead + vtx + "-1.07797e-046,2,3\n",
         "ok V=1 M=1 v0=-0,2,3,0,0,1,1,1,0.5"},
        {"nan does not match", kHead + vtx + "nan,2\n", "ok V=1 M=1 v0=" + kDefaultV0},
        {"inf does not match", kHead + vtx + "inf,2\n", "ok V=1 M=1 v0=" + kDefaultV0},
        {"5x: 5, then nothing", kHead + vtx + "5x,2\n", "ok V=1 M=1 v0=5,0,0,0,0,1,1,1,0.5"},
        {"1,5 is two fields", kHead + vtx + "1,5\n", "ok V=1 M=1 v0=1,5,0,0,0,1,1,1,0.5"},
        {"+2.0", kHead + vtx + "+2.0,-2.0\n", "ok V=1 M=1 v0=2,-2,0,0,0,1,1,1,0.5"},
        {"vertex number 99999999999", kHead + "VTX,99999999999,1\n",
         "fail Line: 3 - Invalid Vertex number"},
        {"vertex number 2147483647", kHead + "VTX,2147483647,1\n",
         "fail Line: 3 - Invalid Vertex number"},
        {"mesh first vertex 2147483647", kHead + "MSH,0,2147483647,1,0,0\n",
         "fail Mesh 0 - vertex range outside the model"},
        {"mesh triangle count 2147483647", kHead + kTriangle.substr(0, 4) + "0,0,2147483647,0,0\n",
         "fail Mesh 0 - vertex range outside the model"},
        {"mesh material 2147483647", kHead + "MSH,0,0,0,2147483647,0\n",
         "fail Mesh 0 - Invalid Material number"},
        {"too few VTX fields", kHead + vtx + "1\n", "ok V=1 M=1 v0=1,0,0,0,0,1,1,1,0.5"},
        {"too many VTX fields", kHead + vtx + "1,2,3,0.25,0.5,0.1,0.2,0.3,0.4,9,9,9\n",
         "ok V=1 M=1 v0=" + kV0},
        {"MSH without its counts", kHead + "MSH,0\n", "ok V=0 M=1"},
        {"MAT with two fields", "2.6x\nMAT,0,0.5\nMSH,0,0,0,0,0\n", "ok V=0 M=1"},
        {"file cut mid-record", kHead + vtx + "1,2,3,0.25,0.5,0.1,",
         "ok V=1 M=1 v0=1,2,3,0.25,0.5,0.1,1,1,0.5"},
        {"file cut inside the mesh's vertices", cut,
         "fail Mesh 0 - vertex range outside the model"},
    };
    runRows(rows, loadOutcome);
    expectSpecialFilesRefused(loadOutcome, "ERROR: Failed to open Model File");
}

TEST(BadInput, LegacyRows) {
    const std::string points = "VTX,0,0,0,0,0,0,1,1,1,1\nVTX,1,1,0,0,0,0,1,1,1,1\n"
                               "VTX,2,0,1,0,0,0,1,1,1,1\nVTX,3,1,1,0,0,0,1,1,1,1\n";
    const std::string head = "// old\n" + kMaterialLine + points;
    std::string crlf = head + "MSH,0,0,2,2,0";
    for (std::size_t i = crlf.find('\n'); i != std::string::npos; i = crlf.find('\n', i + 2))
        crlf.insert(i, "\r");
    const std::vector<Row> rows = {
        {"2 x 2 grid", head + "MSH,0,0,2,2,0\n", "ok V=6 M=1 v0=0,0,0,0,0,1,1,1,1"},
        {"0 x 0 grid: a mesh without triangles", head + "MSH,0,0,0,0,0\n", "ok V=0 M=1"},
        {"-3 x 4 grid: no cells, so no triangles", head + "MSH,0,0,-3,4,0\n", "ok V=0 M=1"},
        // checked in 64 bits before anything is allocated
        {"65536 x 65536 grid", head + "MSH,0,0,65536,65536,0\n",
         "fail Line: 7 - Mesh grid outside the grid points"},
        {"grid past the points", head + "MSH,0,2147483647,2,2,0\n",
         "fail Line: 7 - Mesh grid outside the grid points"},
        {"mesh number 99999999999", head + "MSH,99999999999,0,2,2,0\n",
         "fail Line: 7 - Invalid Mesh number"},
        {"grid material out of range", head + "MSH,0,0,2,2,7\n",
         "fail Mesh 0 - Invalid Material number"},
        {"grid record cut short", head + "MSH,0,0,2\n", "ok V=0 M=1"},
        {"CR LF and no final line end", crlf, "ok V=6 M=1 v0=0,0,0,0,0,1,1,1,1"},
        {"grid point number 2147483647", head + "VTX,2147483647,0\n",
         "fail Line: 7 - Invalid Vertex number"},
        {"file cut inside the grid points",
         "// old\n" + kMaterialLine + "MSH,0,0,2,2,0\n" + points.substr(0, points.size() - 30),
         "fail Line: 3 - Mesh grid outside the grid points"},
        {"NUL in a grid record", head + "MSH,0,0,2" + std::string(1, '\0') + ",2,0\n",
         "ok V=0 M=1"},
        // Records, comments, blank lines and the notes' AABB and COL lines make a model file;
        // any other line, or no record at all, makes none (text, OBJ and image files alike).
        {"comments, blanks, AABB and COL",
         "\xEF\xBB\xBF" + head + "\n \t\r\nAABB,1,2\nCOL,0,1\n" + "MSH,0,0,2,2,0\n",
         "ok V=6 M=1 v0=0,0,0,0,0,1,1,1,1"},
        {"binary junk line", head + "\x01\xff\n" + "MSH,0,0,2,2,0\n",
         "fail is not a model file (line 7 is no record)"},
        {"OBJ text", "# cube\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n",
         "fail is not a model file (line 1 is no record)"},
        {"PNG bytes", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) + "\nMSH,0,0,2,2,0\n",
         "fail is not a model file (line 1 is no record)"},
        {"comments only", "// a\n\n// b\n", "fail is not a model file (it holds no records)"},
    };
    runRows(rows, loadOutcome);
}

TEST(BadInput, ObjRows) {
    const std::string v3 = "v 1 0 0\nv 2 0 0\nv 3 0 0\n";
    const std::string v4 = v3 + "v 4 0 0\n";
    std::string crlf = v3 + "f 1 2 3\n", cr = crlf;
    for (std::size_t i = crlf.find('\n'); i != std::string::npos; i = crlf.find('\n', i + 2))
        crlf.insert(i, "\r");
    for (char& c : cr)
        if (c == '\n') c = '\r';
    const std::string tri = "ok V=3 M=2 v0=1,0,0,0,0,1,1,1,0.5";
    const char* none = "fail No Valid Triangles found within OBJ Face List.";
    const std::vector<Row> rows = {
        {"empty file", "", none},
        {"NUL and junk", v3 + "\x01\xff junk\nf 1 2 3" + std::string(1, '\0') + " 9\n", tri},
        {"byte-order mark before the first v", "\xEF\xBB\xBF" + v3 + "f 1 2 3\n", tri},
        {"CR LF line ends", crlf, tri},
        {"CR-only line ends: one line", cr, none},
        {"no line end after the last face", v3 + "f 1 2 3", tri},
        {"10 MB comment line", "#" + std::string(10 << 20, 'c') + "\n" + v3 + "f 1 2 3\n", tri},
        {"10 MB face line", v3 + "f 1 2 3" + std::string(10 << 20, ' ') + "\n", tri},
        {"40-digit index", v3 + "f 1 2 " + repeat("1234567890", 4) + "\n", none},
        {"tabs between indices", v3 + "f\t1\t2\t3\n", none}, // "f" needs a blank after it
        {"tabs inside the line", v3 + "f 1\t2\t3\n", tri},
        {"1e39, nan, inf: no match, zeros", "v 1e39 5 5\nv nan 5 5\nv inf 5 5\nf 1 2 3\n",
         "ok V=3 M=2 v0=0,0,0,0,0,1,1,1,0.5"},
        {"-1.07797e-046 reads as zero", "v -1.07797e-046 2 3\nv 0 0 0\nv 0 0 0\nf 1 2 3\n",
         "ok V=3 M=2 v0=-0,2,3,0,0,1,1,1,0.5"},
        {"5x, 1,5 and +2.0", "v 5x 2 3\nv 1,5 2\nv +2.0 0 0\nf 1 2 3\n",
         "ok V=3 M=2 v0=5,0,0,0,0,1,1,1,0.5"},
        {"index 99999999999", v3 + "f 1 2 99999999999\n", none},
        {"index 2147483647", v3 + "f 1 2 2147483647\n", none},
        {"0-based face", v3 + "f 0 1 2\n", none},
        {"face past the positions", v3 + "f 1 2 9\n", none},
        {"relative indices", v3 + "f -3 -2 -1\n", none},
        // positions count whole-file, as all faces are checked after reading
        {"face before any v", "f 1 2 3\n" + v3, tri},
        {"two corners", v3 + "f 1 2\n", none},
        {"mixed corner forms", v3 + "f 1/1 2 3\nf 1 2/2 3\n", none},
        // large polygons are fanned whole
        {"7 corners", v4 + "v 5 0 0\nv 6 0 0\nv 7 0 0\nf 1 2 3 4 5 6 7\n",
         "ok V=15 M=2 v0=1,0,0,0,0,1,1,1,0.5"},
        {"vt out of range: fallbacks", v3 + "vt 0.5 0.5\nf 1/9 2/9 3/9\n", tri},
        {"vt in range", v3 + "vt 0.5 0.25\nf 1/1 2/1 3/1\n",
         "ok V=3 M=2 v0=1,0,0,0.5,0.25,1,1,1,0.5"},
        {"vertices but no faces", v4, none},
        {"bare g at the end", v3 + "f 1 2 3\ng\ng \n", tri},
        {"cut mid-face", v3 + "f 1 2 3\nf 1 2", tri},
    };
    runRows(rows, importOutcome);
    expectSpecialFilesRefused(importOutcome, "ERROR: Failed to open OBJ File");
}

TEST(BadInput, ManyObjGroupsLoadQuickly) {
    TempDir dir;
    std::string text = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";
    for (int g = 0; g < 100000; ++g) text += "g group" + std::to_string(g) + "\nf 1 2 3\n";
    writeText(dir.path + "groups.obj", text);
    Model m;
    // With the log on: every new mesh keeps its lines.
    logOpen(m.log, dir.path + "groups.log");
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(importObj(m, dir.path + "groups.obj").ok);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(meshCount(m), 100000);
    EXPECT_EQ(m.meshes[99999].firstVertex, 3 * 99999);
    EXPECT_NE(readText(dir.path + "groups.log").find("Initialising NEW Mesh: # 99999\n"),
              std::string::npos);
    // Sanitizer builds run several times slower; the bound is for ordinary builds.
#if defined(__SANITIZE_ADDRESS__)
    EXPECT_LT(seconds, 10.0);
#else
    EXPECT_LT(seconds, 1.0);
#endif
}
