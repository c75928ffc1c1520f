#!/usr/bin/python3
"""Writes the site's service worker with its cache named after the built files, so that
each build that changes them replaces the cache of the one before.

    versioned.py WORKER.js SITE_DIR OUT.js"""
import hashlib
import pathlib
import sys

worker, site, out = map(pathlib.Path, sys.argv[1:])
digest = hashlib.sha256()
for name in sorted(p.name for p in site.iterdir() if p.name != out.name):
    digest.update(name.encode() + b"\0" + (site / name).read_bytes())
text = worker.read_text(encoding="utf-8")
if "@VERSION@" not in text:
    sys.exit(f"versioned.py: no @VERSION@ in {worker}")
out.write_text(text.replace("@VERSION@", digest.hexdigest()[:16]), encoding="utf-8")
