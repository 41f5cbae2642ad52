/*
 * Colligo: the PDF engine of Quellan PDF Merger.
 *
 * A plain C interface for host programs: open documents and count their pages,
 * merge several files into one, split a file by page ranges or at the entries of
 * one outline level. Every function returns an integer result; nothing is thrown,
 * shown or logged. Calls are not reentrant: a host makes one engine call at a time.
 * Narrow paths are UTF-8, on Windows too (where this system's programs run with
 * UTF-8 as their ANSI code page); wide paths are UTF-16.
 */
#ifndef COLLIGO_H
#define COLLIGO_H

#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define COLLIGO_CALL __stdcall
#else
#define COLLIGO_CALL
#endif

#if defined(_WIN32) && defined(COLLIGO_ENGINE_BUILD)
#define COLLIGO_EXPORT /* Colligo.def names the DLL's exports */
#elif defined(_WIN32)
#define COLLIGO_EXPORT __declspec(dllimport)
#else
#define COLLIGO_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* UTF-16 text, NUL-terminated (wchar_t on Windows). The engine itself holds
   UTF-16 as char16_t on every platform, the same 16-bit units. */
#if defined(_WIN32) && !defined(COLLIGO_ENGINE_BUILD)
typedef wchar_t ColligoWideChar;
#elif defined(__cplusplus)
typedef char16_t ColligoWideChar;
#else
typedef uint_least16_t ColligoWideChar;
#endif

/* A handle to an open document: positive on success, or one of the codes below. */
typedef intptr_t DocumentHandle;

enum {
    COLLIGO_UNREADABLE = -1,  /* no path, missing, damaged or not a PDF file */
    COLLIGO_NEEDS_PASSWORD = -2, /* encrypted, and the password is missing or wrong */
    COLLIGO_RESTRICTED = -3   /* opened, but copying, printing or changing is not allowed */
};

/*
 * Progress callback of merges and splits, called before each page is copied.
 * Return nonzero to go on, zero to stop (the announced page is still copied).
 * In a merge: phase 1, total = entries in the current file's page list,
 * page = page about to be copied, position = its 1-based position in that list.
 */
typedef int32_t(COLLIGO_CALL *MergeProgressCallback)(int32_t phase, int32_t total, int32_t page,
                                                      int32_t position);

/* ---- Documents ------------------------------------------------------------ */

/* Opens a document (UTF-8 path); password is tried as the owner password, or NULL. */
COLLIGO_EXPORT DocumentHandle COLLIGO_CALL OpenPDF(const char *path, const char *password);
/* The same with a UTF-16 path. */
COLLIGO_EXPORT DocumentHandle COLLIGO_CALL OpenPDFW(const ColligoWideChar *path, const char *password);
/* Page count of an open document; -1 for handle 0. */
COLLIGO_EXPORT int32_t COLLIGO_CALL GetPageCount(DocumentHandle handle);
/* Closes an open document: 0; -1 for handle 0. */
COLLIGO_EXPORT int32_t COLLIGO_CALL ClosePDF(DocumentHandle handle);

/* What a document holds besides its pages: a set of the COLLIGO_KEEP_ flags
 * below (outline, links, other annotations, form fields, page labels, tagged
 * structure, layers, metadata, document settings, attachments); -1 for
 * handle 0. */
COLLIGO_EXPORT int32_t COLLIGO_CALL GetNavigation(DocumentHandle handle);

/* The conformance a document declares in its XMP metadata, as UTF-8 text such
 * as "PDF/A-2b PDF/UA-1" (parts separated by one space; empty when it declares
 * none), cut to fit `capacity` bytes with its terminating NUL. Returns the
 * length of the whole text, or -1 for handle 0. */
COLLIGO_EXPORT int32_t COLLIGO_CALL GetConformance(DocumentHandle handle, char *text, int32_t capacity);

/* ---- Merge list ------------------------------------------------------------ */

/*
 * Page-range expression: comma-separated items, each a page number or two
 * numbers joined by "-" ("1,3,6-18"; "5-3" counts down; duplicates are kept).
 * Pages beyond the file's last page end that file's part of the merge.
 */

/* Appends a file (UTF-8 path) and its expression (NULL = empty) to the merge
 * list: 1; 0 when OpenPDF would refuse it without a password (GetLastFailure
 * tells why). Encrypted files that open without one are listed and merged
 * decrypted. The third argument is ignored (pass 0). */
COLLIGO_EXPORT int32_t COLLIGO_CALL AddFile(const char *path, const char *expression, int32_t reserved);
/* The same for the wide list, with a UTF-16 path of any length. */
COLLIGO_EXPORT int32_t COLLIGO_CALL AddFileW(const ColligoWideChar *path, const char *expression, int32_t reserved);
/* The page count of a file as AddFile would list it (the same check: 0 when
 * OpenPDF would refuse it without a password, GetLastFailure telling why).
 * What it learns is kept with the narrow list, so an AddFile of the same
 * unchanged file that follows reads nothing again: callers that list every
 * page ("1-N") count the pages this way instead of with OpenPDF. */
COLLIGO_EXPORT int32_t COLLIGO_CALL GetFilePageCount(const char *path);
/* The same for the wide list, with a UTF-16 path of any length. */
COLLIGO_EXPORT int32_t COLLIGO_CALL GetFilePageCountW(const ColligoWideChar *path);
/* Empties both lists, and forgets the files they checked: 1. */
COLLIGO_EXPORT int32_t COLLIGO_CALL ClearList(void);

/* ---- Merge ----------------------------------------------------------------- */

/*
 * Writes every entry of the narrow list (Colligo) or the wide list (ColligoW)
 * into a new file: 1 when all were merged; 0 for fewer than two entries or no
 * path (nothing happens, the list is kept), an output path naming a listed file
 * (nothing written), an output that cannot be created, a listed file that no
 * longer opens, a stop asked by the callback, or a page that could not be
 * copied in full. Whenever the output was created it is a complete PDF file of
 * the pages copied so far, and the list is emptied. The middle argument is
 * ignored (pass 0). ColligoW may rewrite the file-name part of `outputPath`
 * when that name cannot be created (see the README).
 */
COLLIGO_EXPORT int32_t COLLIGO_CALL Colligo(const char *outputPath, int32_t reserved, MergeProgressCallback callback);
COLLIGO_EXPORT int32_t COLLIGO_CALL ColligoW(ColligoWideChar *outputPath, int32_t reserved, MergeProgressCallback callback);

/* ---- Split by page ranges ---------------------------------------------------- */

/*
 * Copies the pages `expression` selects from `source` into `output`; with a
 * nonzero `rest`, every other page then goes into a second file named like
 * `output` less its last four characters plus "-2.PDF" (part.pdf -> part-2.PDF).
 * Result: 1 when the pass ran to its end, 0 when it could not run (no source,
 * empty expression, output not creatable, source unreadable or not allowing
 * changes, an output that is the source itself), otherwise the callback's last
 * answer (0 after a stop). With `rest` the result is the second pass's.
 * Callback in the first pass: (1, entries in the page list, page, position);
 * in the rest pass: (1, page count, running count, page).
 */
COLLIGO_EXPORT int32_t COLLIGO_CALL SplitPDF(const char *source, const char *expression, const char *output, int32_t rest,
                                             MergeProgressCallback callback);
COLLIGO_EXPORT int32_t COLLIGO_CALL SplitPDFW(const ColligoWideChar *source, const char *expression, ColligoWideChar *output,
                                              int32_t rest, MergeProgressCallback callback);

/* ---- Outline ----------------------------------------------------------------- */

/*
 * A host's tree for the outline listing. insertItem adds `title` (UTF-8) as the
 * last child of `parentItem` (NULL: a top-level item) with the given image
 * indexes (0 and 1), and returns the new item's handle, which becomes the
 * parent of that entry's children.
 */
typedef struct OutlineTreeSink {
    void *context;
    void *(*insertItem)(void *context, void *parentItem, const char *title, int image, int selectedImage);
} OutlineTreeSink;

/*
 * Lists the outline of an open document (into `sink` when it is not NULL).
 * Items without a go-to action within the document are left out with their
 * descendants. Result: the greatest depth reached (one more than the deepest
 * listed level; 1 when nothing qualifies), -3 without an outline, 0 when
 * `handle` is not a document. The third argument is ignored.
 */
COLLIGO_EXPORT int32_t COLLIGO_CALL GetOutline(DocumentHandle handle, const OutlineTreeSink *sink, int32_t reserved);

/*
 * The page (1-based) that entry `index` (0-based, in the order GetOutline
 * inserted them) of the latest listing of `handle` points to; 0 when it points
 * nowhere in the document, -1 for a bad handle or index. Valid while the
 * document stays open and until the next listing.
 */
COLLIGO_EXPORT int32_t COLLIGO_CALL GetOutlineEntryPage(DocumentHandle handle, int32_t index);

/*
 * Writes one file per outline entry of `level` (1 = top level) into `folder`:
 * "<A>-<B>.PDF" holds the pages from entry A's page up to entry B's, the last
 * entry's file "<Z>-end.PDF" runs to the end, and "start-<A>.PDF" holds the
 * pages before the first entry (a folder ending in '/' gives "-<A>.PDF",
 * "<A>-<B>.PDF" and "<Z>-.PDF"). Path separators and control characters of a
 * title become '_' in the file name. Result: 1, the callback's last answer
 * (0 after a stop), -3 without an outline, 0 when the source cannot be used,
 * the folder is empty, or the level is deeper than the outline.
 * Callback: (1, page count, page, position within the file).
 */
COLLIGO_EXPORT int32_t COLLIGO_CALL SplitWithOutline(const char *source, const char *folder, int32_t level, int32_t reserved,
                                                     MergeProgressCallback callback);
COLLIGO_EXPORT int32_t COLLIGO_CALL SplitWithOutlineW(const ColligoWideChar *source, const ColligoWideChar *folder, int32_t level,
                                                      int32_t reserved, MergeProgressCallback callback);

/* ---- Output options ------------------------------------------------------------ */

/* What a merge or split keeps besides the pages themselves. */
enum {
    COLLIGO_KEEP_OUTLINE = 0x01,     /* bookmarks */
    COLLIGO_KEEP_LINKS = 0x02,       /* links within the document and named destinations */
    COLLIGO_KEEP_ANNOTATIONS = 0x04, /* notes, highlights, stamps and every other annotation */
    COLLIGO_KEEP_FORMS = 0x08,       /* form fields and their widgets */
    COLLIGO_KEEP_PAGE_LABELS = 0x10, /* page numbering such as i, ii, 1, 2, A-1 */
    COLLIGO_KEEP_STRUCTURE = 0x20,   /* the tagged structure that screen readers read */
    COLLIGO_KEEP_LAYERS = 0x40,      /* optional content (layers) and their settings */
    COLLIGO_KEEP_METADATA = 0x80,    /* XMP metadata, document information, PDF/A and PDF/UA where they hold */
    COLLIGO_KEEP_SETTINGS = 0x100,   /* language, viewer preferences, page layout and mode, open action,
                                        page transitions and actions, article threads */
    COLLIGO_KEEP_ATTACHMENTS = 0x200, /* embedded files and document-level JavaScript */
    COLLIGO_KEEP_ALL = 0x3FF,
    /* How the output is written, never part of COLLIGO_KEEP_ALL. Without any of
     * them the output has the classic layout: a cross-reference table, every
     * object on its own. */
    COLLIGO_OUTPUT_COMPACT = 0x10000,   /* objects other than streams in compressed object streams, a
                                           compressed cross-reference stream, and objects that several
                                           sources hold (fonts, images, forms) written once. Written in
                                           the classic layout when the first listed file declares PDF/A-1,
                                           which forbids both kinds of stream */
    COLLIGO_OUTPUT_NO_DEDUPE = 0x20000, /* with COLLIGO_OUTPUT_COMPACT: every source's objects written
                                           separately, however alike */
    COLLIGO_OUTPUT_COMPRESS = 0x40000   /* flate-compress streams that the source left without a filter */
};

/*
 * Sets the output options of the next merge or split export call (Colligo,
 * ColligoW, SplitPDF, SplitPDFW, SplitWithOutline, SplitWithOutlineW; a split
 * with a rest file uses them for both files). That call consumes them: the
 * call after it writes pages only again, exactly as without this function.
 * `keep` is a set of COLLIGO_KEEP_ flags (COLLIGO_KEEP_ALL for everything),
 * with COLLIGO_OUTPUT_ flags for the layout;
 * a nonzero `bookmarkPerFile` adds one top-level bookmark per listed file
 * (its document title, else its file name) holding that file's bookmarks.
 * `title`, `subject`, `author` and `keywords` (UTF-8, or NULL to leave the
 * entry out) go into the output's document information. Returns 1.
 */
COLLIGO_EXPORT int32_t COLLIGO_CALL SetOutputOptions(uint32_t keep, int32_t bookmarkPerFile, const char *title,
                                                     const char *subject, const char *author, const char *keywords);

/* ---- Failure reasons --------------------------------------------------------- */

enum {
    COLLIGO_FAILURE_NONE = 0,              /* the last call succeeded */
    COLLIGO_FAILURE_ARGUMENTS = 1,         /* a path or expression missing, fewer than two listed files */
    COLLIGO_FAILURE_SOURCE_UNREADABLE = 2, /* a source file could not be opened (missing, damaged, not a PDF file) */
    COLLIGO_FAILURE_SOURCE_ENCRYPTED = 3,  /* a source file needs a password */
    COLLIGO_FAILURE_SOURCE_RESTRICTED = 4, /* a source file does not allow copying, printing or changing */
    COLLIGO_FAILURE_SOURCE_DAMAGED = 5,    /* a page could not be read or copied in full */
    COLLIGO_FAILURE_OUTPUT_UNWRITABLE = 6, /* the output file could not be created or written */
    COLLIGO_FAILURE_OUTPUT_IS_SOURCE = 7,  /* the output file is one of the sources */
    COLLIGO_FAILURE_STOPPED = 8,           /* the progress callback asked to stop */
    COLLIGO_FAILURE_NO_OUTLINE = 9,        /* the document has no outline, or not that many levels */
    COLLIGO_FAILURE_INTERNAL = 10          /* anything else (out of memory) */
};

/*
 * The reason why the latest AddFile, AddFileW, merge or split call failed:
 * one of the COLLIGO_FAILURE_ codes (COLLIGO_FAILURE_NONE after a success),
 * and, when `text` is not NULL and `capacity` is positive, an English sentence
 * in UTF-8 that names the file concerned, cut on a whole character to fit
 * `capacity` bytes with its terminating NUL.
 */
COLLIGO_EXPORT int32_t COLLIGO_CALL GetLastFailure(char *text, int32_t capacity);

#ifdef __cplusplus
}
#endif

#endif /* COLLIGO_H */
