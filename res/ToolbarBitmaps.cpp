// The toolbar's bitmaps: the nine 40 x 34 buttons side by side (open, save,
// save as, print, add metric, remove metric, zoom in, zoom out, cut
// selection), normal, hot and disabled, kept as pictures among the
// program's resources. The first pixel of each is the transparent colour.

#include "Resources.h"

namespace Resources {

QImage ToolbarBitmap(UINT id)
{
    switch (id) {
    case IDB_TOOLBAR_NORMAL:
        return QImage(":/res/toolbar-normal.png");
    case IDB_TOOLBAR_HOT:
        return QImage(":/res/toolbar-hot.png");
    case IDB_TOOLBAR_DISABLED:
        return QImage(":/res/toolbar-disabled.png");
    default:
        return {};
    }
}

} // namespace Resources
