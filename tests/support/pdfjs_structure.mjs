// An independent reader of the tagged structure: what pdf.js (the reader of
// Firefox) makes of a PDF file's structure tree, page by page.
//
//   node pdfjs_structure.mjs [--strict] FILE
//
// Prints for each page "page N", then page.getStructTree() as indented lines:
// the role (pdf.js maps it through /RoleMap), lang=.. and alt=".." when present,
// and the content items: "content mcid M" (the page's marked content), "object"
// and "annotation". Object numbers are left out, so a source and a merged copy
// compare line by line. pdf.js's warnings go to standard error; the exit code
// is 1 when pdf.js cannot read the file or a page's structure, and with
// --strict also when it warned (3).
//
// pdfjs-dist comes from tests/support/js (npm ci there; scripts/install-deps.sh does it).
import { readFile } from "node:fs/promises";
import { createRequire } from "node:module";
import { pathToFileURL } from "node:url";

const args = process.argv.slice(2);
const strict = args[0] === "--strict";
if (strict)
  args.shift();
if (args.length !== 1) {
  process.stderr.write("usage: node pdfjs_structure.mjs [--strict] FILE\n");
  process.exit(2);
}

// pdf.js reports its warnings through console.log ("Warning: ..."): keep them off standard output.
let warnings = 0;
const plainLog = console.log;
console.log = (...items) => {
  const text = items.join(" ");
  if (text.startsWith("Warning:")) {
    warnings++;
    process.stderr.write(text + "\n");
  } else {
    plainLog(...items);
  }
};

const require = createRequire(new URL("./js/package.json", import.meta.url));
const pdfjs = await import(pathToFileURL(require.resolve("pdfjs-dist/legacy/build/pdf.mjs")).href);

function quoted(text) {
  return '"' + text.replace(/\\/g, "\\\\").replace(/\n/g, "\\n").replace(/\r/g, "\\r").replace(/"/g, '\\"') + '"';
}

function print(node, depth, lines) {
  const indent = "  ".repeat(depth);
  if (node.type === "content") {
    const match = /_mc(\d+)$/.exec(node.id || "");
    lines.push(indent + "content mcid " + (match ? match[1] : "?"));
    return;
  }
  if (node.type === "object" || node.type === "annotation") {
    lines.push(indent + node.type);
    return;
  }
  let line = indent + (node.role ?? "?");
  if (node.lang !== undefined)
    line += " lang=" + node.lang;
  if (node.alt !== undefined)
    line += " alt=" + quoted(node.alt);
  lines.push(line);
  for (const child of node.children ?? [])
    print(child, depth + 1, lines);
}

let document;
try {
  const data = new Uint8Array(await readFile(args[0]));
  document = await pdfjs.getDocument({
    data,
    verbosity: pdfjs.VerbosityLevel.WARNINGS,
    isEvalSupported: false,
    disableFontFace: true,
    stopAtErrors: strict,
  }).promise;
} catch (error) {
  process.stderr.write(`pdf.js cannot read ${args[0]}: ${error?.message ?? error}\n`);
  process.exit(1);
}

const lines = [];
let status = 0;
for (let number = 1; number <= document.numPages; number++) {
  lines.push(`page ${number}`);
  try {
    const page = await document.getPage(number);
    const tree = await page.getStructTree();
    if (tree)
      for (const child of tree.children ?? [])
        print(child, 1, lines);
  } catch (error) {
    process.stderr.write(`pdf.js cannot read page ${number}: ${error?.message ?? error}\n`);
    status = 1;
  }
}
process.stdout.write(lines.join("\n") + "\n");
await document.destroy();
if (status === 0 && strict && warnings > 0)
  status = 3;
process.exit(status);
