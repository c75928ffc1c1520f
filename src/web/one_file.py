#!/usr/bin/python3
"""Makes the page one file that plays when opened from disk: the style sheet, the
script (which holds its WebAssembly) and the icon go inside it.

    one_file.py INDEX.html SCRIPT.js OUT.html"""
import base64
import pathlib
import sys

index, script, out = map(pathlib.Path, sys.argv[1:])
page = index.read_text(encoding="utf-8")
site = index.parent
css = (site / "page.css").read_text(encoding="utf-8")
js = script.read_text(encoding="utf-8").replace("</script", "<\\/script")
icon = base64.b64encode((site / "brindle-32.png").read_bytes()).decode("ascii")
# From disk a page can neither install nor keep itself: no manifest, no worker.
for old, new in [('<link rel="preload" href="brindle.wasm" as="fetch" type="application/wasm" crossorigin>\n', ""),
                 ('<link rel="manifest" href="manifest.webmanifest">\n', ""),
                 (' srcset="brindle-16.png 16w, brindle-32.png 32w, brindle-48.png 48w, brindle-192.png 192w" sizes="16px"', ""),
                 ('<link rel="stylesheet" href="page.css">', f"<style>\n{css}</style>"),
                 ('<script src="brindle.js"></script>', f"<script>\n{js}</script>"),
                 ('href="brindle-32.png"', f'href="data:image/png;base64,{icon}"'),
                 ('src="brindle-32.png"', f'src="data:image/png;base64,{icon}"')]:
    if old not in page:
        sys.exit(f"one_file.py: {old} is not in {index}")
    page = page.replace(old, new)
out.write_text(page, encoding="utf-8")
