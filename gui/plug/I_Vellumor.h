#pragma once
// Interface of the application module "Vellumor", as the launcher calls it.

#include "PlugRecords.h"

namespace Plug {

// The application icon: the path (UTF-8) of an image file, or null for none.
using IconHandle = const char *;

class I_Vellumor : public I_Plug
{
public:
    virtual bool IsReady() = 0;                                  // slot 3
    // Slot 4: runs the whole GUI application until its main window closes.
    // The title is UTF-8 text. Returns true in every case.
    virtual bool Run(IconHandle icon, const char *title) = 0;

protected:
    ~I_Vellumor() = default;
};

inline constexpr const char *VellumorModuleName = "Vellumor";

} // namespace Plug
