"""Prints the package folder, relative to the prefix given, from which this
interpreter imports modules installed under that prefix; with none, the usual
site-packages folder, and a note that PYTHONPATH must name it."""

import os
import site
import sys
import sysconfig

prefix = os.path.abspath(os.path.expanduser(sys.argv[1]))
prefix_vars = {"base": prefix, "platbase": prefix}
version = f"python{sys.version_info.major}.{sys.version_info.minor}"
usual = sysconfig.get_path("platlib", "posix_prefix", prefix_vars)

# Debian's own folder first: /usr/lib/python3/dist-packages for the package.
candidates = []
if "deb_system" in sysconfig.get_scheme_names():
    candidates.append(sysconfig.get_path("platlib", "deb_system", prefix_vars))
candidates += [usual, os.path.join(prefix, "lib", version, "dist-packages")]

searched = {os.path.abspath(p) for p in sys.path if p}
if site.ENABLE_USER_SITE is not False:
    searched.add(os.path.abspath(site.getusersitepackages()))

folder = next((c for c in candidates if os.path.abspath(c) in searched), None)
if folder is None:
    folder = usual
    print(f"note: {sys.executable} does not search {folder}: name it in PYTHONPATH", file=sys.stderr)
print(os.path.relpath(folder, prefix))
