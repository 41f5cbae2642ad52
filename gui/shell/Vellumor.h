#pragma once
// The application module: its Run is the GUI application from start to end.

#include "I_Vellumor.h"

#include <functional>

class Vellumor final : public Plug::I_Vellumor
{
public:
    bool InitInstance() override;
    std::int32_t AddRef() override;
    void Release() override;
    bool IsReady() override;
    bool Run(Plug::IconHandle icon, const char *title) override;

    static Plug::I_Plug *Create();

private:
    std::int32_t ReferenceCount = 1;
};

// Runs `work`; an exception escaping it is shown in an error box (with an
// empty text when it carries no message) instead of leaving.
void ShowingExceptions(const std::function<void()> &work);
