#!/usr/bin/env python3
"""Checks that the libraries stay layered.

    scripts/check-layers.py [SOURCE_ROOT]     check the tree, exit 1 on a fault
    scripts/check-layers.py --self-test       check that faults are found

Each library has one folder, named in its CMakeLists.txt by
tavro_layer(<target> <folder>). The links between the libraries are read
from target_link_libraries() in the same files. The check fails when
- a library links a library that is not below it in LAYERS,
- a source file includes a project header from a folder that is neither its
  own library's nor one of the libraries it links (directly or not),
- a library without Qt includes a Qt header or links Qt.
"""

import os
import re
import sys

# The layers from the bottom up. A library may link only libraries listed
# before its own. The Qt-free ones come first.
LAYERS = [
    "physics/numeric",
    "product/catalogue",
    "physics",
    "product/selection",
    "shell/settings",
    "resources",
    "shell/texts",
    "product/model",
    "cli",
    "lib",
    # Qt from here on.
    "shell/qt",
    "controls",
    "output",
    "chart",
    "shell/windows",
    "product/windows",
    "app",
    "app/sheet",
]
QT_FREE = set(LAYERS[: LAYERS.index("shell/qt")])

# Targets that carry no code of a layer (compile options, generated data).
NOT_LAYERS = {"tavro_warnings", "tavro_build_info"}
# Generated resource data: its own library without a tavro_layer() call.
EXTRA_TARGETS = {"tavro_resource_data": "resources"}

INCLUDE = re.compile(r'^\s*#\s*include\s+([<"])([^>"]+)[>"]', re.M)


def strip_comments(text):
    return re.sub(r"#[^\n]*", "", text)


def read_build_files(files):
    """Returns ({target: folder}, {target: set of linked targets}, {target: links Qt})."""
    folder_of = dict(EXTRA_TARGETS)
    links = {}
    qt = {}
    for path, text in files.items():
        if not path.endswith("CMakeLists.txt"):
            continue
        text = strip_comments(text)
        for target, folder in re.findall(r"tavro_layer\(\s*(\S+)\s+(\S+)\s*\)", text):
            folder_of[target] = folder
        for body in re.findall(r"target_link_libraries\(([^)]*)\)", text):
            words = body.split()
            if not words:
                continue
            target = words[0]
            deps = links.setdefault(target, set())
            for w in words[1:]:
                if w.startswith("Qt6::"):
                    qt[target] = True
                elif w.startswith("tavro_") and w not in NOT_LAYERS:
                    deps.add(w)
    return folder_of, links, qt


def folder_of_path(path):
    """The layer folder a file lies in (the longest match), or None."""
    best = None
    for layer in LAYERS:
        if path == layer or path.startswith(layer + "/"):
            if best is None or len(layer) > len(best):
                best = layer
    return best


def check(files):
    """Returns the list of faults found in `files` ({relative path: text})."""
    faults = []
    folder_of, links, qt = read_build_files(files)
    target_of = {f: t for t, f in folder_of.items()}
    for target, folder in folder_of.items():
        if folder not in LAYERS:
            faults.append(f"{target}: folder {folder} is not in the list of layers")
    rank = {f: i for i, f in enumerate(LAYERS)}

    def closure(target, seen=None):
        seen = set() if seen is None else seen
        for dep in links.get(target, ()):
            if dep not in seen:
                seen.add(dep)
                closure(dep, seen)
        return seen

    for target, deps in links.items():
        folder = folder_of.get(target)
        if folder is None:
            continue  # tests, benchmarks, executables of a layer's folder
        for dep in deps:
            dep_folder = folder_of.get(dep)
            if dep_folder is None:
                faults.append(f"{target} links {dep}, which has no layer")
            elif rank.get(dep_folder, -1) >= rank.get(folder, -1):
                faults.append(f"{target} ({folder}) links {dep} ({dep_folder}), "
                              "which is not below it")
        if folder in QT_FREE and qt.get(target):
            faults.append(f"{target} ({folder}) must not link Qt")

    for path, text in sorted(files.items()):
        if not path.endswith((".h", ".cpp")):
            continue
        folder = folder_of_path(path)
        if folder is None or folder not in target_of:
            continue
        allowed = {folder} | {folder_of[d] for d in closure(target_of[folder]) if d in folder_of}
        for line_no, (kind, name) in enumerate_includes(text):
            if kind == "<":
                if folder in QT_FREE and re.match(r"Q[A-Za-z]*($|/)", name):
                    faults.append(f"{path}:{line_no}: includes Qt header <{name}> "
                                  f"in the Qt-free layer {folder}")
                continue
            header = name if name in files else os.path.normpath(
                os.path.join(os.path.dirname(path), name))
            if header not in files:
                continue  # generated or system header
            header_folder = folder_of_path(header)
            if header_folder is None or header_folder in allowed:
                continue
            faults.append(f"{path}:{line_no}: includes {name} of {header_folder}, "
                          f"which {folder} does not link")
    return faults


def enumerate_includes(text):
    for m in INCLUDE.finditer(text):
        yield text.count("\n", 0, m.start()) + 1, (m.group(1), m.group(2))


def read_tree(root):
    files = {}
    skip = {".git", "tests", "bench", "scripts", "docs", "python", "examples"}
    for dirpath, dirnames, filenames in os.walk(root):
        rel_dir = os.path.relpath(dirpath, root)
        dirnames[:] = [d for d in dirnames
                       if not (rel_dir == "." and (d in skip or d.startswith("build")))]
        for name in filenames:
            if name.endswith((".h", ".cpp")) or name == "CMakeLists.txt":
                rel = os.path.normpath(os.path.join(rel_dir, name))
                with open(os.path.join(dirpath, name), encoding="utf-8",
                          errors="replace") as f:
                    files[rel] = f.read()
    return files


def self_test():
    """Faults planted in a small tree must each be found, and a clean tree passes."""
    clean = {
        "physics/numeric/CMakeLists.txt": "tavro_layer(tavro_numeric physics/numeric)",
        "physics/CMakeLists.txt": "tavro_layer(tavro_physics physics)\n"
                                  "target_link_libraries(tavro_physics PUBLIC tavro_numeric)",
        "physics/numeric/errors.h": "#pragma once\n",
        "physics/records.h": '#include "physics/numeric/errors.h"\n#include <vector>\n',
        "output/CMakeLists.txt": "tavro_layer(tavro_output output)\n"
                                 "target_link_libraries(tavro_output PUBLIC tavro_physics Qt6::Widgets)",
        "output/page.h": '#include "physics/records.h"\n#include <QString>\n',
    }
    planted = [
        ("physics/numeric/rounding.h", '#include "physics/records.h"\n', "includes physics/records.h"),
        ("physics/air.cpp", '#include "output/page.h"\n', "includes output/page.h"),
        ("physics/moist.cpp", "#include <QString>\n", "Qt header"),
        ("physics/CMakeLists.txt", "tavro_layer(tavro_physics physics)\n"
         "target_link_libraries(tavro_physics PUBLIC tavro_numeric tavro_output)", "not below it"),
    ]
    ok = not check(clean)
    if not ok:
        print("self-test: the clean tree was refused:", check(clean))
    for path, text, expected in planted:
        tree = dict(clean)
        tree[path] = text
        faults = check(tree)
        if not any(expected in f for f in faults):
            print(f"self-test: planted fault in {path} not found ({faults})")
            ok = False
    print("self-test passed" if ok else "self-test FAILED")
    return 0 if ok else 1


def main(argv):
    if len(argv) > 1 and argv[1] == "--self-test":
        return self_test()
    root = argv[1] if len(argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    faults = check(read_tree(os.path.abspath(root)))
    for f in faults:
        print(f)
    if faults:
        print(f"{len(faults)} layering faults")
        return 1
    print("layers in order")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
