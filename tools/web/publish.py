#!/usr/bin/env python3
"""Copies the page's files into the folder a static server publishes: index.html and the
program's .js, .wasm and data package under names that carry a hash of their content, so a
browser never mixes a new page with a cached older file. Also hall.json, saying no hall of fame
serves this copy."""
import hashlib
import pathlib
import shutil
import sys


def main():
    if len(sys.argv) != 4:
        sys.exit("usage: publish.py BUILT_DIR INDEX_HTML OUT_DIR")
    built, index, out = (pathlib.Path(a) for a in sys.argv[1:])
    if out.exists():
        shutil.rmtree(out)
    out.mkdir(parents=True)
    names = {}
    for ext in ("js", "wasm", "data"):
        source = built / f"tarngame.{ext}"
        digest = hashlib.sha256(source.read_bytes()).hexdigest()[:12]
        names[ext] = f"tarngame.{digest}.{ext}"
        shutil.copyfile(source, out / names[ext])
    # The hall of fame's part of the page, beside index.html in the sources.
    hall = index.parent / "hall.js"
    digest = hashlib.sha256(hall.read_bytes()).hexdigest()[:12]
    names["halljs"] = f"hall.{digest}.js"
    shutil.copyfile(hall, out / names["halljs"])
    page = index.read_text()
    for key in ("js", "wasm", "data", "halljs"):
        page = page.replace(f"@{key.upper()}@", names[key])
    (out / "index.html").write_text(page)
    # A page on a static host learns from this that there is no hall of fame, without a failed
    # request; tarnhall answers /hall.json itself with true.
    (out / "hall.json").write_text('{"hall": false}\n')


if __name__ == "__main__":
    main()
