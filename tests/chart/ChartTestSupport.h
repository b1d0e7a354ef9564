#pragma once

// Shared pieces of the chart tests: a parent window that records what the
// chart posts to it, a shown chart inside it, and archive round trips.

#include "CArchive.h"
#include "CFile.h"
#include "CWnd.h"
#include "WindowClass.h"
#include "XGraph.h"

#include <QCoreApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <vector>

namespace charttest {

struct Posted
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// The chart's parent: keeps every message it gets.
class ParentWindow : public CWnd
{
public:
    std::vector<Posted> received;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        received.push_back({message, wParam, lParam});
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
    void DeliverPosted() { QCoreApplication::processEvents(); }
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

} // namespace charttest
