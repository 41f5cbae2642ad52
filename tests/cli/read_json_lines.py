"""Reads what `colligo info --json` wrote (JSON Lines) with Python's own json
module, independent of colligo's writer, and prints each object's fields in a
fixed form the command-line test compares: the path as hex of its UTF-8
bytes, then pages, the names of what it holds, and the conformance, or the
refusal and its reason. Fails on anything that is not strict JSON Lines:
bytes that are not UTF-8, a line that is not one JSON object, a repeated or
missing key, a value of the wrong type, a missing final line feed."""

import json
import sys

HOLDS = ["outline", "links", "annotations", "forms", "page_labels", "tagged", "layers", "metadata", "settings",
         "attachments"]


def unique_keys(pairs):
    keys = [key for key, _ in pairs]
    if len(keys) != len(set(keys)):
        raise ValueError("repeated key in %r" % keys)
    return dict(pairs)


def main(path):
    with open(path, "rb") as stream:
        text = stream.read().decode("utf-8")  # strict
    if not text.endswith("\n"):
        raise ValueError("the output does not end with a line feed")
    for line in text[:-1].split("\n"):
        item = json.loads(line, object_pairs_hook=unique_keys)
        if not isinstance(item, dict):
            raise ValueError("not an object: %r" % line)
        print("path " + item["path"].encode("utf-8").hex())
        if "refused" in item:
            if set(item) != {"path", "refused", "reason"}:
                raise ValueError("keys of a refused file: %r" % sorted(item))
            if item["refused"] not in ("needs a password", "restricted", "unreadable"):
                raise ValueError("refused: %r" % item["refused"])
            print("refused " + item["refused"])
            print("reason " + item["reason"])
            continue
        if set(item) != {"path", "pages", "holds", "conformance"}:
            raise ValueError("keys of a file: %r" % sorted(item))
        if type(item["pages"]) is not int:
            raise ValueError("pages: %r" % item["pages"])
        holds = item["holds"]
        if sorted(holds) != sorted(HOLDS) or any(type(value) is not bool for value in holds.values()):
            raise ValueError("holds: %r" % holds)
        conformance = item["conformance"]
        if conformance is not None and (type(conformance) is not str or not conformance):
            raise ValueError("conformance: %r" % conformance)
        print("pages %d" % item["pages"])
        print("holds " + (" ".join(key for key in HOLDS if holds[key]) or "-"))
        print("conformance " + ("null" if conformance is None else conformance))


if __name__ == "__main__":
    main(sys.argv[1])
