#pragma once

#include "XDesktop.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// The desktop all end-to-end tests share: started once for the run.
XDesktop& SharedDesktop();

// Runs a shell command and gives its standard output.
std::string RunAndRead(const std::string& command);

// What the programs' analysis view shows, found on the screen.
struct ViewPanes
{
    QRect tree;
    QRect chart;
    QRect list;
    bool Found() const { return !tree.isEmpty() && !chart.isEmpty() && !list.isEmpty(); }
};

// A test of a real program: a private home folder with recordings made by
// the generator, the program started on the shared desktop, and what a
// person sees and does there.
class ProgramTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    XDesktop& Desktop() { return SharedDesktop(); }
    const std::string& Home() const { return m_home; }
    // A recording of the given length made by the generator in the home
    // folder; its full path.
    std::string MakeRecording(const std::string& name, int seconds, int tests = 1);
    // The sample counts of a file's tests as the batch tool reads them; empty
    // when it cannot read the file.
    std::vector<int> SampleCounts(const std::string& path);
    std::string ReadFile(const std::string& path);

    void StartNolvex(const std::vector<std::string>& arguments,
                     const std::vector<std::string>& environment = {});
    void StartChartDemo();
    // Opens a recording in Nolvex and adds a metric (Edit > Add Metric) from
    // the keyboard. The main window, or 0, and the panes of its view.
    unsigned long OpenWithAMetric(const std::string& path, ViewPanes& panes,
                                  const std::vector<std::string>& environment = {});
    // Adds a metric to the open view (Edit > Add Metric) from the keyboard;
    // the panes of the view then.
    ViewPanes AddAMetric(unsigned long mainWindow);
    // Selects the middle of the chart with the mouse, from 3/10 to 6/10 of
    // its width, and cuts it (Edit > Cut Selection) from the keyboard.
    void CutTheMiddle(const ViewPanes& panes);
    // Opens a recording in Nolvex, adds a metric (Edit > Add Metric),
    // selects a span of the chart with the mouse and cuts it (Edit > Cut
    // Selection), all but the selection from the keyboard: the recording is
    // then modified. The main window, or 0.
    unsigned long OpenAndCut(const std::string& path,
                             const std::vector<std::string>& environment = {});
    ProgramRun& Program() { return *m_program; }
    // The program's one top-level window, once it shows with a title that
    // starts so; 0 when it does not show.
    unsigned long WaitForWindow(const QString& titleStart);
    // Waits for a top-level window of the program other than the given one
    // (a dialog, a message box) and returns it, or 0.
    unsigned long WaitForOtherWindow(unsigned long besides);
    // The program's windows now.
    std::vector<unsigned long> Windows();
    // Waits until the program shows only the given window again.
    bool WaitForOnly(unsigned long window);

    ViewPanes FindPanes(unsigned long mainWindow);
    // Saves a screenshot as NAME.png beside the test binary, to be looked at.
    QImage SaveScreenshot(const std::string& name);
    // Where a picture named so is kept with the screenshots.
    static std::string ScreenshotPath(const std::string& name);

private:
    std::string m_home;
    std::unique_ptr<ProgramRun> m_program;
};
