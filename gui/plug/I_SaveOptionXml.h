#pragma once
// Interface of the option-store module "SaveOptionXml": values of an XML file
// by key path. A key path joins element names with a backslash, such as
// u"product\\version" for <product><version>...</version></product>.
// Texts are UTF-16 and zero-terminated.

#include "PlugRecords.h"

#include <cstdint>

namespace Plug {

class I_SaveOptionXml : public I_Plug
{
public:
    virtual bool IsReady() = 0;                                              // slot 3
    // Slot 4: reads the file; true when it was read. A failed load leaves the
    // store empty, so no value of an earlier file is handed out afterwards.
    virtual bool Load(const char16_t *path) = 0;
    virtual bool Save(const char16_t *path) = 0;                             // slot 5
    // Slot 6: the value, or an empty text when the key is missing; never null.
    // Owned by the module and valid until the next call on it.
    virtual const char16_t *GetText(const char16_t *key) = 0;
    virtual bool SetText(const char16_t *key, const char16_t *value) = 0;    // slot 7
    virtual bool SetNumber(const char16_t *key, std::int32_t value) = 0;     // slot 8
    virtual bool HasKey(const char16_t *key) = 0;                            // slot 9
    virtual bool RemoveKey(const char16_t *key) = 0;                         // slot 10
    virtual void Clear() = 0;                                                // slot 11
    // Slot 12: the value as a whole decimal number; 0 when the key is missing
    // or its text is not a number in the 32-bit range.
    virtual std::int32_t GetNumber(const char16_t *key) = 0;

protected:
    ~I_SaveOptionXml() = default;
};

inline constexpr const char *SaveOptionXmlModuleName = "SaveOptionXml";

} // namespace Plug
