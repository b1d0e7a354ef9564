#pragma once

// Shared pieces of the chart tests: a parent window that records what the
// chart posts to it, a shown chart inside it, and archive round trips.

#include "CArchive.h"
#include "CFile.h"
#include "CMemFile.h"
#include "CWnd.h"
#include "DCEx.h"
#include "PersonInput.h"
#include "WindowClass.h"
#include "XGraph.h"

#include <QApplication>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace charttest {

struct Posted
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// The chart's parent: keeps every message it gets, and a copy of every
// cursor record.
class ParentWindow : public CWnd
{
public:
    std::vector<Posted> received;
    std::vector<CursorNotify> cursorNotes;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        received.push_back({message, wParam, lParam});
        if (message == WM_NOTIFY &&
            reinterpret_cast<const NMHDR*>(lParam)->code == XGN_CURSOR_MOVED)
            cursorNotes.push_back(*reinterpret_cast<const CursorNotify*>(lParam));
        return CWnd::WindowProc(message, wParam, lParam);
    }
    int Count(UINT message) const
    {
        int count = 0;
        for (const Posted& entry : received)
            count += entry.message == message ? 1 : 0;
        return count;
    }
};

// A chart of a given size shown in a parent window.
struct ShownChart
{
    ParentWindow parent;
    CXGraph chart;

    explicit ShownChart(int width = 400, int height = 300)
    {
        EXPECT_TRUE(parent.Create(AfxRegisterWndClass(0), "", WS_VISIBLE,
                                  CRect(0, 0, width, height), nullptr, 0));
        EXPECT_TRUE(chart.Create(CXGraph::kClassName, "", WS_CHILD | WS_VISIBLE,
                                 CRect(0, 0, width, height), &parent, 100));
        EXPECT_TRUE(PersonInput::ShowAndActivate(parent));
        chart.SetFocus();
    }
    // Paints now and returns the window's picture.
    const QImage& Paint()
    {
        chart.Invalidate();
        chart.UpdateWindow();
        return *chart.GetBackingImage();
    }
    COLORREF At(int x, int y)
    {
        const QRgb pixel = chart.GetBackingImage()->pixel(x, y);
        return RGB(qRed(pixel), qGreen(pixel), qBlue(pixel));
    }
    void DeliverPosted()
    {
        QApplication::sendPostedEvents();
        QApplication::processEvents();
    }

    // What a user's hand does: at a point of the chart on the screen, going
    // where Qt routes it there (the chart, or whatever holds the mouse).
    void Mouse(QEvent::Type type, CPoint at, Qt::MouseButton button, Qt::MouseButtons,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        PersonInput::Mouse(type, PersonInput::OnScreen(chart, QPoint(at.x, at.y)), button,
                           modifiers);
    }
    void Press(CPoint at) { Mouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton); }
    void Drag(CPoint at) { Mouse(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton); }
    void Release(CPoint at) { Mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton); }
    void Move(CPoint at) { Mouse(QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton); }
    // A press on an object with its tracker shown starts the tracker's
    // modal drag; the hand lets go there once the drag runs.
    void PressTracked(CPoint at)
    {
        QTimer::singleShot(0, [this, at] { Release(at); });
        Press(at);
    }
    void Click(CPoint at)
    {
        Press(at);
        Release(at);
    }
    void RightClick(CPoint at)
    {
        Mouse(QEvent::MouseButtonPress, at, Qt::RightButton, Qt::RightButton);
        Mouse(QEvent::MouseButtonRelease, at, Qt::RightButton, Qt::NoButton);
    }
    void DoubleClick(CPoint at)
    {
        Mouse(QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
    }
    void Wheel(CPoint at, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        PersonInput::Wheel(PersonInput::OnScreen(chart, QPoint(at.x, at.y)), delta / 120,
                           modifiers);
    }
    // A key, to whatever has the keyboard (the chart, as the tests give it
    // the focus).
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        PersonInput::Key(key, modifiers);
    }
};

// Stores an object and loads it into another.
template <typename T> void RoundTrip(T& original, T& loaded)
{
    CMemFile file;
    {
        CArchive store(&file, CArchive::store);
        original.Serialize(store);
        store.Close();
    }
    CMemFile input(file.Bytes());
    CArchive load(&input, CArchive::load);
    loaded.Serialize(load);
}

template <typename T> std::vector<BYTE> Stored(T& object)
{
    CMemFile file;
    CArchive store(&file, CArchive::store);
    object.Serialize(store);
    store.Close();
    return file.Bytes();
}

// Points on a straight line from (x0, y0) by (dx, dy).
inline std::vector<DataPoint> Line(int count, double x0, double dx, double y0, double dy)
{
    std::vector<DataPoint> points(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        points[static_cast<std::size_t>(i)] = {x0 + i * dx, y0 + i * dy};
    return points;
}

// A chart with one series from (0, 0) to (100, 10) on fixed ranges, without
// legend, grid or auto-scaling, so that pixels can be worked out.
struct PlainChart : ShownChart
{
    std::vector<DataPoint> points = Line(101, 0, 1, 0, 0.1);
    PlainChart()
    {
        chart.ShowLegend(false);
        chart.SetSeriesData(points.data(), 101, 0, 0, 0, false);
        for (CXGraphAxis* axis : {&chart.XAxisAt(0), &chart.YAxisAt(0)}) {
            axis->m_autoScale = false;
            axis->m_grid = false;
        }
        chart.XAxisAt(0).SetViewRange(0, 100, 10);
        chart.YAxisAt(0).SetViewRange(0, 10, 1);
    }
};

// Lays an axis out by hand on a chart without a window: the plot from
// (50, 10) to (450, 310), the axis along its left or bottom edge, labels to
// the left.
inline void LayOutAxis(CXGraph& graph, CXGraphAxis& axis, int orientation)
{
    graph.SetPlotRect(CRect(50, 10, 450, 310));
    axis.m_graph = &graph;
    axis.m_orientation = orientation;
    axis.m_length = 400;
    axis.m_originX = 49;
    axis.m_originY = 310;
    axis.m_farEdge = 10;
    axis.m_placement = CXGraphAxis::placementLeft;
}

// A white 500 x 360 image with a chart drawing context on it.
struct AxisCanvas
{
    QImage image{500, 360, QImage::Format_RGB32};
    CDCEx dc;
    AxisCanvas()
    {
        image.fill(Qt::white);
        EXPECT_TRUE(dc.BeginPainting(&image));
    }
    bool Inked(const QRect& box) const
    {
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                if (image.pixel(x, y) != 0xFFFFFFFF)
                    return true;
        return false;
    }
    COLORREF At(int x, int y) const
    {
        const QRgb pixel = image.pixel(x, y);
        return RGB(qRed(pixel), qGreen(pixel), qBlue(pixel));
    }
};

} // namespace charttest
