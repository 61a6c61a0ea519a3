#pragma once

#include <QString>

#include "core/formats/channel_import.h"

class CProgramView;

// After the preview of File > Import Channels was accepted: the import becomes one step of the
// view's document's undo stack and the grid shows where it landed, the first changed channel
// current, selected and scrolled into view. Undoing the step puts the selection back where it
// was before the import. Returns the status-bar line ("Imported 14 channels into 100-113"),
// empty when nothing changed.
QString LandImport(CProgramView& view, const radio::ImportResult& result);

// That line, from what the import did.
QString ImportedText(const radio::ImportResult& result);
