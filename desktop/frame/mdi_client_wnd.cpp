#include "desktop/frame/mdi_client_wnd.h"

#include <QBrush>

#include "desktop/services/app_pictures.h"

CMDIClientWnd::CMDIClientWnd(QWidget* parent) : QMdiArea(parent), m_tile(BackgroundTile()) {
    // A texture brush repeats from the viewport's origin, so every resize tiles anew from the
    // top-left corner. The picture is read once, at start-up.
    setBackground(QBrush(m_tile));
}
