#pragma once

class CDC;
class CWnd;

// The default processing of WM_PAINT: begins and ends a paint, which leaves
// the window valid.
void PaintWithDefaultHandling(CWnd* window);
// The default processing of WM_ERASEBKGND: fills the area being painted with
// the class's background brush; false when the class has none.
bool EraseWithClassBrush(CWnd* window, CDC* dc);
