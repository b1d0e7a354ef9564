#pragma once

#include "CDocument.h"
#include "CString.h"
#include "MeasurementFile.h"

#include <optional>
#include <vector>

class CNolvexMetric;
class CNolvexTest;

// A measurement file in memory: its chain of tests in file order, the list
// of metrics on display (newest first, not stored in the file; every view of
// the document plots the same ones) and the metric catalogue.
// The document owns its tests and metrics.
class CNolvexDoc : public CDocument
{
public:
    CNolvexDoc();
    ~CNolvexDoc() override;

    void Serialize(CArchive& ar) override;
    // Measurement files come from the meter: the program never makes an
    // empty one, so File New makes no document.
    bool OnNewDocument() override { return false; }
    // Frees the tests; the metrics on display stay.
    void DeleteContents() override;
    // After a load that stopped before the end of the file: what was left
    // unread, and the question before that file is saved over.
    CString GetOpenWarning() const override;
    CString GetOverwriteQuestion(const CString& path) const override;
    // Once the file that was read in part has been replaced, nothing is
    // left unread.
    bool OnSaveDocument(const CString& path) override;
    // The bytes the last load left unread, if any.
    const std::optional<MeasurementFile::UnreadTail>& GetUnreadTail() const { return m_unreadTail; }

    // A new metric ("A fast", the palette's next colour) at the head of the list.
    CNolvexMetric* AddMetric();
    // Unlinks the metric from the list and destroys it; false when it is not
    // in the list.
    bool RemoveMetric(CNolvexMetric* metric);
    // Cuts the test's selection out of it; marks the document modified when
    // anything was cut.
    bool CutSelection(CNolvexTest& test);

    // A new, empty test linked in after the given one, or as the first test
    // when none is given. The document owns it from here on.
    CNolvexTest* AddTestAfter(CNolvexTest* previous);

    int GetTestCount() const;
    // The test at a position in file order (0-based), or null.
    CNolvexTest* GetTest(int position) const;
    // The catalogue name of a data type; an invalid one throws CInvalidArgException.
    const CString& MetricName(int dataType) const;

    CNolvexTest* firstTest = nullptr;
    CNolvexMetric* firstMetric = nullptr;
    std::vector<CString> metricNames;

private:
    std::optional<MeasurementFile::UnreadTail> m_unreadTail;
    CString m_readPath; // the file the unread bytes are in
};
