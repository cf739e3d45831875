#!/usr/bin/env python3
"""Writes the tables of core/content/NameFolding.cpp between its "generated" markers from the
Unicode data of Python's unicodedata module: the canonical decompositions of the Basic
Multilingual Plane (but U+2000-U+2FFF and U+F900-U+FAFF, which HFS+ leaves composed; Hangul
syllables decompose by rule in the code) and the canonical combining classes."""
import pathlib
import re
import unicodedata

source = pathlib.Path(__file__).resolve().parent.parent / "core/content/NameFolding.cpp"


def excluded(cp):
    return 0x2000 <= cp <= 0x2FFF or 0xF900 <= cp <= 0xFAFF


decompositions = []
for cp in range(0x10000):
    d = unicodedata.decomposition(chr(cp))
    if not d or d.startswith("<") or excluded(cp):
        continue
    parts = [int(x, 16) for x in d.split()]
    assert len(parts) <= 2 and all(p < 0x10000 for p in parts)
    decompositions.append((cp, parts[0], parts[1] if len(parts) > 1 else 0))

classes = []
for cp in range(0x10000):
    c = unicodedata.combining(chr(cp))
    if not c:
        continue
    if classes and classes[-1][1] == cp - 1 and classes[-1][2] == c:
        classes[-1][1] = cp
    else:
        classes.append([cp, cp, c])


def rows(items, per_line):
    lines = []
    for i in range(0, len(items), per_line):
        lines.append("        " + " ".join(items[i:i + per_line]))
    return "\n".join(lines)


table = (f"    // Unicode {unicodedata.unidata_version}: {len(decompositions)} decompositions, {len(classes)} ranges of combining classes.\n"
         "    constexpr Decomposition decompositions[] = {\n"
         + rows([f"{{ 0x{a:04X}, 0x{b:04X}, 0x{c:04X} }}," for a, b, c in decompositions], 5)
         + "\n    };\n\n    constexpr CombiningClass combiningClasses[] = {\n"
         + rows([f"{{ 0x{a:04X}, 0x{b:04X}, {c} }}," for a, b, c in classes], 5)
         + "\n    };\n")

text = source.read_text()
text = re.sub(r"(// generated: begin\n).*?( *// generated: end)", lambda m: m.group(1) + table + m.group(2),
              text, flags=re.S)
source.write_text(text)
