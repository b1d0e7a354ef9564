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

// Creates or truncates the file. Failures throw; what was written before a
// failure stays in the file.
void Export(const CNolvexTest& test, const CNolvexMetric* firstMetric, const CString& path);
void Export(const CNolvexTest& test, const CNolvexMetric* firstMetric, CFile& file);

} // namespace CsvExport
