#include "ProgramSession.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <fstream>
#include <sstream>

XDesktop& SharedDesktop()
{
    static XDesktop desktop;
    return desktop;
}

std::string RunAndRead(const std::string& command)
{
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return output;
    char buffer[4096];
    size_t read = 0;
    while ((read = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, read);
    pclose(pipe);
    return output;
}

namespace {

// The first line of a report of AddressSanitizer, LeakSanitizer or
// UndefinedBehaviorSanitizer.
bool HasSanitizerReport(const std::string& output)
{
    return output.find("ERROR: AddressSanitizer") != std::string::npos ||
           output.find("ERROR: LeakSanitizer") != std::string::npos ||
           output.find(": runtime error: ") != std::string::npos;
}

} // namespace

void ProgramTest::SetUp()
{
    ASSERT_TRUE(Desktop().IsUp()) << "Xvfb and openbox must be installed (scripts/setup)";
    char pattern[] = "/tmp/nolvex-home-XXXXXX";
    const char* made = mkdtemp(pattern);
    ASSERT_NE(made, nullptr);
    m_home = made;
    // Whatever the last test left under the pointer goes.
    Desktop().MoveTo(
        QPoint(Desktop().ScreenSize().width() - 1, Desktop().ScreenSize().height() - 1));
}

void ProgramTest::TearDown()
{
    if (HasFailure() && m_program) {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        SaveScreenshot(std::string("failed-") + info->test_suite_name() + "-" + info->name());
        std::printf("Program output:\n%s\n", m_program->Output().c_str());
    }
    m_program.reset();
    // A program built with the sanitizers writes what they find to its
    // error output, which only this log keeps: a finding fails the test.
    const std::string output = ReadFile(ProgramRun::LogPath(m_home));
    if (HasSanitizerReport(output))
        ADD_FAILURE() << "The sanitizers reported in the program:\n" << output;
    QDir(QString::fromStdString(m_home)).removeRecursively();
}

std::string ProgramTest::MakeRecording(const std::string& name, int seconds, int tests)
{
    const std::string path = m_home + "/" + name;
    const std::string command = std::string(NOLVEX_GEN_PATH) + " --seed 7 --duration " +
                                std::to_string(seconds) + " --tests " + std::to_string(tests) +
                                " --output '" + path + "' 2>&1";
    RunAndRead(command);
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(path))) << command;
    return path;
}

std::vector<int> ProgramTest::SampleCounts(const std::string& path)
{
    // One line per test: position, name, info, number, samples, markers.
    std::vector<int> counts;
    std::istringstream lines(RunAndRead(std::string(NOLVEX_CLI_PATH) + " info '" + path + "'"));
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> fields;
        std::istringstream parts(line);
        std::string field;
        while (std::getline(parts, field, '\t'))
            fields.push_back(field);
        if (fields.size() >= 6)
            counts.push_back(std::stoi(fields[4]));
    }
    return counts;
}

std::string ProgramTest::ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void ProgramTest::StartNolvex(const std::vector<std::string>& arguments,
                              const std::vector<std::string>& environment)
{
    m_program =
        std::make_unique<ProgramRun>(Desktop(), NOLVEX_PATH, arguments, m_home, environment);
}

void ProgramTest::StartChartDemo()
{
    m_program = std::make_unique<ProgramRun>(Desktop(), CHART_DEMO_PATH, std::vector<std::string>{},
                                             m_home);
}

ViewPanes ProgramTest::AddAMetric(unsigned long mainWindow)
{
    Desktop().Key("alt+e");
    Desktop().Key("Return");
    Desktop().Settle(300);
    ViewPanes panes = FindPanes(mainWindow);
    EXPECT_TRUE(panes.Found());
    return panes;
}

void ProgramTest::CutTheMiddle(const ViewPanes& panes)
{
    const QRect chart = panes.chart;
    Desktop().Drag(QPoint(chart.left() + chart.width() * 3 / 10, chart.center().y()),
                   QPoint(chart.left() + chart.width() * 6 / 10, chart.center().y()));
    Desktop().Key("alt+e");
    Desktop().Key("Up");
    Desktop().Key("Return");
    Desktop().Settle(300);
}

unsigned long ProgramTest::OpenWithAMetric(const std::string& path, ViewPanes& panes,
                                           const std::vector<std::string>& environment)
{
    StartNolvex({path}, environment);
    const unsigned long window = WaitForWindow("Nolvex - ");
    if (window == 0)
        return 0;
    panes = AddAMetric(window);
    return window;
}

unsigned long ProgramTest::OpenAndCut(const std::string& path,
                                      const std::vector<std::string>& environment)
{
    ViewPanes panes;
    const unsigned long window = OpenWithAMetric(path, panes, environment);
    if (window == 0)
        return 0;
    CutTheMiddle(panes);
    return window;
}

std::vector<unsigned long> ProgramTest::Windows()
{
    return Desktop().WindowsOf(m_program->Pid());
}

unsigned long ProgramTest::WaitForWindow(const QString& titleStart)
{
    unsigned long found = 0;
    XDesktop::WaitUntil([&] {
        for (unsigned long window : Windows())
            if (Desktop().Title(window).startsWith(titleStart)) {
                found = window;
                return true;
            }
        return false;
    });
    // Drawn and ready for input.
    Desktop().Settle(400);
    return found;
}

unsigned long ProgramTest::WaitForOtherWindow(unsigned long besides)
{
    unsigned long found = 0;
    XDesktop::WaitUntil([&] {
        for (unsigned long window : Windows())
            if (window != besides) {
                found = window;
                return true;
            }
        return false;
    });
    Desktop().Settle(250);
    return found;
}

bool ProgramTest::WaitForOnly(unsigned long window)
{
    return XDesktop::WaitUntil([&] {
        const std::vector<unsigned long> windows = Windows();
        return windows.size() == 1 && windows.front() == window;
    });
}

ViewPanes ProgramTest::FindPanes(unsigned long mainWindow)
{
    const QRect area = Desktop().Geometry(mainWindow);
    const QImage screen = Desktop().Screenshot();
    std::vector<QRect> panes = ScreenSearch::SunkenPanes(screen, area);
    ViewPanes found;
    if (panes.size() < 3)
        return found;
    panes.resize(3);
    // The tree on the left, the chart above the list on the right.
    std::sort(panes.begin(), panes.end(), [](const QRect& a, const QRect& b) {
        return a.left() != b.left() ? a.left() < b.left() : a.top() < b.top();
    });
    found.tree = panes[0];
    found.chart = panes[1];
    found.list = panes[2];
    return found;
}

std::string ProgramTest::ScreenshotPath(const std::string& name)
{
    const QString folder =
        QFileInfo(QString::fromStdString(NOLVEX_PATH)).absolutePath() + "/../tests/e2e/screenshots";
    QDir().mkpath(folder);
    return (folder + "/" + QString::fromStdString(name) + ".png").toStdString();
}

QImage ProgramTest::SaveScreenshot(const std::string& name)
{
    QImage shot = Desktop().Screenshot();
    shot.save(QString::fromStdString(ScreenshotPath(name)));
    return shot;
}
