#!/usr/bin/env python3
"""Writes the page's service worker: the template with the list of files it keeps and the
build's version, a digest of those files and of the template, so that any change of any of
them makes a new cache.

Usage: service-worker.py TEMPLATE OUTPUT FOLDER FILE...   (FILEs relative to FOLDER)
"""

import hashlib
import json
import os
import sys


def main():
    template, output, folder, *files = sys.argv[1:]
    digest = hashlib.sha256()
    with open(template, "rb") as f:
        text = f.read()
    digest.update(text)
    for name in sorted(files):
        digest.update(name.encode() + b"\0")
        with open(os.path.join(folder, name), "rb") as f:
            digest.update(hashlib.sha256(f.read()).digest())
    worker = (text.decode("utf-8").replace("@VERSION@", digest.hexdigest()[:16])
              .replace("@FILES@", ", ".join(json.dumps(name) for name in files)))
    temporary = output + ".tmp"
    with open(temporary, "w", encoding="utf-8") as f:
        f.write(worker)
    os.replace(temporary, output)
    return 0


if __name__ == "__main__":
    sys.exit(main())
