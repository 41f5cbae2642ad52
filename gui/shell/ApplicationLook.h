#pragma once
// One look for every window and box of the application. The skinned windows
// draw themselves; everything Qt draws (message boxes, file dialogs, combo
// boxes, check boxes, tabs, tooltips) takes Qt's Fusion style with the
// skin's colours, and push buttons take the skin's rounded faces.

class QApplication;

void ApplyApplicationLook(QApplication &application);
