#pragma once

#include "CMDIFrameWnd.h"

#include <QImage>

#include <vector>

// The main frame's toolbar in true colour: its normal, hot and disabled
// images come from three bitmaps of the buttons side by side, each masked
// by the colour of its first pixel.
class CTrueColorToolBar
{
public:
    static constexpr UINT kId = 0xE800;

    // The buttons of the commands, with the images of as many bitmaps as
    // could be read (a bitmap that fails stops the later ones).
    static std::vector<ToolbarButton> Buttons(const std::vector<UINT>& commands,
                                              const std::vector<QImage>& bitmaps, int width);
    static void Load(CMDIFrameWnd* frame);
};
