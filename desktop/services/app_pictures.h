#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

// The program's own pictures, painted at run time so the sources carry no binary images.

// The tile of the MDI background when there is no "background.bmp": 238 x 157 pixels.
QPixmap BuiltInBackground();
// The tile in use: "background.bmp" (current folder, then beside the executable) when it loads,
// else the built-in one.
QPixmap BackgroundTile();

// Toolbar and menu icons by command id (New, Open, Save, Read, Write, Print, About); a null
// icon for other ids.
QIcon CommandIcon(int commandId);
// The close button of the navigation panel, 16 x 16.
QPixmap CloseButtonPixmap();
// The program's icon: "title.ico" (current folder, then beside the executable) when it loads,
// else the bundled one. `fromFile` tells which.
QIcon TitleIcon(bool* fromFile = nullptr);
QIcon BundledIcon();
// The bundled icon at one size: also the PNG icons of the installation (the SVG one in
// resources/linux draws the same radio).
QImage ProgramIconImage(int size);
