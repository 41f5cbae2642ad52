#!/usr/bin/env python3
"""Writes an HTML book of CHAPTERS chapters (headings, paragraphs, lists,
tables, links) that LibreOffice turns into a tagged PDF of about five pages a
chapter: the bench's tagged document, whose structure tree holds most of its
objects, as in documents exported from office programs."""
import random
import sys

chapters = int(sys.argv[1]) if len(sys.argv) > 1 else 110
random.seed(7)
words = "merge split page outline link form tag layer metadata reader structure document archive accessible legal".split()


def sentence(n):
    return " ".join(random.choice(words) for _ in range(n)).capitalize() + "."


parts = ['<html lang="en"><head><meta charset="utf-8"><title>Tagged bench book</title></head><body>']
for chapter in range(1, chapters + 1):
    parts.append(f'<h1 id="c{chapter}">Chapter {chapter}</h1>')
    for section in range(1, 4):
        parts.append(f"<h2>Section {chapter}.{section}</h2>")
        parts += [f"<p>{sentence(60)}</p>" for _ in range(4)]
        parts.append("<ul>" + "".join(f"<li>{sentence(8)}</li>" for _ in range(4)) + "</ul>")
        rows = "".join(f"<tr><td>{random.choice(words)}</td><td>{random.randint(1, 999)}</td></tr>" for _ in range(4))
        parts.append(f'<table border="1"><tr><th>Name</th><th>Value</th></tr>{rows}</table>')
        parts.append(f'<p><a href="#c{max(1, chapter - 1)}">see chapter {max(1, chapter - 1)}</a></p>')
parts.append("</body></html>")
sys.stdout.write("\n".join(parts))
