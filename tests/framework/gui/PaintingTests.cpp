// Painting through the backing image: invalidation, erasing with the class
// brush, synchronous updates, drawing outside a paint, XOR feedback, and the
// rectangle tracker that chart objects are moved and resized with.

#include "CBrush.h"
#include "CDC.h"
#include "CPen.h"
#include "CRectTracker.h"
#include "CWnd.h"
#include "Cursor.h"
#include "PersonInput.h"
#include "SystemMetrics.h"
#include "WindowClass.h"
#include "WindowDC.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

namespace {

QRgb Rgb(COLORREF colour)
{
    return qRgb(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

const CString& FacedClassName()
{
    static const CString name = [] {
        WNDCLASS windowClass;
        windowClass.style = CS_DBLCLKS;
        windowClass.hbrBackground = GetSysColorBrush(COLOR_3DFACE);
        windowClass.lpszClassName = "NolvexFacedTestWindow";
        RegisterClass(&windowClass);
        return windowClass.lpszClassName;
    }();
    return name;
}

// Fills what it paints with its colour and counts the messages.
class PaintingWindow : public CWnd
{
public:
    COLORREF colour = RGB(255, 0, 0);
    std::vector<UINT> messages;
    CRect lastPaintRect;
    BOOL lastErase = FALSE;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PAINT || message == WM_ERASEBKGND)
            messages.push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }

protected:
    void OnPaint() override
    {
        CPaintDC dc(this);
        lastPaintRect = dc.m_ps.rcPaint;
        lastErase = dc.m_ps.fErase;
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, colour);
    }
};

struct Shown
{
    PaintingWindow window;
    Shown()
    {
        EXPECT_TRUE(
            window.Create(FacedClassName(), "", WS_VISIBLE, CRect(0, 0, 60, 40), nullptr, 0));
        EXPECT_TRUE(PersonInput::ShowAndActivate(window));
        window.UpdateWindow();
        window.messages.clear();
    }
    QRgb At(int x, int y) { return window.GetBackingImage()->pixel(x, y); }
};

// The mouse at a point of a window, as a person moves it and lets go.
void SendMouse(CWnd& window, QEvent::Type type, QPoint at)
{
    PersonInput::Mouse(type, PersonInput::OnScreen(window, at));
}

} // namespace

TEST(PaintingTest, UpdateWindowErasesWithTheClassBrushThenPaintsAtOnce)
{
    class ErasingOnly : public PaintingWindow
    {
    protected:
        void OnPaint() override { CWnd::OnPaint(); }
    } window;
    ASSERT_TRUE(window.Create(FacedClassName(), "", WS_VISIBLE, CRect(0, 0, 30, 20), nullptr, 0));
    window.GetBackingImage()->fill(Qt::black);
    window.messages.clear();
    window.Invalidate();
    window.UpdateWindow();
    EXPECT_EQ(window.messages, (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}));
    EXPECT_EQ(window.GetBackingImage()->pixel(29, 19), Rgb(GetSysColor(COLOR_3DFACE)));
    // Painted and valid: nothing more to do.
    window.messages.clear();
    window.UpdateWindow();
    EXPECT_TRUE(window.messages.empty());
}

TEST(PaintingTest, APaintCoversOnlyWhatWasInvalidated)
{
    Shown shown;
    shown.window.colour = RGB(0, 0, 255);
    const CRect part(10, 5, 20, 15);
    shown.window.InvalidateRect(&part, FALSE);
    shown.window.UpdateWindow();
    EXPECT_EQ(shown.window.messages, (std::vector<UINT>{WM_PAINT}));
    EXPECT_EQ(shown.window.lastPaintRect, part);
    EXPECT_EQ(shown.At(10, 5), qRgb(0, 0, 255));
    EXPECT_EQ(shown.At(19, 14), qRgb(0, 0, 255));
    EXPECT_EQ(shown.At(20, 14), qRgb(255, 0, 0));
    EXPECT_EQ(shown.At(9, 5), qRgb(255, 0, 0));
}

TEST(PaintingTest, AValidatedAreaIsNotPainted)
{
    Shown shown;
    shown.window.Invalidate();
    shown.window.ValidateRect(nullptr);
    shown.window.UpdateWindow();
    EXPECT_TRUE(shown.window.messages.empty());

    const CRect a(0, 0, 10, 10);
    const CRect b(30, 0, 40, 10);
    shown.window.InvalidateRect(&a);
    shown.window.InvalidateRect(&b);
    shown.window.ValidateRect(&a);
    // Only b is painted.
    shown.window.UpdateWindow();
    EXPECT_EQ(shown.window.messages, (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}));
    EXPECT_EQ(shown.window.lastPaintRect, b);
}

TEST(PaintingTest, TheEventLoopPaintsAnInvalidatedShownWindow)
{
    Shown shown;
    shown.window.colour = RGB(0, 128, 0);
    shown.window.Invalidate(FALSE);
    for (int i = 0; i < 20 && shown.window.messages.empty(); ++i)
        QTest::qWait(10);
    EXPECT_EQ(shown.window.messages, (std::vector<UINT>{WM_PAINT}));
    EXPECT_EQ(shown.At(30, 20), qRgb(0, 128, 0));
}

TEST(PaintingTest, DrawingOutsideAPaintReachesTheImageAndXorTwiceErases)
{
    Shown shown;
    const QImage before = shown.window.GetBackingImage()->copy();
    const auto drawXorLine = [&] {
        CClientDC dc(&shown.window);
        CPen pen;
        pen.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
        CPen* old = dc.SelectObject(&pen);
        dc.SetROP2(R2_NOTXORPEN);
        dc.MoveTo(5, 10);
        dc.LineTo(50, 10);
        dc.SelectObject(old);
    };
    drawXorLine();
    // A black pen under R2_NOTXORPEN inverts what it covers, up to but not
    // including the end pixel.
    EXPECT_EQ(shown.At(5, 10), qRgb(0, 255, 255));
    EXPECT_NE(shown.At(49, 10), before.pixel(49, 10));
    EXPECT_EQ(shown.At(50, 10), before.pixel(50, 10));
    drawXorLine();
    EXPECT_EQ(*shown.window.GetBackingImage(), before);
}

TEST(PaintingTest, AClientDCCanDrawWhileAPaintIsUnderWay)
{
    class Overlaying : public PaintingWindow
    {
    protected:
        void OnPaint() override
        {
            CPaintDC dc(this);
            CRect client;
            GetClientRect(&client);
            dc.FillSolidRect(&client, RGB(255, 255, 0));
            CClientDC overlay(this);
            overlay.FillSolidRect(0, 0, 5, 5, RGB(0, 0, 0));
        }
    } window;
    ASSERT_TRUE(window.Create(FacedClassName(), "", WS_VISIBLE, CRect(0, 0, 30, 20), nullptr, 0));
    window.UpdateWindow();
    EXPECT_EQ(window.GetBackingImage()->pixel(2, 2), qRgb(0, 0, 0));
    EXPECT_EQ(window.GetBackingImage()->pixel(10, 10), qRgb(255, 255, 0));
}

TEST(RectTrackerTest, HandlesLieOutsideWhenResizingOutside)
{
    const CRect rect(20, 20, 60, 50);
    CRectTracker tracker(&rect, CRectTracker::resizeOutside | CRectTracker::hatchedBorder);
    EXPECT_EQ(tracker.HitTest(CPoint(17, 17)), CRectTracker::hitTopLeft);
    EXPECT_EQ(tracker.HitTest(CPoint(61, 51)), CRectTracker::hitBottomRight);
    // The border between the handles counts as the inside.
    EXPECT_EQ(tracker.HitTest(CPoint(61, 21)), CRectTracker::hitMiddle);
    EXPECT_EQ(tracker.HitTest(CPoint(39, 17)), CRectTracker::hitTop);
    EXPECT_EQ(tracker.HitTest(CPoint(62, 34)), CRectTracker::hitRight);
    EXPECT_EQ(tracker.HitTest(CPoint(40, 35)), CRectTracker::hitMiddle);
    EXPECT_EQ(tracker.HitTest(CPoint(5, 5)), CRectTracker::hitNothing);
    CRect whole;
    tracker.GetTrueRect(&whole);
    EXPECT_EQ(whole, CRect(16, 16, 64, 54));
}

TEST(RectTrackerTest, DrawsTheHatchedBorderAndHandlesAroundTheRectangle)
{
    QImage image(80, 80, QImage::Format_RGB32);
    image.fill(Qt::white);
    CDC dc;
    ASSERT_TRUE(dc.BeginPainting(&image));
    const CRect rect(20, 20, 60, 50);
    CRectTracker tracker(&rect, CRectTracker::resizeOutside | CRectTracker::hatchedBorder);
    tracker.Draw(&dc);
    dc.EndPainting();
    // A corner handle is solid black outside the rectangle.
    EXPECT_EQ(image.pixel(16, 16), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(19, 19), qRgb(0, 0, 0));
    // The border strip holds hatching: some black, some white.
    int black = 0;
    for (int x = 24; x < 56; ++x)
        black += image.pixel(x, 18) == qRgb(0, 0, 0) ? 1 : 0;
    EXPECT_GT(black, 0);
    EXPECT_LT(black, 32);
    // The inside stays untouched.
    for (int y = 20; y < 50; ++y)
        for (int x = 20; x < 60; ++x)
            ASSERT_EQ(image.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
}

TEST(RectTrackerTest, TrackingMovesOrResizesAndLeavesNoFeedbackBehind)
{
    Shown shown;
    const QImage before = shown.window.GetBackingImage()->copy();
    const CRect rect(10, 10, 30, 30);
    CRectTracker tracker(&rect, CRectTracker::resizeOutside);

    // Grab the middle at (20, 20), move by (5, 3) and let go.
    SendMouse(shown.window, QEvent::MouseButtonPress, QPoint(20, 20));
    QTimer::singleShot(0, [&] {
        SendMouse(shown.window, QEvent::MouseMove, QPoint(25, 23));
        SendMouse(shown.window, QEvent::MouseButtonRelease, QPoint(25, 23));
    });
    EXPECT_TRUE(tracker.Track(&shown.window, CPoint(20, 20)));
    EXPECT_EQ(tracker.m_rect, CRect(15, 13, 35, 33));
    EXPECT_EQ(*shown.window.GetBackingImage(), before);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);

    // Drag the bottom-right handle.
    SendMouse(shown.window, QEvent::MouseButtonPress, QPoint(36, 34));
    QTimer::singleShot(
        0, [&] { SendMouse(shown.window, QEvent::MouseButtonRelease, QPoint(45, 40)); });
    EXPECT_TRUE(tracker.Track(&shown.window, CPoint(36, 34)));
    EXPECT_EQ(tracker.m_rect, CRect(15, 13, 44, 39));
}

TEST(RectTrackerTest, EscapeCancelsTheDrag)
{
    Shown shown;
    const CRect rect(10, 10, 30, 30);
    CRectTracker tracker(&rect, CRectTracker::resizeOutside);
    SendMouse(shown.window, QEvent::MouseButtonPress, QPoint(20, 20));
    QTimer::singleShot(0, [&] {
        SendMouse(shown.window, QEvent::MouseMove, QPoint(40, 30));
        PersonInput::Key(Qt::Key_Escape);
    });
    EXPECT_FALSE(tracker.Track(&shown.window, CPoint(20, 20)));
    SendMouse(shown.window, QEvent::MouseButtonRelease, QPoint(40, 30));
    EXPECT_EQ(tracker.m_rect, rect);
}

TEST(RectTrackerTest, TheCursorFollowsTheHandleUnderTheMouse)
{
    Shown shown;
    const CRect rect(10, 10, 30, 30);
    CRectTracker tracker(&rect, CRectTracker::resizeOutside);
    SendMouse(shown.window, QEvent::MouseMove, QPoint(8, 8));
    EXPECT_TRUE(tracker.SetCursor(&shown.window, HTCLIENT));
    EXPECT_EQ(PersonInput::ShownCursor(shown.window), Qt::SizeFDiagCursor);
    SendMouse(shown.window, QEvent::MouseMove, QPoint(20, 20));
    EXPECT_TRUE(tracker.SetCursor(&shown.window, HTCLIENT));
    EXPECT_EQ(PersonInput::ShownCursor(shown.window), Qt::SizeAllCursor);
    SendMouse(shown.window, QEvent::MouseMove, QPoint(50, 35));
    EXPECT_FALSE(tracker.SetCursor(&shown.window, HTCLIENT));
    EXPECT_FALSE(tracker.SetCursor(&shown.window, 0));
}
