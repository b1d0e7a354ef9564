// The chart's dialog templates as they are shown: every caption fits the
// place its template gives it, in the font the dialog is drawn with.

#include "CDialog.h"
#include "ChartDialogTemplates.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

TEST(DialogTemplateTest, EveryCaptionFitsItsPlace)
{
    Resources::RegisterChartDialogTemplates();
    for (const UINT id : {Resources::IDD_CHART_PAGE, Resources::IDD_CURVE, Resources::IDD_AXIS,
                          Resources::IDD_CHART, Resources::IDD_LABEL, Resources::IDD_MOVING_AVERAGE,
                          Resources::IDD_TREND}) {
        CDialog dialog(id);
        ASSERT_TRUE(dialog.CreateDialogWindow(nullptr)) << id;
        QWidget* host = dialog.GetHostWidget();
        ASSERT_NE(host, nullptr);
        for (const QLabel* label : host->findChildren<QLabel*>()) {
            if (label->text().isEmpty())
                continue;
            EXPECT_LE(label->sizeHint().width(), label->width())
                << "template " << id << ": \"" << label->text().toStdString() << "\" is cut off";
        }
        // Check boxes and radios need their mark beside the text; a push
        // button's size hint has a minimum width of its own, so its text
        // and a margin on each side are what must fit.
        for (const QAbstractButton* button : host->findChildren<QAbstractButton*>()) {
            if (button->text().isEmpty())
                continue;
            const int needed = qobject_cast<const QPushButton*>(button) != nullptr
                                   ? button->fontMetrics().horizontalAdvance(button->text()) + 12
                                   : button->sizeHint().width();
            EXPECT_LE(needed, button->width())
                << "template " << id << ": \"" << button->text().toStdString() << "\" is cut off";
        }
    }
}
