#!/usr/bin/python3
"""An independent reader (pikepdf, on qpdf) of what a PDF file navigates by.

Prints one line per item, with pages as 1-based positions in the file:
  links FILE     "page N: link -> page M" (or "-> uri ...", "-> nowhere")
  outline FILE   "<depth dots>title -> page M" (or "-> none"), in reading order
  dests FILE     "name -> page M", sorted by name
  fields FILE    "full.name = value" for every terminal field
  labels FILE    "page N: label"
  boxes FILE     "page N: media [..] crop [..] ..." with inherited boxes resolved
Tests compare these lines between sources and outputs.
"""
import sys

import pikepdf


def page_numbers(pdf):
    return {page.obj.objgen: i + 1 for i, page in enumerate(pdf.pages)}


def named_destinations(pdf):
    names = {}
    root = pdf.Root
    if "/Dests" in root:
        for key, value in root.Dests.items():
            names[str(key)[1:]] = value
    if "/Names" in root and "/Dests" in root.Names:
        for key, value in pikepdf.NameTree(root.Names.Dests).items():
            names[str(key)] = value
    return names


def page_of(destination, pages, names):
    if isinstance(destination, (pikepdf.String, pikepdf.Name, str)):
        key = str(destination)
        if isinstance(destination, pikepdf.Name):
            key = key[1:]
        destination = names.get(key)
    if isinstance(destination, pikepdf.Dictionary) and "/D" in destination:
        destination = destination.D
    if not isinstance(destination, pikepdf.Array) or len(destination) == 0:
        return "nowhere"
    target = destination[0]
    if isinstance(target, pikepdf.Dictionary) and target.is_indirect:
        number = pages.get(target.objgen)
        return f"page {number}" if number else "nowhere"
    if isinstance(target, int):
        return f"page {int(target) + 1}"
    return "nowhere"


def target_of(item, pages, names):
    if "/Dest" in item:
        return page_of(item.Dest, pages, names)
    if "/A" in item:
        action = item.A
        kind = str(action.get("/S", ""))
        if kind == "/GoTo":
            return page_of(action.get("/D"), pages, names)
        if kind == "/URI":
            return "uri " + str(action.get("/URI", ""))
        return "action " + kind
    return "none"


def links(pdf):
    pages = page_numbers(pdf)
    names = named_destinations(pdf)
    for number, page in enumerate(pdf.pages, 1):
        for annot in page.obj.get("/Annots", []):
            if annot.get("/Subtype") == "/Link":
                print(f"page {number}: link -> {target_of(annot, pages, names)}")


def outline(pdf):
    pages = page_numbers(pdf)
    names = named_destinations(pdf)
    root = pdf.Root.get("/Outlines")
    if root is None or "/First" not in root:
        return
    stack = [(root.First, 0)]
    seen = set()
    while stack:
        item, depth = stack.pop()
        if item.objgen in seen:
            continue
        seen.add(item.objgen)
        if "/Next" in item:
            stack.append((item.Next, depth))
        print("." * depth + str(item.get("/Title", "")) + " -> " + target_of(item, pages, names))
        if "/First" in item:
            stack.append((item.First, depth + 1))


def dests(pdf):
    pages = page_numbers(pdf)
    names = named_destinations(pdf)
    for name in sorted(names):
        print(f"{name} -> {page_of(names[name], pages, names)}")


def fields(pdf):
    form = pdf.Root.get("/AcroForm")
    if form is None:
        return
    stack = [(field, "") for field in reversed(list(form.get("/Fields", [])))]
    while stack:
        field, prefix = stack.pop()
        name = prefix
        if "/T" in field:
            name = (prefix + "." if prefix else "") + str(field.T)
        kids = [kid for kid in field.get("/Kids", []) if "/T" in kid]
        if kids:
            stack.extend((kid, name) for kid in reversed(kids))
        else:
            value = field.get("/V")
            if value is None and "/Parent" in field:
                value = field.Parent.get("/V")
            print(f"{name} = {value}")


def labels(pdf):
    for number, page in enumerate(pdf.pages, 1):
        print(f"page {number}: {page.label}")


def boxes(pdf):
    def text(box):
        return "[" + " ".join(str(float(v)) for v in box) + "]"

    for number, page in enumerate(pdf.pages, 1):
        parts = [f"page {number}: media {text(page.mediabox)}"]
        obj = page.obj
        for key in ("/CropBox", "/BleedBox", "/TrimBox", "/ArtBox"):
            value = obj.get(key)
            node = obj
            while value is None and key == "/CropBox" and "/Parent" in node:
                node = node.Parent
                value = node.get(key)
            if value is not None:
                parts.append(f"{key[1:-3].lower()} {text(value)}")
        rotate = int(page.obj.get("/Rotate", 0)) % 360 if "/Rotate" in page.obj else None
        if rotate:
            parts.append(f"rotate {rotate}")
        print(" ".join(parts))


def main():
    command, path = sys.argv[1], sys.argv[2]
    with pikepdf.open(path) as pdf:
        {"links": links, "outline": outline, "dests": dests, "fields": fields, "labels": labels, "boxes": boxes}[command](pdf)


if __name__ == "__main__":
    main()
