#!/usr/bin/python3
"""An independent reader (pikepdf, on qpdf) of what a PDF file holds besides its
pages and navigation: tagged structure, layers, metadata and document settings.

Prints one line per item; pages are 1-based positions in the file, so that the
lines of a source and of a merged copy compare after shifting page numbers:
  tree FILE      the structure tree in reading order: "<indent>Type[ -> Role]
                 [lang=..] [alt=".."] [id=..] ...", and under each element its
                 content: "mcid N on page P", "mcid N in stream on page P",
                 "objr Link on page P"
  check FILE     "ok", or one line per fault of the structure: marked content
                 that no element (or more than one) holds, ParentTree entries
                 that do not lead back to the element, wrong /P, keys used twice,
                 IDTree entries that do not match, RoleMap cycles, ...
  layers FILE    the optional content: OCGs, the default configuration (ON,
                 OFF, Order, RBGroups, Locked, AS), other configurations, and
                 the layers each page uses
  meta FILE      the document information, the XMP packet's properties, whether
                 both agree, PDF/A and PDF/UA identification, output intents
  settings FILE  /Lang, /PageMode, /PageLayout, /ViewerPreferences, /OpenAction,
                 embedded files, document JavaScript, article threads, and the
                 pages' /Trans, /Dur, /Tabs, /AA and /PZ
Run with Debian's /usr/bin/python3 (python3-pikepdf).
"""
import datetime
import re
import sys
import xml.etree.ElementTree as ElementTree

import pikepdf

STANDARD_TYPES = {
    "Document", "DocumentFragment", "Part", "Art", "Sect", "Div", "BlockQuote", "Caption", "TOC", "TOCI",
    "Index", "NonStruct", "Private", "P", "H", "H1", "H2", "H3", "H4", "H5", "H6", "L", "LI", "Lbl", "LBody",
    "Table", "TR", "TH", "TD", "THead", "TBody", "TFoot", "Span", "Quote", "Note", "Reference", "BibEntry",
    "Code", "Link", "Annot", "Ruby", "RB", "RT", "RP", "Warichu", "WT", "WP", "Figure", "Formula", "Form",
    "Aside", "Title", "FENote", "Sub", "Em", "Strong", "Artifact",
}


# ---- small helpers ---------------------------------------------------------------------------


def text_of(value):
    """A PDF string or name as plain text (names without the slash)."""
    if value is None:
        return ""
    if isinstance(value, pikepdf.Name):
        return str(value)[1:]
    if isinstance(value, pikepdf.String):
        return str(value)
    return scalar_text(value)


def scalar_text(value):
    """Booleans, null and numbers as PDF writes them (pikepdf hands them over as Python values)."""
    if value is None:
        return "null"
    if isinstance(value, bool):
        return "true" if value else "false"
    if isinstance(value, pikepdf.Object):
        if value._type_code == pikepdf.ObjectType.boolean:
            return "true" if bool(value) else "false"
        if value._type_code == pikepdf.ObjectType.null:
            return "null"
        if value._type_code == pikepdf.ObjectType.real:
            return f"{float(value):g}"
        if value._type_code == pikepdf.ObjectType.integer:
            return str(int(value))
    if isinstance(value, (int,)):
        return str(value)
    try:
        return f"{float(value):g}"
    except (TypeError, ValueError):
        return str(value)


def quoted(value):
    return '"' + text_of(value).replace("\\", "\\\\").replace("\n", "\\n").replace("\r", "\\r").replace('"', '\\"') + '"'


def key_of(obj):
    """Identity of an indirect object, or None for a direct one."""
    if isinstance(obj, pikepdf.Object) and obj.is_indirect:
        return obj.objgen
    return None


def is_dict(obj):
    return isinstance(obj, pikepdf.Dictionary)


def is_stream(obj):
    return isinstance(obj, pikepdf.Stream)


def as_list(value):
    if value is None:
        return []
    if isinstance(value, pikepdf.Array):
        return list(value)
    return [value]


def page_numbers(pdf):
    return {page.obj.objgen: i + 1 for i, page in enumerate(pdf.pages)}


def page_label(page_obj, pages):
    """'page P' for a page object of the document, 'page ?' when there is none."""
    if page_obj is None:
        return "page ?"
    number = pages.get(key_of(page_obj))
    return f"page {number}" if number else "page (not in the document)"


def inherited(node, key):
    seen = set()
    while node is not None and is_dict(node) and node.objgen not in seen:
        if node.objgen != (0, 0):
            seen.add(node.objgen)
        if key in node:
            return node[key]
        node = node.get("/Parent")
    return None


def number_tree(root, problems=None, what="number tree"):
    """The (key, value) pairs of a number tree in the order the tree holds them."""
    pairs = []
    seen = set()

    def walk(node, depth):
        if not is_dict(node) or depth > 64:
            return
        if node.is_indirect:
            if node.objgen in seen:
                if problems is not None:
                    problems.append(f"{what}: node {node.objgen[0]} is reached twice")
                return
            seen.add(node.objgen)
        nums = node.get("/Nums")
        if nums is not None:
            for i in range(0, len(nums) - 1, 2):
                pairs.append((int(nums[i]), nums[i + 1]))
        for kid in node.get("/Kids", []):
            walk(kid, depth + 1)

    walk(root, 0)
    if problems is not None:
        keys = [key for key, _ in pairs]
        if keys != sorted(keys):
            problems.append(f"{what}: keys are not in ascending order")
        if len(set(keys)) != len(keys):
            duplicates = sorted({key for key in keys if keys.count(key) > 1})
            problems.append(f"{what}: keys {', '.join(map(str, duplicates))} occur more than once")
    return pairs


def name_tree(root, problems=None, what="name tree"):
    """The (bytes key, value) pairs of a name tree in the order the tree holds them."""
    pairs = []
    seen = set()

    def walk(node, depth):
        if not is_dict(node) or depth > 64:
            return
        if node.is_indirect:
            if node.objgen in seen:
                if problems is not None:
                    problems.append(f"{what}: node {node.objgen[0]} is reached twice")
                return
            seen.add(node.objgen)
        names = node.get("/Names")
        if names is not None:
            for i in range(0, len(names) - 1, 2):
                key = names[i]
                raw = bytes(key) if isinstance(key, pikepdf.String) else str(key).encode()
                pairs.append((raw, names[i + 1]))
        for kid in node.get("/Kids", []):
            walk(kid, depth + 1)

    walk(root, 0)
    if problems is not None:
        keys = [key for key, _ in pairs]
        if keys != sorted(keys):
            problems.append(f"{what}: keys are not in ascending order")
    return pairs


def decode_name(raw):
    """A name tree key as text (PDFDocEncoding or UTF-16)."""
    try:
        return str(pikepdf.String(raw))
    except Exception:  # pragma: no cover - defensive
        return raw.decode("latin-1")


# ---- marked content ----------------------------------------------------------------------------


def marked_ids(content_owner, resources):
    """The MCIDs of BDC operators in a page's or a form's content, in order."""
    ids = []
    try:
        instructions = pikepdf.parse_content_stream(content_owner)
    except Exception as error:
        raise RuntimeError(f"content stream cannot be parsed: {error}")
    properties = resources.get("/Properties") if is_dict(resources) else None
    for instruction in instructions:
        if str(instruction.operator) != "BDC" or len(instruction.operands) < 2:
            continue
        props = instruction.operands[1]
        if isinstance(props, pikepdf.Name) and is_dict(properties):
            props = properties.get(props)
        if is_dict(props) and "/MCID" in props:
            ids.append(int(props.MCID))
    return ids


def structured_forms(resources, seen):
    """Form XObjects with /StructParents reachable from these resources."""
    found = []
    if not is_dict(resources):
        return found
    xobjects = resources.get("/XObject")
    if not is_dict(xobjects):
        return found
    for _, xobject in xobjects.items():
        if not is_stream(xobject) or xobject.get("/Subtype") != "/Form":
            continue
        if xobject.objgen in seen:
            continue
        seen.add(xobject.objgen)
        if "/StructParents" in xobject:
            found.append(xobject)
        found.extend(structured_forms(xobject.get("/Resources"), seen))
    return found


# ---- the structure tree ------------------------------------------------------------------------


def role_chain(kind, rolemap):
    chain = [kind]
    while is_dict(rolemap):
        target = rolemap.get("/" + chain[-1])
        if not isinstance(target, pikepdf.Name):
            break
        name = str(target)[1:]
        if name == chain[-1] or name in chain:
            break
        chain.append(name)
        if len(chain) > 32:
            break
    return chain


def element_heading(element, rolemap):
    kind = text_of(element.get("/S"))
    parts = [" -> ".join(role_chain(kind, rolemap))]
    for key, label in (("/Lang", "lang"), ("/ID", "id"), ("/T", "title"), ("/Alt", "alt"),
                       ("/ActualText", "actualtext"), ("/E", "expansion")):
        if key in element:
            value = element[key]
            parts.append(f"{label}={text_of(value)}" if key in ("/Lang", "/ID") else f"{label}={quoted(value)}")
    classes = element.get("/C")
    if classes is not None:
        parts.append("class=" + ",".join(text_of(c) for c in as_list(classes)))
    return " ".join(parts)


def content_line(kid, element, pages):
    """The line of one content item (not an element), or None for an element."""
    if isinstance(kid, int) or (isinstance(kid, pikepdf.Object) and kid._type_code == pikepdf.ObjectType.integer):
        return f"mcid {int(kid)} on {page_label(element.get('/Pg'), pages)}"
    if not is_dict(kid):
        return "unknown kid " + repr(kid)[:40]
    kind = kid.get("/Type")
    if kind == "/MCR" or ("/MCID" in kid and "/S" not in kid):
        page = kid.get("/Pg", element.get("/Pg"))
        where = " in stream" if "/Stm" in kid else ""
        return f"mcid {int(kid.get('/MCID', -1))}{where} on {page_label(page, pages)}"
    if kind == "/OBJR" or ("/Obj" in kid and "/S" not in kid):
        obj = kid.get("/Obj")
        subtype = text_of(obj.get("/Subtype")) if is_dict(obj) else "none"
        page = kid.get("/Pg", element.get("/Pg"))
        if page is None and is_dict(obj):
            page = obj.get("/P")
        return f"objr {subtype} on {page_label(page, pages)}"
    return None


def walk_tree(pdf, visit):
    """Calls visit(element, parent, depth, content_lines) in reading order.
    parent is None for the root's kids. Returns the elements reached twice."""
    root = pdf.Root.get("/StructTreeRoot")
    again = []
    if not is_dict(root):
        return again
    seen = set()
    stack = [(kid, None, 0) for kid in reversed(as_list(root.get("/K")))]
    while stack:
        element, parent, depth = stack.pop()
        if not is_dict(element):
            continue
        key = key_of(element)
        if key is not None:
            if key in seen:
                again.append((element, parent))
                continue
            seen.add(key)
        kids = as_list(element.get("/K"))
        visit(element, parent, depth, kids)
        children = []
        for kid in kids:
            if is_dict(kid) and ("/S" in kid) and kid.get("/Type") not in ("/MCR", "/OBJR"):
                children.append((kid, element, depth + 1))
        stack.extend(reversed(children))
    return again


def tree(pdf):
    pages = page_numbers(pdf)
    root = pdf.Root.get("/StructTreeRoot")
    if not is_dict(root):
        return
    rolemap = root.get("/RoleMap")

    # Elements and content interleave in reading order, so walk recursively.
    seen = set()

    def show(element, depth):
        key = key_of(element)
        if key is not None:
            if key in seen:
                print("  " * depth + "(again) " + text_of(element.get("/S")))
                return
            seen.add(key)
        print("  " * depth + element_heading(element, rolemap))
        for kid in as_list(element.get("/K")):
            line = content_line(kid, element, pages)
            if line is None:
                show(kid, depth + 1)
            else:
                print("  " * (depth + 1) + line)

    sys.setrecursionlimit(10000)
    for kid in as_list(root.get("/K")):
        if is_dict(kid):
            show(kid, 0)


def describe(element):
    if not is_dict(element):
        return "a " + type(element).__name__.lower()
    number = f" (object {element.objgen[0]})" if element.is_indirect else " (direct)"
    return f"element {text_of(element.get('/S'))}{number}"


def check(pdf):
    problems = []
    pages = page_numbers(pdf)
    root = pdf.Root.get("/StructTreeRoot")
    if not is_dict(root):
        print("no structure tree")
        return
    mark_info = pdf.Root.get("/MarkInfo")
    if not is_dict(mark_info) or not bool(mark_info.get("/Marked", False)):
        problems.append("the catalogue's /MarkInfo does not say /Marked true")

    rolemap = root.get("/RoleMap")
    if is_dict(rolemap):
        for name in rolemap.keys():
            chain = [str(name)[1:]]
            while True:
                target = rolemap.get("/" + chain[-1])
                if not isinstance(target, pikepdf.Name) or str(target)[1:] == chain[-1]:
                    break
                target = str(target)[1:]
                if target in chain:
                    problems.append("RoleMap cycle: " + " -> ".join(chain + [target]))
                    break
                chain.append(target)
        # (a type mapped to itself is left alone: LibreOffice writes /P /P for every standard type)
    classmap = root.get("/ClassMap")

    # Walk the tree: parents, content references, object references, IDs.
    mcid_holders = {}  # (container objgen, mcid) -> [element]
    mcid_where = {}  # (container objgen, mcid) -> description
    objr_holders = {}  # annotation/xobject objgen -> [element]
    elements = {}  # objgen -> element
    ids = {}  # ID bytes -> [element]
    unresolved_checked = set()  # structure types whose role was followed
    root_key = key_of(root)

    def visit(element, parent, depth, kids):
        key = key_of(element)
        if key is not None:
            elements[key] = element
        expected = parent if parent is not None else root
        actual = element.get("/P")
        if key_of(expected) is not None and key_of(actual) != key_of(expected):
            problems.append(f"{describe(element)}: /P is not its parent {describe(expected) if parent is not None else 'the StructTreeRoot'}")
        if "/S" not in element:
            problems.append(f"{describe(element)}: no /S")
        else:
            kind = text_of(element.S)
            if kind not in unresolved_checked:
                unresolved_checked.add(kind)
                if role_chain(kind, rolemap)[-1] not in STANDARD_TYPES:
                    problems.append(f"structure type {kind} maps to no standard type through the RoleMap")
        if "/ID" in element:
            ids.setdefault(bytes(element.ID), []).append(element)
        if classmap is not None or "/C" in element:
            for name in as_list(element.get("/C")):
                if isinstance(name, pikepdf.Name) and (not is_dict(classmap) or name not in classmap):
                    problems.append(f"{describe(element)}: class {text_of(name)} is not in the ClassMap")
        for kid in kids:
            if is_dict(kid) and "/S" in kid and kid.get("/Type") not in ("/MCR", "/OBJR"):
                continue
            is_int = isinstance(kid, int) or (isinstance(kid, pikepdf.Object) and kid._type_code == pikepdf.ObjectType.integer)
            if is_int or (is_dict(kid) and (kid.get("/Type") == "/MCR" or "/MCID" in kid)):
                if is_int:
                    mcid, page, stream = int(kid), element.get("/Pg"), None
                else:
                    mcid, page, stream = int(kid.get("/MCID", -1)), kid.get("/Pg", element.get("/Pg")), kid.get("/Stm")
                if key is None:
                    problems.append(f"{describe(element)}: holds marked content but is not an indirect object")
                container = stream if stream is not None else page
                if container is None:
                    problems.append(f"{describe(element)}: mcid {mcid} names no page")
                    continue
                slot = (key_of(container), mcid)
                mcid_holders.setdefault(slot, []).append(element)
                mcid_where[slot] = f"mcid {mcid}{' in a form' if stream is not None else ''} on {page_label(page, pages)}"
            elif is_dict(kid) and (kid.get("/Type") == "/OBJR" or "/Obj" in kid):
                obj = kid.get("/Obj")
                if key_of(obj) is None:
                    problems.append(f"{describe(element)}: an OBJR names no indirect object")
                    continue
                objr_holders.setdefault(key_of(obj), []).append(element)

    again = walk_tree(pdf, visit)
    for element, parent in again:
        problems.append(f"{describe(element)}: reached twice in the structure tree")

    # The ParentTree.
    parent_tree = {}
    tree_root = root.get("/ParentTree")
    if tree_root is not None:
        for key, value in number_tree(tree_root, problems, "ParentTree"):
            parent_tree[key] = value
    next_key = root.get("/ParentTreeNextKey")
    if next_key is not None and parent_tree and int(next_key) <= max(parent_tree):
        problems.append(f"ParentTreeNextKey {int(next_key)} is not greater than every key (largest {max(parent_tree)})")

    users = {}  # parent tree key -> what uses it

    def claim(key, who):
        if key in users:
            problems.append(f"ParentTree key {key} is used by both {users[key]} and {who}")
        else:
            users[key] = who

    def check_marked(owner, resources, who, container_key):
        try:
            marked = marked_ids(owner, resources)
        except RuntimeError as error:
            problems.append(f"{who}: {error}")
            return
        for mcid in sorted(set(marked)):
            if marked.count(mcid) > 1:
                problems.append(f"{who}: mcid {mcid} is marked {marked.count(mcid)} times")
        marked = sorted(set(marked))
        for mcid in marked:
            holders = mcid_holders.get((container_key, mcid), [])
            if not holders:
                problems.append(f"{who}: mcid {mcid} is held by no structure element")
            elif len(holders) > 1:
                problems.append(f"{who}: mcid {mcid} is held by {len(holders)} structure elements")
        for (container, mcid), holders in mcid_holders.items():
            if container == container_key and mcid not in marked:
                problems.append(f"{describe(holders[0])}: holds mcid {mcid}, which {who} does not mark")
        if not marked:
            return marked
        if "/StructParents" not in owner_dict(owner):
            problems.append(f"{who}: has marked content but no /StructParents")
            return marked
        key = int(owner_dict(owner).StructParents)
        claim(key, who)
        if key not in parent_tree:
            problems.append(f"{who}: /StructParents {key} is not a key of the ParentTree")
            return marked
        entry = parent_tree[key]
        if not isinstance(entry, pikepdf.Array):
            problems.append(f"{who}: ParentTree[{key}] is not an array")
            return marked
        for mcid in marked:
            holders = mcid_holders.get((container_key, mcid), [])
            listed = entry[mcid] if 0 <= mcid < len(entry) else None
            if listed is None or not is_dict(listed):
                problems.append(f"{who}: ParentTree[{key}][{mcid}] names no element")
            elif key_of(listed) not in elements:
                problems.append(f"{who}: ParentTree[{key}][{mcid}] is {describe(listed)}, which is not in the structure tree")
            elif holders and all(key_of(listed) != key_of(holder) for holder in holders):
                problems.append(f"{who}: ParentTree[{key}][{mcid}] is {describe(listed)}, not {describe(holders[0])} that holds mcid {mcid}")
        return marked

    def owner_dict(owner):
        return owner.obj if isinstance(owner, pikepdf.Page) else owner

    visited_forms = set()
    checked_forms = set()
    for number, page in enumerate(pdf.pages, 1):
        resources = inherited(page.obj, "/Resources")
        check_marked(page, resources, f"page {number}", page.obj.objgen)
        if "/StructParents" in page.obj and not any(c == page.obj.objgen for c, _ in mcid_holders):
            claim(int(page.obj.StructParents), f"page {number}")
        for form in structured_forms(resources, visited_forms):
            checked_forms.add(form.objgen)
            check_marked(form, form.get("/Resources"), f"form {form.objgen[0]} on page {number}", form.objgen)
        for annot in page.obj.get("/Annots", []):
            if not is_dict(annot):
                continue
            who = f"page {number}: {text_of(annot.get('/Subtype'))} annotation (object {annot.objgen[0]})"
            holders = objr_holders.get(key_of(annot), [])
            if "/StructParent" not in annot:
                if holders:
                    problems.append(f"{who}: named by an OBJR but has no /StructParent")
                continue
            key = int(annot.StructParent)
            claim(key, who)
            listed = parent_tree.get(key)
            if not holders:
                problems.append(f"{who}: has /StructParent {key} but no OBJR names it")
            elif listed is None:
                problems.append(f"{who}: /StructParent {key} is not a key of the ParentTree")
            elif not is_dict(listed) or key_of(listed) not in elements:
                problems.append(f"{who}: ParentTree[{key}] is not an element of the structure tree")
            elif all(key_of(listed) != key_of(holder) for holder in holders):
                problems.append(f"{who}: ParentTree[{key}] is {describe(listed)}, not {describe(holders[0])} whose OBJR names it")
            if len(holders) > 1:
                problems.append(f"{who}: named by {len(holders)} OBJRs")
    for slot, holders in mcid_holders.items():
        container = slot[0]
        if container not in pages and container not in checked_forms:
            problems.append(f"{describe(holders[0])}: {mcid_where[slot]} lies in no page or structured form of the document")

    # The IDTree.
    id_tree = root.get("/IDTree")
    listed_ids = set()
    if id_tree is not None:
        for raw, value in name_tree(id_tree, problems, "IDTree"):
            listed_ids.add(raw)
            name = decode_name(raw)
            if not is_dict(value):
                problems.append(f"IDTree {name}: not an element")
            elif "/ID" not in value or bytes(value.ID) != raw:
                problems.append(f"IDTree {name}: {describe(value)} has /ID {text_of(value.get('/ID')) or 'none'}")
            elif key_of(value) not in elements:
                problems.append(f"IDTree {name}: {describe(value)} is not in the structure tree")
    for raw, holders in ids.items():
        if raw not in listed_ids:
            problems.append(f"{describe(holders[0])}: /ID {decode_name(raw)} is not in the IDTree")
        if len(holders) > 1:
            problems.append(f"/ID {decode_name(raw)} is given to {len(holders)} elements")

    if problems:
        seen = set()
        for problem in problems:
            if problem not in seen:
                seen.add(problem)
                print(problem)
    else:
        print("ok")


# ---- layers -------------------------------------------------------------------------------------


def layers(pdf):
    properties = pdf.Root.get("/OCProperties")
    pages = page_numbers(pdf)
    known = {}
    names = {}
    if is_dict(properties):
        for group in as_list(properties.get("/OCGs")):
            if is_dict(group):
                known[key_of(group)] = group
                names[key_of(group)] = text_of(group.get("/Name"))
                print(f"ocg {quoted(group.get('/Name'))}" + (f" intent {text_of(group.get('/Intent'))}" if "/Intent" in group else ""))

    def name_of(group):
        if is_dict(group):
            return quoted(group.get("/Name"))
        return "(" + type(group).__name__.lower() + ")"

    def names_list(items):
        return ", ".join(name_of(item) for item in as_list(items)) or "(none)"

    def order(items, depth):
        for item in items:
            if isinstance(item, pikepdf.Array):
                label = None
                entries = list(item)
                if entries and isinstance(entries[0], pikepdf.String):
                    label, entries = entries[0], entries[1:]
                    print("  " * depth + f"order label {quoted(label)}")
                else:
                    print("  " * depth + "order group")
                order(entries, depth + 1)
            elif isinstance(item, pikepdf.String):
                print("  " * depth + f"order label {quoted(item)}")
            else:
                print("  " * depth + f"order {name_of(item)}")

    def configuration(config, title):
        print(f"{title}" + (f" {quoted(config.get('/Name'))}" if "/Name" in config else ""))
        if "/BaseState" in config:
            print(f"  base state {text_of(config.BaseState)}")
        if "/ON" in config:
            print(f"  on {names_list(config.ON)}")
        if "/OFF" in config:
            print(f"  off {names_list(config.OFF)}")
        if "/Intent" in config:
            print(f"  intent {' '.join(text_of(i) for i in as_list(config.Intent))}")
        if "/ListMode" in config:
            print(f"  list mode {text_of(config.ListMode)}")
        if "/Order" in config:
            order(list(config.Order), 1)
        for group in as_list(config.get("/RBGroups")):
            print(f"  rbgroup {names_list(group)}")
        if "/Locked" in config:
            print(f"  locked {names_list(config.Locked)}")
        for usage in as_list(config.get("/AS")):
            if is_dict(usage):
                print(f"  as {text_of(usage.get('/Event'))} category {' '.join(text_of(c) for c in as_list(usage.get('/Category')))}"
                      f" ocgs {names_list(usage.get('/OCGs'))}")

    if is_dict(properties):
        if is_dict(properties.get("/D")):
            configuration(properties.D, "default configuration")
        for config in as_list(properties.get("/Configs")):
            if is_dict(config):
                configuration(config, "configuration")

    # What each page refers to: its resources' property lists and XObjects
    # with /OC (through nested forms), and its annotations' /OC.
    def groups_of(oc, found):
        if not is_dict(oc):
            return
        if oc.get("/Type") == "/OCMD" or "/OCGs" in oc:
            for group in as_list(oc.get("/OCGs")):
                groups_of(group, found)
            return
        if key_of(oc) is not None and key_of(oc) not in [key_of(g) for g in found]:
            found.append(oc)

    def from_resources(resources, found, seen):
        if not is_dict(resources):
            return
        props = resources.get("/Properties")
        if is_dict(props):
            for _, value in props.items():
                if is_dict(value) and (value.get("/Type") in ("/OCG", "/OCMD") or "/Name" in value and "/Type" not in value):
                    groups_of(value, found)
        xobjects = resources.get("/XObject")
        if is_dict(xobjects):
            for _, xobject in xobjects.items():
                if not is_stream(xobject) or xobject.objgen in seen:
                    continue
                seen.add(xobject.objgen)
                groups_of(xobject.get("/OC"), found)
                from_resources(xobject.get("/Resources"), found, seen)

    for number, page in enumerate(pdf.pages, 1):
        found = []
        from_resources(inherited(page.obj, "/Resources"), found, set())
        for annot in page.obj.get("/Annots", []):
            if is_dict(annot):
                groups_of(annot.get("/OC"), found)
        if not found:
            continue
        ordered = sorted(found, key=lambda g: (list(known).index(key_of(g)) if key_of(g) in known else len(known), text_of(g.get("/Name"))))
        print(f"page {number}: {', '.join(name_of(g) for g in ordered)}")
        for group in ordered:
            if key_of(group) not in known:
                print(f"page {number}: {name_of(group)} is not in /OCProperties /OCGs")


# ---- metadata -----------------------------------------------------------------------------------

NS = {
    "x": "adobe:ns:meta/",
    "rdf": "http://www.w3.org/1999/02/22-rdf-syntax-ns#",
    "dc": "http://purl.org/dc/elements/1.1/",
    "pdf": "http://ns.adobe.com/pdf/1.3/",
    "xmp": "http://ns.adobe.com/xap/1.0/",
    "pdfaid": "http://www.aiim.org/pdfa/ns/id/",
    "pdfuaid": "http://www.aiim.org/pdfua/ns/id/",
}
XMP_PROPERTIES = ["dc:title", "dc:creator", "dc:description", "pdf:Keywords", "pdf:Producer", "xmp:CreatorTool",
                  "xmp:CreateDate", "xmp:ModifyDate", "pdfaid:part", "pdfaid:conformance", "pdfaid:amd", "pdfuaid:part"]
AGREEMENT = [("/Title", "dc:title"), ("/Author", "dc:creator"), ("/Subject", "dc:description"),
             ("/Keywords", "pdf:Keywords"), ("/Producer", "pdf:Producer"), ("/Creator", "xmp:CreatorTool"),
             ("/CreationDate", "xmp:CreateDate"), ("/ModDate", "xmp:ModifyDate")]


def xmp_properties(data):
    """The listed properties of an XMP packet, each as text (lists joined by '; ')."""
    values = {}
    text = data.decode("utf-8", "replace")
    start = text.find("<x:xmpmeta")
    if start < 0:
        start = text.find("<rdf:RDF")
    end_meta = text.rfind("</x:xmpmeta>")
    end = end_meta + len("</x:xmpmeta>") if end_meta >= 0 else text.rfind("</rdf:RDF>") + len("</rdf:RDF>")
    root = ElementTree.fromstring(text[start:end])
    wanted = {}
    for name in XMP_PROPERTIES:
        prefix, local = name.split(":")
        wanted["{" + NS[prefix] + "}" + local] = name
    for description in root.iter("{" + NS["rdf"] + "}Description"):
        for attribute, value in description.attrib.items():
            if attribute in wanted:
                values[wanted[attribute]] = value
        for child in description:
            if child.tag not in wanted:
                continue
            items = [li.text or "" for li in child.iter("{" + NS["rdf"] + "}li")]
            values[wanted[child.tag]] = "; ".join(items) if items else (child.text or "").strip()
    return values


def pdf_date(value):
    """A PDF date (D:YYYYMMDDHHmmSSOHH'mm') as an aware datetime, or None."""
    match = re.match(r"D?:?(\d{4})(\d{2})?(\d{2})?(\d{2})?(\d{2})?(\d{2})?([Z+-])?(\d{2})?'?(\d{2})?", value)
    if not match:
        return None
    year, month, day, hour, minute, second, sign, tzh, tzm = match.groups()
    offset = datetime.timedelta(hours=int(tzh or 0), minutes=int(tzm or 0))
    if sign == "-":
        offset = -offset
    zone = datetime.timezone(offset) if sign else datetime.timezone.utc
    return datetime.datetime(int(year), int(month or 1), int(day or 1), int(hour or 0), int(minute or 0), int(second or 0), tzinfo=zone)


def xmp_date(value):
    match = re.match(r"(\d{4})(?:-(\d{2}))?(?:-(\d{2}))?(?:T(\d{2}):(\d{2})(?::(\d{2}))?(?:\.\d+)?)?(Z|[+-]\d{2}:\d{2})?", value)
    if not match:
        return None
    year, month, day, hour, minute, second, zone = match.groups()
    tz = datetime.timezone.utc
    if zone and zone != "Z":
        offset = datetime.timedelta(hours=int(zone[1:3]), minutes=int(zone[4:6]))
        tz = datetime.timezone(-offset if zone[0] == "-" else offset)
    return datetime.datetime(int(year), int(month or 1), int(day or 1), int(hour or 0), int(minute or 0), int(second or 0), tzinfo=tz)


def meta(pdf):
    info = pdf.trailer.get("/Info")
    info_values = {}
    if is_dict(info):
        for key in sorted(info.keys()):
            info_values[key] = text_of(info[key])
            print(f"info {key[1:]}: {info_values[key]}")
    stream = pdf.Root.get("/Metadata")
    xmp = {}
    if is_stream(stream):
        try:
            xmp = xmp_properties(stream.read_bytes())
        except Exception as error:
            print(f"xmp unreadable: {error}")
        for name in XMP_PROPERTIES:
            if name in xmp:
                print(f"xmp {name}: {xmp[name]}")
    else:
        print("xmp none")
    if xmp:
        disagreements = []
        for info_key, xmp_key in AGREEMENT:
            if info_key not in info_values or xmp_key not in xmp:
                continue
            a, b = info_values[info_key], xmp[xmp_key]
            if info_key in ("/CreationDate", "/ModDate"):
                same = pdf_date(a) is not None and pdf_date(a) == xmp_date(b)
            elif info_key == "/Author":
                same = a == b or [s.strip() for s in a.split(";")] == [s.strip() for s in b.split(";")]
            else:
                same = a == b
            if not same:
                disagreements.append(f"disagree {info_key[1:]} {quoted(a)} {xmp_key} {quoted(b)}")
        for line in disagreements:
            print(line)
        if not disagreements:
            print("info and xmp agree")
    for intent in as_list(pdf.Root.get("/OutputIntents")):
        if not is_dict(intent):
            continue
        profile = intent.get("/DestOutputProfile")
        size = len(profile.read_bytes()) if is_stream(profile) else 0
        components = f" {int(profile.get('/N'))} components" if is_stream(profile) and "/N" in profile else ""
        print(f"output intent {text_of(intent.get('/S'))} {quoted(intent.get('/OutputConditionIdentifier'))}"
              f" profile {size} bytes{components}")


# ---- settings -----------------------------------------------------------------------------------


def value_text(value, pages):
    if isinstance(value, pikepdf.Name):
        return str(value)
    if isinstance(value, pikepdf.String):
        return quoted(value)
    if isinstance(value, pikepdf.Array):
        return "[" + " ".join(value_text(v, pages) for v in value) + "]"
    if is_dict(value):
        if value.get("/Type") == "/Page":
            return page_label(value, pages)
        return "<<" + " ".join(f"{k} {value_text(value[k], pages)}" for k in sorted(value.keys())) + ">>"
    return scalar_text(value)


def action_text(action, pages, names):
    if isinstance(action, pikepdf.Array):
        return destination_text(action, pages)
    if not is_dict(action):
        return "none"
    kind = text_of(action.get("/S"))
    if kind == "GoTo":
        target = action.get("/D")
        if isinstance(target, (pikepdf.String, pikepdf.Name)):
            key = bytes(target) if isinstance(target, pikepdf.String) else str(target)[1:].encode()
            resolved = names.get(key)
            if is_dict(resolved):
                resolved = resolved.get("/D")
            return f"GoTo {text_of(target)} " + (destination_text(resolved, pages) if resolved is not None else "(undefined)")
        return "GoTo " + destination_text(target, pages)
    if kind == "URI":
        return "URI " + text_of(action.get("/URI"))
    if kind == "Named":
        return "Named " + text_of(action.get("/N"))
    return kind


def destination_text(destination, pages):
    if not isinstance(destination, pikepdf.Array) or len(destination) == 0:
        return "nowhere"
    target = destination[0]
    fit = " ".join(value_text(v, pages) for v in list(destination)[1:])
    if is_dict(target):
        where = page_label(target, pages)
    elif isinstance(target, pikepdf.Object) and target._type_code == pikepdf.ObjectType.integer:
        where = f"page {int(target) + 1} (by index)"
    else:
        where = "nowhere"
    return where + (" " + fit if fit else "")


def named_destinations(pdf):
    names = {}
    root = pdf.Root
    if is_dict(root.get("/Dests")):
        for key, value in root.Dests.items():
            names[key[1:].encode()] = value
    if is_dict(root.get("/Names")) and "/Dests" in root.Names:
        for key, value in name_tree(root.Names.Dests):
            names[key] = value
    return names


def settings(pdf):
    pages = page_numbers(pdf)
    root = pdf.Root
    names = named_destinations(pdf)
    for key, label in (("/Lang", "lang"), ("/PageMode", "page mode"), ("/PageLayout", "page layout")):
        if key in root:
            print(f"{label}: {text_of(root[key])}")
    preferences = root.get("/ViewerPreferences")
    if is_dict(preferences):
        for key in sorted(preferences.keys()):
            print(f"viewer preference {key[1:]}: {value_text(preferences[key], pages)}")
    if "/OpenAction" in root:
        print("open action: " + action_text(root.OpenAction, pages, names))
    if is_dict(root.get("/AA")):
        print("document actions: " + " ".join(sorted(k[1:] for k in root.AA.keys())))
    tree_names = root.get("/Names")
    if is_dict(tree_names):
        if "/EmbeddedFiles" in tree_names:
            for raw, filespec in name_tree(tree_names.EmbeddedFiles):
                file_name, size = "", "?"
                if is_dict(filespec):
                    file_name = text_of(filespec.get("/UF", filespec.get("/F", "")))
                    embedded = filespec.get("/EF")
                    stream = embedded.get("/F") if is_dict(embedded) else None
                    if is_stream(stream):
                        size = str(len(stream.read_bytes()))
                print(f"embedded file {quoted(decode_name(raw))}: {quoted(file_name)} {size} bytes")
        if "/JavaScript" in tree_names:
            for raw, action in name_tree(tree_names.JavaScript):
                print(f"javascript {quoted(decode_name(raw))}")
    if is_dict(root.get("/Collection")):
        print("collection (portfolio)")
    for number, thread in enumerate(as_list(root.get("/Threads")), 1):
        if not is_dict(thread):
            continue
        title = ""
        if is_dict(thread.get("/I")) and "/Title" in thread.I:
            title = " " + quoted(thread.I.Title)
        beads = []
        bead = thread.get("/F")
        seen = set()
        while is_dict(bead) and key_of(bead) not in seen and len(beads) < 10000:
            seen.add(key_of(bead))
            page = bead.get("/P")
            beads.append(str(pages.get(key_of(page), "?")))
            bead = bead.get("/N")
        print(f"thread {number}{title}: beads on pages {' '.join(beads)}")
    for number, page in enumerate(pdf.pages, 1):
        obj = page.obj
        parts = []
        if is_dict(obj.get("/Trans")):
            parts.append("trans " + value_text(obj.Trans, pages))
        if "/Dur" in obj:
            parts.append("dur " + value_text(obj.Dur, pages))
        if "/Tabs" in obj:
            parts.append("tabs " + text_of(obj.Tabs))
        if is_dict(obj.get("/AA")):
            parts.append("aa " + " ".join(sorted(k[1:] for k in obj.AA.keys())))
        if "/PZ" in obj:
            parts.append("pz " + value_text(obj.PZ, pages))
        if parts:
            print(f"page {number}: " + " ".join(parts))


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    command, path = sys.argv[1], sys.argv[2]
    commands = {"tree": tree, "check": check, "layers": layers, "meta": meta, "settings": settings}
    if command not in commands:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    with pikepdf.open(path) as pdf:
        commands[command](pdf)


if __name__ == "__main__":
    main()
