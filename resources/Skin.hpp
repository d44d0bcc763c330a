#pragma once
// The program's one skin: the Fusion style dressed by skin.qss (compiled in),
// a light palette that matches it, and the window font of the window data
// ("MS Shell Dlg 2", 11 px) as the application's default font.
//
// Controls ask for a skin section through the dynamic property "skinSection"
// (FORM, BUTTON, BUTTON_HUGE, PANEL, EDIT, COMBOBOX, CHECKBOX, LABEL, ICOLINE);
// see skin.qss. Set the property before the control is first shown, or call
// RefreshSkin on it afterwards.

#include <QString>

class QApplication;
class QWidget;

namespace quoddle {

// Applies the skin to the whole application. Call once, after the QApplication
// exists and before the first window is created.
void ApplySkin(QApplication& application);

// The style sheet text (for tests and tools).
QString SkinStyleSheet();

// Re-reads a control's skin after its skinSection changed while shown.
void RefreshSkin(QWidget* widget);

} // namespace quoddle
