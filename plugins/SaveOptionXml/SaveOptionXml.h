#pragma once
// The option-store module: an OptionDocument behind the module interface,
// which speaks UTF-16 and hands out texts it keeps itself.

#include "I_SaveOptionXml.h"
#include "OptionDocument.h"

#include <string>

class SaveOptionXml final : public Plug::I_SaveOptionXml
{
public:
    bool InitInstance() override;
    std::int32_t AddRef() override;
    void Release() override;

    bool IsReady() override;
    bool Load(const char16_t *path) override;
    bool Save(const char16_t *path) override;
    const char16_t *GetText(const char16_t *key) override;
    bool SetText(const char16_t *key, const char16_t *value) override;
    bool SetNumber(const char16_t *key, std::int32_t value) override;
    bool HasKey(const char16_t *key) override;
    bool RemoveKey(const char16_t *key) override;
    void Clear() override;
    std::int32_t GetNumber(const char16_t *key) override;

    static Plug::I_Plug *Create();

private:
    std::int32_t ReferenceCount = 1;
    OptionDocument Options;
    std::u16string LastText;   // the text GetText handed out last
};
