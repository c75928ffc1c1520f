#!/usr/bin/python3
"""Writes the site's service worker with the site's files to keep, and its cache named
after them, so that each build that changes them replaces the cache of the one before.

    versioned.py WORKER.js SITE_DIR OUT.js"""
import hashlib
import pathlib
import sys

worker, site, out = map(pathlib.Path, sys.argv[1:])
names = sorted(p.name for p in site.iterdir() if p.name != out.name)
digest = hashlib.sha256()
for name in names:
    digest.update(name.encode() + b"\0" + (site / name).read_bytes())
text = worker.read_text(encoding="utf-8")
for mark in ("@VERSION@", "@FILES@"):
    if mark not in text:
        sys.exit(f"versioned.py: no {mark} in {worker}")
text = text.replace("@VERSION@", digest.hexdigest()[:16])
out.write_text(text.replace("@FILES@", ", ".join(f"'{n}'" for n in names)), encoding="utf-8")
