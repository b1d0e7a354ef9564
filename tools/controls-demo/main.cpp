// controls-demo: the property tree and the value list side by side in a
// splitter window, filled with sample tests and metrics, for a person to
// try them: expand and collapse, move the divider, pick a data type in a
// choice cell, drag the splitter bar. With --screenshot FILE it paints the
// window into a PNG file and ends.

#include "PropTree.h"
#include "PropTreeItemStatic.h"
#include "SimpleSplitter.h"
#include "WindowClass.h"
#include "XListCtrl.h"

#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

const CStringArray kDataTypes{"A fast",   "A impulse", "A leq",   "A peak", "A short leq",
                              "C fast",   "C peak",    "TWA",     "Dose A", "Proj Dose A",
                              "Leq 1kHz", "Leq 2kHz",  "Leq 4kHz"};

// The window that holds the splitter and hears what the controls say.
class DemoFrame : public CWnd
{
public:
    CSimpleSplitter splitter{1};
    CPropTree tree;
    CXListCtrl list;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        if (CWnd::OnNotify(wParam, lParam, result))
            return TRUE;
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == &tree && header->code == static_cast<UINT>(PROP_NOTIFY_SELECTION)) {
            const auto* notify = reinterpret_cast<const PropTreeNotify*>(lParam);
            std::printf("tree: %s selected\n", notify->pItem != nullptr
                                                   ? notify->pItem->GetLabelText().ToUtf8().c_str()
                                                   : "nothing");
        } else if (header->hwndFrom == &list && header->code == LIST_NOTIFY_CHOICE_DONE) {
            const int row = list.GetSelectedRow();
            std::printf("list: row %d shows %s\n", row + 1,
                        list.GetItemText(row, 1).ToUtf8().c_str());
        }
        std::fflush(stdout);
        *result = 0;
        return TRUE;
    }
    void OnSize(UINT type, int cx, int cy) override
    {
        CWnd::OnSize(type, cx, cy);
        if (splitter.GetSafeHwnd() != nullptr)
            splitter.MoveWindow(0, 0, cx, cy);
    }
};

void Fill(DemoFrame& frame)
{
    CPropTreeItem* section = frame.tree.AddItem(nullptr, new CPropTreeItem);
    section->SetLabelText("Tests");
    section->SetInfoText("The tests of the recording.");
    section->SetState(CPropTreeItem::ItemExpanded, true);
    const char* shifts[] = {"Morning shift", "Late shift", "Night shift"};
    for (int i = 0; i < 3; ++i) {
        auto* item = new CPropTreeItemStatic;
        item->SetLabelText(CString::Formatted("Test %d", i + 1));
        item->SetInfoText(CString::Formatted("%s in the foundry, 8 hours at 0.1 s.", shifts[i]));
        item->SetValue(reinterpret_cast<LPARAM>(CString(shifts[i]).GetString()));
        frame.tree.AddItem(section, item);
    }
    CPropTreeItem* more = frame.tree.AddItem(nullptr, new CPropTreeItem);
    more->SetLabelText("Markers");
    for (int i = 0; i < 2; ++i) {
        auto* item = new CPropTreeItemStatic;
        item->SetLabelText(CString::Formatted("Marker %d", i + 1));
        item->SetState(CPropTreeItem::ItemHasCheckBox, true);
        frame.tree.AddItem(more, item);
    }

    const char* columns[] = {"Color", "Data Type", "Cursor Value", "Avg Selection Value",
                             "Cumulative Value"};
    const int widths[] = {80, 150, 100, 100, 100};
    for (int i = 0; i < 5; ++i)
        frame.list.InsertColumn(i, columns[i], LVCFMT_LEFT, widths[i]);
    const COLORREF colours[] = {RGB(255, 0, 0), RGB(0, 128, 0), RGB(0, 0, 255)};
    const int types[] = {2, 7, 8};
    for (int i = 0; i < 3; ++i) {
        const int row = frame.list.AddRow(i, RGB(0, 0, 0), colours[i]);
        frame.list.SetCellChoice(row, 1, &kDataTypes, 8, types[i]);
        frame.list.SetCellText(row, 2, CString::Formatted("%.2lf", 80.0 + i * 3.25), colours[i]);
        frame.list.SetCellText(row, 3, CString::Formatted("%.2lf", 78.5 + i), colours[i]);
        frame.list.SetCellText(row, 4, CString::Formatted("%.2lf", 84.0 + i * 2), colours[i]);
    }
}

void Screenshot(DemoFrame& frame, const char* path)
{
    QWidget* window = frame.GetHostWidget();
    QImage image(window->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    window->render(&image);
    if (!image.save(path)) {
        std::fprintf(stderr, "controls-demo: cannot write %s\n", path);
        std::exit(1);
    }
}

} // namespace

int main(int argc, char** argv)
{
    const char* screenshot = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::printf("usage: controls-demo [--screenshot FILE.png]\n"
                        "Shows the property tree and the value list in a splitter window.\n"
                        "--screenshot paints the window into FILE.png and ends.\n");
            return 0;
        }
        if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) {
            screenshot = argv[++i];
            continue;
        }
        std::fprintf(stderr, "controls-demo: unknown argument %s (try --help)\n", argv[i]);
        return 2;
    }
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");

    DemoFrame frame;
    if (!frame.Create(AfxRegisterWndClass(0), "Nolvex controls", WS_VISIBLE,
                      CRect(100, 100, 820, 460), nullptr, 0) ||
        !frame.splitter.Create(&frame)) {
        std::fprintf(stderr, "controls-demo: the window could not be made\n");
        return 1;
    }
    frame.splitter.CreatePane(0, &frame.tree, PROP_STYLE_NOTIFY, AfxRegisterWndClass(CS_DBLCLKS));
    frame.splitter.CreatePane(1, &frame.list, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                              CListCtrl::kClassName);
    frame.list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    frame.splitter.SetProportions({30, 70});
    Fill(frame);
    if (screenshot != nullptr) {
        QApplication::processEvents();
        Screenshot(frame, screenshot);
        return 0;
    }
    return QApplication::exec();
}
