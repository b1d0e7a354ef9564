#pragma once

class CFile;
class CNolvexMetric;
class CNolvexTest;
class CString;

// Writes a test's metrics on display as Windows-1252 text: the name, the
// info and "Test #: n", a line of metric names, then one line of values
// ("%.2lf") per sample; fields are separated by ", " and lines end with a
// line feed alone. Metrics come in list order, newest first.
namespace CsvExport {

// Writes the file through a temporary file beside it, which takes the
// file's place only once it is complete: a failure throws and leaves an
// earlier file of that name as it was.
void Export(const CNolvexTest& test, const CNolvexMetric* firstMetric, const CString& path);
void Export(const CNolvexTest& test, const CNolvexMetric* firstMetric, CFile& file);

} // namespace CsvExport
