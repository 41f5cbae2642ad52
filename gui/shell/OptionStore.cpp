#include "OptionStore.h"

#include "PlugRegistry.h"

OptionStore::OptionStore()
    : Module(static_cast<Plug::I_SaveOptionXml *>(Plug::CreateModule(Plug::SaveOptionXmlModuleName)))
{
}

OptionStore::~OptionStore()
{
    if (Module)
        Module->Release();
}

bool OptionStore::Load(const QString &path)
{
    return Module && Module->Load(path.toStdU16String().c_str());
}

QString OptionStore::GetText(const QString &key)
{
    if (!Module)
        return QString();
    // The module keeps the text only until its next call: copy it at once.
    const char16_t *text = Module->GetText(key.toStdU16String().c_str());
    return text ? QString::fromUtf16(text) : QString();
}

int OptionStore::GetNumber(const QString &key)
{
    return Module ? Module->GetNumber(key.toStdU16String().c_str()) : 0;
}
