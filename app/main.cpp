// nolvex: the analysis program. "nolvex FILE" opens a measurement file,
// "nolvex /p FILE" prints it to the default printer (to a PDF beside the
// file without one) and "nolvex /pt FILE PRINTER" to a named printer.

#include "NolvexApp.h"

#include <QApplication>

#include <clocale>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    // Numbers are shown with a full stop whatever the desktop's language.
    std::setlocale(LC_NUMERIC, "C");
    std::vector<CString> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(CString::FromUtf8(argv[i]));
    CNolvexApp app;
    app.SetArguments(arguments);
    if (!app.InitInstance())
        return app.ExitInstance();
    const int result = QApplication::exec();
    app.ExitInstance();
    return result;
}
