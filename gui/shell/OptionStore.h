#pragma once
// The option-store module, created through the module registry for as long as
// this object lives. Without the module every read gives an empty result.

#include "I_SaveOptionXml.h"

#include <QString>

class OptionStore
{
public:
    OptionStore();
    ~OptionStore();
    OptionStore(const OptionStore &) = delete;
    OptionStore &operator=(const OptionStore &) = delete;

    bool IsAvailable() const { return Module != nullptr; }
    bool Load(const QString &path);
    QString GetText(const QString &key);
    int GetNumber(const QString &key);

private:
    Plug::I_SaveOptionXml *Module;
};
