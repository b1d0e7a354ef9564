// gdi-gallery: draws what the chart draws with into a PNG file, so that
// anyone can look at the drawing layer: the eight series symbols, the pen
// styles, the hatch brushes, text alignments and a rotated text.

#include "BrushSelector.h"
#include "DCEx.h"
#include "PenSelector.h"
#include "QuickFont.h"
#include "SymbolShapes.h"

#include <QGuiApplication>
#include <QImage>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void Caption(CDCEx& dc, int x, int y, const char* text)
{
    CQuickFont font("Arial", -13, FW_BOLD);
    CFont* old = dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 0));
    dc.TextOut(x, y, text);
    dc.SelectObject(old);
}

void DrawGallery(CDCEx& dc)
{
    const CRect page(0, 0, 720, 540);
    dc.FillSolidRect(&page, RGB(255, 255, 255));

    Caption(dc, 10, 10, "Symbols 0 to 7");
    const COLORREF colours[] = {RGB(128, 0, 0),   RGB(255, 0, 0),   RGB(0, 128, 0),
                                RGB(0, 0, 255),   RGB(0, 128, 128), RGB(128, 0, 128),
                                RGB(255, 128, 0), RGB(0, 0, 128)};
    for (int n = 0; n < 8; ++n) {
        kSymbolProcedures[static_cast<std::size_t>(n)](20 + n * 40, 34, 16, colours[n], 0, &dc);
        kSymbolProcedures[static_cast<std::size_t>(n)](24 + n * 40, 60, 8, colours[n], 0, &dc);
    }

    Caption(dc, 10, 90, "Pens: solid, dash, dot, dash-dot, dash-dot-dot; widths 1, 2, 4");
    const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT};
    for (int s = 0; s < 5; ++s) {
        CPenSelector pen(&dc, RGB(0, 0, 160), 1, styles[s]);
        dc.MoveTo(20, 116 + s * 10);
        dc.LineTo(340, 116 + s * 10);
    }
    for (int w = 0; w < 3; ++w) {
        CPenSelector pen(&dc, RGB(160, 0, 0), 1 << w, PS_SOLID);
        dc.MoveTo(380, 116 + w * 16);
        dc.LineTo(700, 116 + w * 16);
    }

    Caption(dc, 10, 176,
            "Hatch brushes: horizontal, vertical, forward, backward, cross, diagonal cross");
    for (int h = HS_HORIZONTAL; h <= HS_DIAGCROSS; ++h) {
        CBrushSelector brush(&dc, h, RGB(0, 100, 0));
        CPenSelector pen(&dc, RGB(0, 0, 0));
        dc.SetBkMode(h % 2 == 0 ? OPAQUE : TRANSPARENT);
        dc.SetBkColor(RGB(255, 255, 200));
        dc.Rectangle(20 + h * 70, 200, 80 + h * 70, 250);
    }

    Caption(dc, 10, 266, "DrawText: left/centre/right, top/vcentre/bottom, word break, ellipsis");
    CQuickFont text("Arial", -13, FW_NORMAL);
    CFont* oldFont = dc.SelectObject(&text);
    dc.SetBkMode(TRANSPARENT);
    const UINT horizontal[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    const UINT vertical[] = {DT_TOP, DT_VCENTER, DT_BOTTOM};
    for (int i = 0; i < 3; ++i) {
        CRect box(20 + i * 110, 290, 120 + i * 110, 350);
        dc.Draw3dRect(&box, RGB(160, 160, 160), RGB(160, 160, 160));
        dc.DrawText("Leq 94.0 dB", &box, horizontal[i] | vertical[i] | DT_SINGLELINE);
    }
    CRect wrapped(360, 290, 480, 350);
    dc.Draw3dRect(&wrapped, RGB(160, 160, 160), RGB(160, 160, 160));
    dc.DrawText("A long description that breaks into lines", &wrapped, DT_WORDBREAK);
    CRect elided(500, 290, 600, 310);
    dc.Draw3dRect(&elided, RGB(160, 160, 160), RGB(160, 160, 160));
    dc.DrawText("Projected dose of the whole shift", &elided, DT_SINGLELINE | DT_END_ELLIPSIS);

    Caption(dc, 10, 366, "Rotated text (escapement 90 degrees) and text alignment");
    LOGFONT rotated = text.m_logFont;
    rotated.lfEscapement = 900;
    CQuickFont turned(rotated);
    dc.SelectObject(&turned);
    dc.SetTextColor(RGB(0, 0, 160));
    dc.TextOut(40, 520, "Level in dB(A)");
    dc.SelectObject(&text);
    dc.SetTextColor(RGB(0, 0, 0));
    {
        CPenSelector pen(&dc, RGB(255, 0, 0));
        dc.MoveTo(300, 400);
        dc.LineTo(300, 520);
    }
    const UINT aligns[] = {TA_LEFT, TA_CENTER, TA_RIGHT};
    for (int i = 0; i < 3; ++i) {
        dc.SetTextAlign(aligns[i] | TA_TOP);
        dc.TextOut(300, 410 + i * 30, "aligned at the red line");
    }
    dc.SetTextAlign(TA_LEFT | TA_TOP);
    dc.SelectObject(oldFont);
}

void PrintHelp()
{
    std::puts("Usage: gdi-gallery --output FILE.png\n"
              "\n"
              "Draws the chart's drawing layer (the eight series symbols, pen styles and widths,\n"
              "hatch brushes, text alignments, word break, end ellipsis and a rotated text)\n"
              "into a 720 x 540 PNG file.");
}

} // namespace

int main(int argc, char** argv)
{
    std::string output;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            PrintHelp();
            return 0;
        }
        if (std::strcmp(argv[i], "--output") == 0 && i + 1 < argc) {
            output = argv[++i];
            continue;
        }
        std::fprintf(stderr, "gdi-gallery: unknown argument '%s' (see --help)\n", argv[i]);
        return 2;
    }
    if (output.empty()) {
        std::fprintf(stderr, "gdi-gallery: --output FILE is needed (see --help)\n");
        return 2;
    }
    // Without a display the offscreen platform draws just as well.
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");

    QImage image(720, 540, QImage::Format_RGB32);
    {
        CDCEx dc;
        if (!dc.BeginPainting(&image)) {
            std::fprintf(stderr, "gdi-gallery: cannot draw into an image\n");
            return 1;
        }
        DrawGallery(dc);
    }
    if (!image.save(QString::fromStdString(output), "PNG")) {
        std::fprintf(stderr, "gdi-gallery: %s: cannot write the PNG file\n", output.c_str());
        return 1;
    }
    return 0;
}
