#include "SaveOptionXml.h"

#include <QString>

namespace {

// Null texts from a caller are read as empty ones.
std::string Utf8(const char16_t *text)
{
    return text ? QString::fromUtf16(text).toStdString() : std::string();
}

} // namespace

Plug::I_Plug *SaveOptionXml::Create()
{
    return new SaveOptionXml;
}

bool SaveOptionXml::InitInstance()
{
    return true;
}

std::int32_t SaveOptionXml::AddRef()
{
    return ++ReferenceCount;
}

void SaveOptionXml::Release()
{
    if (--ReferenceCount == 0)
        delete this;
}

bool SaveOptionXml::IsReady()
{
    return true;
}

bool SaveOptionXml::Load(const char16_t *path)
{
    return Options.Load(Utf8(path));
}

bool SaveOptionXml::Save(const char16_t *path)
{
    return Options.Save(Utf8(path));
}

const char16_t *SaveOptionXml::GetText(const char16_t *key)
{
    LastText = QString::fromStdString(Options.Text(Utf8(key)).value_or(std::string())).toStdU16String();
    return LastText.c_str();
}

bool SaveOptionXml::SetText(const char16_t *key, const char16_t *value)
{
    return Options.SetText(Utf8(key), Utf8(value));
}

bool SaveOptionXml::SetNumber(const char16_t *key, std::int32_t value)
{
    return Options.SetText(Utf8(key), QString::number(value).toStdString());
}

bool SaveOptionXml::HasKey(const char16_t *key)
{
    return Options.Text(Utf8(key)).has_value();
}

bool SaveOptionXml::RemoveKey(const char16_t *key)
{
    return Options.Remove(Utf8(key));
}

void SaveOptionXml::Clear()
{
    Options.Clear();
}

std::int32_t SaveOptionXml::GetNumber(const char16_t *key)
{
    const std::optional<std::string> text = Options.Text(Utf8(key));
    return text ? ParseWholeNumber(*text).value_or(0) : 0;
}
