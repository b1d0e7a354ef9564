#pragma once

// What a printed PDF file looks like: its pages rasterised by poppler's
// pdftoppm, as a person would see them in a viewer.

#include <QImage>
#include <QString>

namespace PdfPages {

// The first page of the file at the given resolution; a null image when
// the file cannot be rasterised.
QImage FirstPage(const QString& path, int dotsPerInch);

} // namespace PdfPages
