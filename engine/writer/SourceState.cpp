#include "SourceState.h"

#include "DocumentParts.h"
#include "Navigation.h"
#include "Structure.h"
#include "reading/SourceDocument.h"

#include <PDFDoc.h>
#include <goo/GooString.h>
#include <XRef.h>

namespace colligo {

SourceState::SourceState(OutputFile &output, SourceDocument &document, const SourcePlan &plan)
    : document(document),
      copier(output, document),
      label(plan.label),
      output(output),
      firstCopy(static_cast<std::size_t>(document.pages().count()), 0),
      copies(firstCopy.size(), 0),
      planned(firstCopy.size(), false)
{
    for (int page : plan.pages)
        if (page >= 0 && page < document.pages().count())
            planned[static_cast<std::size_t>(page)] = true;
    XRef *xref = document.pdf().getXRef();
    catalogRef = { xref->getRootNum(), xref->getRootGen() };
    copier.setRedirect([this](Ref ref) { return redirect(ref); });
}

SourceState::~SourceState() = default;

int SourceState::pageNumberFor(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= firstCopy.size())
        return 0;
    auto i = static_cast<std::size_t>(index);
    if (firstCopy[i] == 0 && planned[i])
        firstCopy[i] = output.newObjectNumber(); // the page comes later
    return firstCopy[i];
}

int SourceState::pageObjectKey(int index) const
{
    Ref ref = document.pages().pageReference(index);
    return ref != Ref::INVALID() ? ref.num : -1 - index;
}

int SourceState::copiesOfPageObject(int index) const
{
    auto found = pageObjectCopies.find(pageObjectKey(index));
    return found == pageObjectCopies.end() ? 0 : found->second;
}

const std::string &SourceState::language()
{
    if (!languageText) {
        Object catalog = document.pdf().getXRef()->getCatalog();
        Object lang = catalog.isDict() ? catalog.dictLookup("Lang") : Object(objNull);
        TextBuffer text;
        if (lang.isString())
            appendString(text, lang.getString()->c_str(), lang.getString()->getLength());
        languageText = text.take();
    }
    return *languageText;
}

int SourceState::numberForCopy(int index)
{
    auto i = static_cast<std::size_t>(index);
    ++pageObjectCopies[pageObjectKey(index)];
    if (++copies[i] > 1)
        return output.newObjectNumber();
    if (firstCopy[i] == 0)
        firstCopy[i] = output.newObjectNumber();
    return firstCopy[i];
}

int SourceState::reserveNumber(Ref ref)
{
    int number = copier.map().find(ref);
    if (number == 0) {
        number = output.newObjectNumber();
        copier.map().set(ref, number);
    }
    return number;
}

// A page reached from inside another object (an annotation's /P, a link's
// destination) stands for the copy of that page, or for nothing when the
// output does not hold it; the rest of the page tree and the catalogue are
// never copied as plain objects, or one reference would pull in the whole
// document.
Redirect SourceState::redirect(Ref ref)
{
    const PageTree &pages = document.pages();
    if (int index = pages.indexOf(ref); index >= 0)
        return Redirect::to(pageNumberFor(index));
    if (pages.isTreeObject(ref) || ref == catalogRef)
        return Redirect::toNull();
    if (structure) {
        if (Redirect redirected = structure->redirect(ref); redirected.action != Redirect::copy)
            return redirected;
    }
    if (parts) {
        if (Redirect redirected = parts->redirect(ref); redirected.action != Redirect::copy)
            return redirected;
    }
    if (navigation)
        return navigation->redirect(ref);
    return {};
}

} // namespace colligo
