#pragma once

#include "Types.h"

#include <array>

class CDCEx;

// The eight symbols of series, legend samples and measure arrows. (x, y) is
// the top-left corner of a size x size cell in screen pixels; the fill flag
// is passed by every caller as 0 and not used.
using SymbolProcedure = void (*)(int x, int y, int size, COLORREF colour, int fill, CDCEx* dc);

void DrawSymbolSquare(int x, int y, int size, COLORREF colour, int fill, CDCEx* dc);
void DrawSymbolCircle(int x, int y, int size, COLORREF colour, int fill, CDCEx* dc);
void DrawSymbolCross(int x, int y, int size, COLORREF colour, int fill, CDCEx* dc);
void DrawSymbolDiamond(int x, int y, int size, COLORREF colour, int fill, CDCEx* dc);
void DrawSymbolTriangleLeft(int x, int y, int size, COLORREF colour, int fill, CDCEx* dc);
void DrawSymbolTriangleUp(int x, int y, int size, COLORREF colour, int fill, CDCEx* dc);
void DrawSymbolTriangleRight(int x, int y, int size, COLORREF colour, int fill, CDCEx* dc);
void DrawSymbolTriangleDown(int x, int y, int size, COLORREF colour, int fill, CDCEx* dc);

// Indexed by the symbol number 0 to 7.
extern const std::array<SymbolProcedure, 8> kSymbolProcedures;
