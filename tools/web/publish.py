#!/usr/bin/env python3
"""Copies the page's files into the folder a static server publishes: index.html, its manifest,
icons and service worker, and the program's .js, .wasm and data package under names that carry
a hash of their content, so a browser never mixes a new page with a cached older file. The
page gets the files' sizes (for its loading bar) and the worker the list of files to keep and
a version: a hash of everything published, so the same build published again changes nothing.
Also the hall of fame's script, and hall.json saying no hall of fame serves this copy (tarnhall
answers /hall.json itself)."""
import hashlib
import json
import pathlib
import shutil
import sys

# The installable page's icons as assetgen writes them into the data folder, and as published.
ICONS = {
    "web-icon-192.png": "icon-192.png",
    "web-icon-512.png": "icon-512.png",
    "web-icon-maskable-512.png": "icon-maskable-512.png",
    "web-apple-touch-icon.png": "apple-touch-icon.png",
}


def digest(data):
    return hashlib.sha256(data).hexdigest()[:12]


def main():
    if len(sys.argv) != 5:
        sys.exit("usage: publish.py BUILT_DIR DATA_DIR PAGE_DIR OUT_DIR")
    built, data, page_dir, out = (pathlib.Path(a) for a in sys.argv[1:])
    if out.exists():
        shutil.rmtree(out)
    out.mkdir(parents=True)
    files = {}  # published name -> content
    names, sizes = {}, {}
    for ext in ("js", "wasm", "data"):
        content = (built / f"tarngame.{ext}").read_bytes()
        names[ext] = f"tarngame.{digest(content)}.{ext}"
        sizes[ext] = len(content)
        files[names[ext]] = content
    for source, name in ICONS.items():
        files[name] = (data / source).read_bytes()
    # The hall of fame's part of the page, beside index.html in the sources.
    hall = (page_dir / "hall.js").read_bytes()
    names["halljs"] = f"hall.{digest(hall)}.js"
    files[names["halljs"]] = hall
    # A page on a static host learns from this that there is no hall of fame, without a failed
    # request. It is the network's, never the worker's cache.
    hall_json = b'{"hall": false}\n'
    files["manifest.webmanifest"] = (page_dir / "manifest.webmanifest").read_bytes()
    page = (page_dir / "index.html").read_text()
    for key in ("js", "wasm", "data", "halljs"):
        page = page.replace(f"@{key.upper()}@", names[key])
    page = page.replace("@SIZES@", json.dumps(sizes))
    version = digest(
        b"".join(name.encode() + b"\0" + files[name] for name in sorted(files)) + page.encode()
    )
    page = page.replace("@VERSION@", version)
    files["index.html"] = page.encode()
    cached = ["./"] + sorted(n for n in files if n != "index.html")
    worker = (page_dir / "sw.js").read_text()
    worker = worker.replace("@VERSION@", version).replace("@FILES@", json.dumps(cached))
    files["sw.js"] = worker.encode()
    files["hall.json"] = hall_json
    for name, content in files.items():
        (out / name).write_bytes(content)


if __name__ == "__main__":
    main()
