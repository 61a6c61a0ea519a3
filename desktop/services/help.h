#pragma once

#include <QString>
#include <QUrl>

class QWidget;

// Help pages of the display language ("enHelp.html" / "chHelp.html" beside the executable),
// opened at the anchor of a numeric context: a command id or a control id. Context 0 opens
// the page at its top.
QString HelpFilePath();  // empty when the page of the language is missing
QUrl HelpUrl(int context);
void ShowHelp(int context);  // a missing help page does nothing

// Control ids: widgets that stand for a control of the program's dialogs carry the id in
// this property, which is also their help context.
inline constexpr const char* kControlIdProperty = "controlId";
void SetControlId(QWidget* widget, int id);
// The id of `widget` or of the nearest ancestor that has one; 0 when none has.
int ControlIdOf(const QWidget* widget);

// F1 in `dialog` shows help at the id of the focused control, or at `fixedContext` when that
// is not 0 (dialogs that have one page, whatever has the focus).
void InstallDialogHelp(QWidget* dialog, int fixedContext = 0);
