#pragma once

class QWidget;

// Control ids: widgets that stand for a control of the program's dialogs carry the id in
// this property, which is also their help context (AppContext::ShowHelp opens the page there).
inline constexpr const char* kControlIdProperty = "controlId";
void SetControlId(QWidget* widget, int id);
// The id of `widget` or of the nearest ancestor that has one; 0 when none has.
int ControlIdOf(const QWidget* widget);
