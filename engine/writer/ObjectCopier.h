// Copies objects of one source document into the output: the one map from
// source objects to output numbers, and the one copier that follows it.
//
// Every indirect dictionary, stream and array that holds references is
// copied at most once per output, whichever page, resource, form, pattern,
// font or annotation reaches it; later meetings refer to the first copy, so
// cycles end in references and shared resources stay shared. Direct
// dictionaries and arrays of more than 200 elements become objects of their
// own where they stand; other values are written in place. Objects are
// numbered when first met and queued when complete, so contained objects
// come before their containers; past a nesting depth, new objects are
// numbered at once but copied afterwards, which keeps the stack flat on
// hostile chains. Stream data is copied as stored, never decoded.
//
// With sharing (the compact layout), an object is numbered once its content
// is complete, so that an object the same as one written before, from this
// source or another, takes that one's number (OutputFile::placeObject). An
// object met again while its own content is being written (a cycle) takes
// its number at that moment and is written under it, never replaced.
#pragma once

#include "OutputFile.h"
#include "TextBuffer.h"

#include <Object.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <unordered_map>
#include <vector>

class Dict;
class Array;
class Stream;

namespace colligo {

class SourceDocument;
struct StoredExtent;

// Which output number each source object of one document got.
class ObjectMap
{
public:
    // 0 when the object has no number yet.
    int find(Ref ref) const;
    void set(Ref ref, int number);

private:
    struct Entry
    {
        int number = 0;
        int generation = 0;
    };
    std::vector<Entry> entries; // by source object number
};

// What to do with a reference the map does not hold yet. Pages, page-tree
// nodes and the parts a navigation writer writes itself are not copied as
// plain objects.
struct Redirect
{
    enum Action { copy, writeNull, referTo } action = copy;
    int number = 0;

    static Redirect toNull() { return { writeNull, 0 }; }
    static Redirect to(int number) { return number > 0 ? Redirect { referTo, number } : toNull(); }
};

class ObjectCopier
{
public:
    ObjectCopier(OutputFile &output, SourceDocument &source);

    // Decides the references the map does not hold (see Redirect).
    void setRedirect(std::function<Redirect(Ref)> redirect) { redirectFunction = std::move(redirect); }

    // A faithful copy writes direct dictionaries in place, as the source has
    // them (some readers do not follow a reference where they expect a
    // dictionary, such as an appearance's state dictionary), and ends every
    // stream's data with a line end before "endstream" (ISO 19005 asks it).
    void setFaithful(bool faithful) { faithfulCopy = faithful; }

    // Numbers objects after their content, so that duplicates are written once.
    void setSharing(bool on) { sharing = on; }
    // Flate-compresses the bytes of streams that have no /Filter (the
    // content is unchanged; nothing is decoded).
    void setCompression(bool on) { compressing = on; }

    // Lets a part of the output write a dictionary entry itself: called with
    // the source object being copied (Ref::INVALID() for a direct one), each
    // entry's key and unresolved value; returns true when it appended the
    // entry to the text (or chose to leave it out).
    using EntryHook = std::function<bool(Ref owner, const char *key, const Object &unresolved, TextBuffer &text)>;
    void setEntryHook(EntryHook hook) { entryHook = std::move(hook); }

    // Numbers that stand in for source objects ahead of the map, while one copy
    // of a page's annotations is written (a page copied twice gets
    // annotations of its own); null for none.
    void setOverlay(const std::unordered_map<int, int> *overlay) { overlayMap = overlay; }

    // Appends the text of a value as it stands in a container (a reference or
    // a direct value): in place, or as a reference to its copy.
    void copyValue(const Object &unresolved, TextBuffer &buffer);
    // "/key" and the value, as a dictionary entry.
    void copyEntry(const char *key, const Object &unresolved, TextBuffer &buffer);
    // The output number of the object `ref`, copying it when it has none yet;
    // 0 when it is nothing worth an object (a null, a dangling reference).
    int copyObject(Ref ref);
    // Copies the source object `ref` under a number handed out earlier.
    void copyObjectAs(Ref ref, int number);
    // Copies a direct dictionary as an object of its own under `number`.
    void copyDictionaryAs(const Dict *dict, int number);

    // Copies the objects that were set aside at the nesting limit and writes
    // out the queue; call only when no object is being written piece by piece.
    void copyDeferredObjects();

    // Whether anything since the last call could not be copied in full (its
    // object is left out and references to it read as null); resets the flag.
    bool takeDamage();

    ObjectMap &map() { return objectMap; }
    SourceDocument &document() { return source; }

private:
    void copyReference(Ref ref, TextBuffer &buffer);
    void copyDirect(const Object &value, TextBuffer &buffer);
    void copyArrayElements(const Array *array, TextBuffer &buffer);
    void copyEntries(const Dict *dict, TextBuffer &buffer);
    int copyNewObject(const Object &value, Ref ref);
    int placeNewObject(const Object &value, Ref ref);
    int copyDirectObject(const Object &value);
    int numberInProgress(Ref ref);
    void writeObject(const Object &value, int number);
    bool makeBody(const Object &value, ObjectBody &body);
    ObjectBody arrayBody(const Array *array);
    ObjectBody dictionaryBody(const Dict *dict);
    bool streamBody(Stream *stream, ObjectBody &body);
    void copyStreamEntries(Dict *dict, std::int64_t length, bool rewriteLength, bool flate, TextBuffer &text);
    bool recompress(const StoredExtent &extent, std::string &data);
    void defer(Ref ref, int number);

    OutputFile &output;
    SourceDocument &source;
    ObjectMap objectMap;
    std::function<Redirect(Ref)> redirectFunction;
    EntryHook entryHook;
    Ref owner = Ref::INVALID(); // the source object whose copy is being written
    bool faithfulCopy = false;
    bool sharing = false;
    bool compressing = false;
    // Objects whose content is being written (sharing): source number ->
    // generation and the number a cycle made it take (0: none yet).
    std::unordered_map<int, std::pair<int, int>> inProgress;
    const std::unordered_map<int, int> *overlayMap = nullptr;
    int depth = 0;
    std::deque<std::pair<Ref, int>> deferred;
    bool damaged = false;
};

// Which entries of a dictionary readers take: of a key that appears twice,
// the last occurrence (as poppler and qpdf read it). Writing the others
// would make the output's dictionaries ambiguous.
std::vector<bool> effectiveEntries(const Dict *dict);

// Text of values as the writer spells them.
void appendName(TextBuffer &buffer, const char *name);
void appendString(TextBuffer &buffer, const char *bytes, int length);
// A text string from UTF-8: "(..)" for printable ASCII, else UTF-16 with its
// byte-order mark, as "<FEFF..>".
void appendTextString(TextBuffer &buffer, const std::string &utf8);
// " n 0 R" and a line feed, for an object that is new where it is referred to.
void appendNewReference(TextBuffer &buffer, int number);
// " n 0 R", for an object that was numbered before.
void appendReference(TextBuffer &buffer, int number);

} // namespace colligo
