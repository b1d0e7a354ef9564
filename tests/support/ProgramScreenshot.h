#pragma once

#include <QImage>
#include <QString>

// Runs a program with --screenshot FILE, as a person would from a shell, in
// a folder of its own, and reads the picture it wrote there. A program that
// does not end cleanly within a minute or writes no picture fails the
// running test and gives a null picture.
QImage ProgramScreenshot(const QString& program);
