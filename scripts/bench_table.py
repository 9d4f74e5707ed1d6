#!/usr/bin/env python3
"""Turns Google Benchmark JSON files into the Markdown table of figures, baselines and ratios.

Usage: bench_table.py OUT.md [PREFIX=]RESULT.json ... (a later file's result replaces an earlier
one of the same name; a file given as PREFIX=RESULT.json names its results "PREFIX:NAME"; with
repetitions the median is taken, and "first:NAME" names the first repetition alone)
Times are CPU time of the process, except rows of benchmarks named "/real_time" (wall time: the
GL driver draws on threads of its own, the import backs pages on a second core, whole processes). Speed-up is baseline time / figure time.
"""
import json
import re
import sys

# (label, figure benchmark, baseline benchmark or None, how to read the figure, target)
# kinds: "time" (ms), "rate" (M vertices/s from the vertices_per_s counter), "counter:<name>"
ROWS = [
    ("OBJ import stanford-bunny.obj vs tinyobjloader", "BM_ImportObj/bunny", "BM_TinyObjSoup/bunny", "time", None),
    ("OBJ import ogre.obj vs tinyobjloader", "BM_ImportObj/ogre", "BM_TinyObjSoup/ogre", "time", ("speedup>=", 2.0)),
    ("OBJ import composite (13 models x3) vs tinyobjloader, interleaved: memory the VM backs anew", "BM_ImportObj/composite/real_time", "BM_TinyObjSoup/composite/real_time", "time", ("speedup>=", 2.0)),
    ("OBJ import composite vs tinyobjloader, runs back to back: memory just freed", "consecutive:BM_ImportObj/composite/real_time", "consecutive:BM_TinyObjSoup/composite/real_time", "time", ("speedup>=", 2.0)),
    ("OBJ import composite vs filling its 239 MB vertex array alone (the floor), interleaved", "BM_ImportObj/composite/real_time", "BM_FillVertexArray/iterations:1/real_time", "time", None),
    ("OBJ import composite vs filling its vertex array alone, back to back", "consecutive:BM_ImportObj/composite/real_time", "consecutive:BM_FillVertexArray/iterations:1/real_time", "time", None),
    ("Filling the composite's vertex array with the page-backing worker vs without, interleaved", "BM_FillVertexArrayBacked/iterations:1/real_time", "BM_FillVertexArray/iterations:1/real_time", "time", None),
    ("OBJ import composite, first of the three runs, vs tinyobjloader's first", "first:BM_ImportObj/composite/real_time", "first:BM_TinyObjSoup/composite/real_time", "time", None),
    ("OBJ import ogre.obj vs tinyobjloader's load alone (no soup)", "BM_ImportObj/ogre", "BM_TinyObjLoadOnly/ogre", "time", None),
    ("OBJ import composite vs tinyobjloader's load alone (no soup)", "BM_ImportObj/composite/real_time", "BM_TinyObjLoadOnly/composite/real_time", "time", None),
    ("OBJ import composite: peak heap / model size", "BM_ImportObj/composite/real_time", None, "counter:peak_over_model", ("<=", 1.21)),
    ("glTF .glb export ogre.obj's model vs FW2 save of it", "BM_Interchange/export_glb_ogre", "BM_Interchange/save_fw2_ogre", "time", None),
    ("glTF .glb import ogre vs OBJ import of ogre.obj", "BM_Interchange/import_glb_ogre", "BM_ImportObj/ogre", "time", None),
    ("glTF .glb export composite vs FW2 save of it", "BM_Interchange/export_glb_composite/iterations:1", "BM_Interchange/save_fw2_composite/iterations:1", "time", None),
    ("glTF .glb import composite vs OBJ import of the composite", "BM_Interchange/import_glb_composite/iterations:1", "BM_ImportObj/composite/real_time", "time", None),
    ("FW2 save 100k triangles vs fprintf", "BM_SaveFw2/100000", "BM_SaveFw2Fprintf/100000", "time", None),
    ("FW2 save 100k triangles, M vertices/s", "BM_SaveFw2/100000", "BM_SaveFw2Fprintf/100000", "rate", (">=", 1.5)),
    ("FW2 save 1M triangles, M vertices/s", "BM_SaveFw2/1000000", "BM_SaveFw2Fprintf/1000000", "rate", (">=", 1.5)),
    ("FW2 load 100k triangles vs fgets/sscanf", "BM_LoadFw2/100000", "BM_LoadFw2Sscanf/100000", "time", None),
    ("FW2 load 100k triangles, M vertices/s", "BM_LoadFw2/100000", "BM_LoadFw2Sscanf/100000", "rate", (">=", 1.8)),
    ("FW2 load 1M triangles, M vertices/s", "BM_LoadFw2/1000000", "BM_LoadFw2Sscanf/1000000", "rate", (">=", 1.8)),
    ("Smooth normals 20k vertices vs plain scan", "BM_CompleteNormalsSmooth/3334", "BM_PlainScanSmooth/3334", "time", None),
    ("Smooth normals 100k vertices (baseline: 20k scan x25)", "BM_CompleteNormalsSmooth/16667", ("BM_PlainScanSmooth/3334", 25.0), "time", ("<", 30.0)),
    ("Weld of a 100k-triangle mesh vs smooth normals of the same mesh", "BM_WeldMesh/50000", "BM_WeldMeshSmoothNormals/50000", "time", ("<", 1000.0)),
    ("Normals pass while 1M triangles' normals are pending (one frame's share)", "BM_PendingNormalsPass/500000", None, "time", ("<", 50.0)),
    ("Frames of 8 ms passes until a 124k-triangle flat model is shaded", "BM_FramesToShade/0/iterations:1", None, "counter:frames", ("<=", 20.0)),
    ("Frames of 8 ms passes until a 124k-triangle smooth model is shaded", "BM_FramesToShade/1/iterations:1", None, "counter:frames", ("<=", 20.0)),
    ("facetwright-tool info, 4-line OBJ, whole process vs tinyobjloader program", "BM_ProcessToolInfo/triangle/real_time", "BM_ProcessTinyObj/triangle/real_time", "time", ("speedup>=", 0.5)),
    ("facetwright-tool info ogre.obj, whole process vs tinyobjloader program", "BM_ProcessToolInfo/ogre/real_time", "BM_ProcessTinyObj/ogre/real_time", "time", ("speedup>=", 2.0)),
    ("facetwright-tool info composite, whole process vs tinyobjloader program", "BM_ProcessToolInfo/composite/iterations:1/real_time", "BM_ProcessTinyObj/composite/iterations:1/real_time", "time", ("speedup>=", 2.0)),
    ("Undo snapshot 100k triangles vs vector assign", "BM_TakeSnapshot/100000", "BM_PlainVertexVectorAssign/100000", "time", ("<", 2.0)),
    ("Undo snapshot 1M triangles vs vector assign", "BM_TakeSnapshot/1000000", "BM_PlainVertexVectorAssign/1000000", "time", ("<", 20.0)),
    ("Undo snapshot, size changed, 100k vs vector copy", "BM_TakeSnapshotSizeChanges/100000", "BM_PlainVertexVectorCopy/100000", "time", None),
    ("First undo 100k triangles vs vector assign", "BM_UndoFirst/100000", "BM_PlainVertexVectorAssign/100000", "time", None),
    ("First undo 1M triangles vs vector assign", "BM_UndoFirst/1000000", "BM_PlainVertexVectorAssign/1000000", "time", None),
    ("Further undo 100k triangles vs vector assign", "BM_UndoFurther/100000", "BM_PlainVertexVectorAssign/100000", "time", None),
    ("Further undo 1M triangles vs vector assign", "BM_UndoFurther/1000000", "BM_PlainVertexVectorAssign/1000000", "time", None),
    ("Undo ring of 11 snapshots of 1M triangles, MB", "BM_UndoRingHeap/1000000/iterations:1", None, "counter:ring_MB", ("<", 2048.0)),
    ("Subdivide all meshes, 100k triangles", "BM_SubdivideAllMeshes", None, "time", None),
    ("Subdivide 20 selected of 100k vs one at a time", "BM_SubdivideSelectedTriangles/20", "BM_SubdivideSelectedOneAtATime/20/iterations:1", "time", None),
    ("Subdivide 1000 selected of 100k", "BM_SubdivideSelectedTriangles/1000", None, "time", None),
]
for layout in (0, 4):
    for n, name in ((10000, "10k"), (100000, "100k"), (1000000, "1M")):
        target = ("speedup>=", 0.85)
        ROWS.append((f"Frame, layout {layout}, {name} triangles vs minimal immediate mode",
                     f"BM_EditorFrame/{layout}/{n}/min_time:0.300/real_time", f"BM_MinimalFrame/{layout}/{n}/min_time:0.300/real_time",
                     "time", target))
ROWS.append(("Start-up to first frame, default files", "BM_StartupToFirstFrame/iterations:1/real_time", None,
             "time", ("<", 1000.0)))


def to_ms(b, wall):
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b.get("time_unit", "ns")]
    return (b["real_time"] if wall else b["cpu_time"]) * scale


def main():
    out_path, inputs = sys.argv[1], sys.argv[2:]
    runs = {}
    for given in inputs:
        prefix, _, path = given.rpartition("=")
        prefix = prefix + ":" if prefix else ""
        try:
            with open(path) as f:
                data = json.load(f)
        except (OSError, ValueError):
            continue
        medians = set()
        for b in data.get("benchmarks", []):
            if b.get("error_occurred"):
                continue
            # A benchmark's own repetition count is part of its name; the rows name it without.
            name = prefix + re.sub(r"/repeats:\d+", "", b.get("run_name", b["name"]))
            if b.get("run_type") == "aggregate":
                # With repetitions the median stands for them.
                if b.get("aggregate_name") == "median":
                    runs[name] = b
                    medians.add(name)
            else:
                if b.get("repetition_index", 0) == 0:
                    runs["first:" + name] = b
                if name not in medians:
                    runs[name] = b

    lines = ["| Measure | Figure | Baseline | Speed-up (baseline / figure) | Target | Met |",
             "|---|---|---|---|---|---|"]
    for label, fig, base, kind, target in ROWS:
        b = runs.get(fig)
        if b is None:
            lines.append(f"| {label} | not run | | | | |")
            continue
        wall = "/real_time" in fig
        scale = 1.0
        if isinstance(base, tuple):
            base, scale = base
        bb = runs.get(base) if base else None
        value = base_value = None
        if kind == "time":
            value = to_ms(b, wall)
            base_value = to_ms(bb, wall) * scale if bb else None
            unit = " ms"
        elif kind == "rate":
            value = b.get("vertices_per_s", 0) / 1e6
            base_value = bb.get("vertices_per_s", 0) / 1e6 if bb else None
            unit = " M/s"
        else:
            value = b.get(kind.split(":", 1)[1], 0.0)
            unit = ""
        speedup = ""
        if base_value:
            speedup = base_value / value if kind == "time" else value / base_value
        met, goal = "", ""
        if target:
            op, t = target
            if op == "speedup>=":
                goal = f"speed-up >= {t:.2f}"
                met = "yes" if speedup != "" and speedup >= t else "no"
            else:
                goal = f"{op} {t:g}{unit}"
                met = "yes" if (value < t if op == "<" else value <= t if op == "<=" else value >= t) else "no"
        fmt = lambda v: "" if v is None else f"{v:.3g}{unit}" if v < 10 else f"{v:.1f}{unit}"
        sp = f"{speedup:.2f}" if speedup != "" else ""
        lines.append(f"| {label} | {fmt(value)} | {fmt(base_value)} | {sp} | {goal} | {met} |")
    text = "\n".join(lines) + "\n"
    with open(out_path, "w") as f:
        f.write(text)
    sys.stdout.write(text)


if __name__ == "__main__":
    main()
