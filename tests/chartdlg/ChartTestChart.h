#pragma once

// A shown chart with three named series for the property dialogs' tests.

#include "CDialog.h"
#include "CWnd.h"
#include "WindowClass.h"
#include "XGraph.h"

#include <QComboBox>
#include <QTabBar>

#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <vector>

namespace chartdlgtest {

struct ThreeSeriesChart
{
    CWnd parent;
    CXGraph chart;

    ThreeSeriesChart()
    {
        EXPECT_TRUE(parent.Create(AfxRegisterWndClass(0), "", WS_VISIBLE, CRect(0, 0, 500, 360),
                                  nullptr, 0));
        EXPECT_TRUE(chart.Create(CXGraph::kClassName, "", WS_CHILD | WS_VISIBLE,
                                 CRect(0, 0, 500, 360), &parent, 100));
        const char* names[] = {"LAF", "LCpeak", "TWA"};
        for (int s = 0; s < 3; ++s) {
            std::vector<DataPoint> points;
            for (int i = 0; i < 40; ++i)
                points.push_back({static_cast<double>(i), 50.0 + s * 10 + (i % 7)});
            CXGraphDataSerie* series =
                chart.SetSeriesData(points.data(), static_cast<int>(points.size()), s, 0, 0, true);
            series->SetName(names[s]);
        }
        chart.XAxisAt(0).SetTitle("Time");
        chart.YAxisAt(0).SetTitle("dB");
    }
};

// Picks an entry of a drop-down list as the user would: the list tells
// its dialog.
inline void Choose(CDialog& dialog, UINT id, int index)
{
    CDialogItem* item = dialog.GetDlgItem(id);
    item->SetCurSel(index);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(item));
}

// The text of an entry of a drop-down list or a tab bar, as it shows.
inline CString EntryText(CDialogItem* control, int index)
{
    QWidget* widget = control->GetClientWidget();
    if (auto* list = qobject_cast<QComboBox*>(widget))
        return CString::FromQString(list->itemText(index));
    if (auto* tabs = qobject_cast<QTabBar*>(widget))
        return CString::FromQString(tabs->tabText(index));
    ADD_FAILURE() << "neither a drop-down list nor a tab bar";
    return {};
}

// The lowest and highest position of a spin button, found as the positions
// it keeps to when sent beyond them; its position is put back.
inline std::pair<int, int> SpinRange(CDialogItem* spin)
{
    const int position = spin->GetPos32();
    spin->SetPos32(INT_MIN);
    const int low = spin->GetPos32();
    spin->SetPos32(INT_MAX);
    const int high = spin->GetPos32();
    spin->SetPos32(position);
    return {low, high};
}

} // namespace chartdlgtest
