#include "NolvexDoc.h"

#include "CArchive.h"
#include "CFile.h"
#include "MeasurementFile.h"
#include "MetricCatalogue.h"
#include "NolvexMetric.h"
#include "NolvexTest.h"
#include "SelectionCut.h"

CNolvexDoc::CNolvexDoc() : metricNames(MetricCatalogue::BuildNames()) {}

CNolvexDoc::~CNolvexDoc()
{
    DeleteContents();
    while (firstMetric) {
        CNolvexMetric* metric = firstMetric;
        firstMetric = metric->next;
        delete metric;
    }
}

void CNolvexDoc::DeleteContents()
{
    while (firstTest) {
        CNolvexTest* test = firstTest;
        firstTest = test->next;
        delete test;
    }
}

void CNolvexDoc::Serialize(CArchive& ar)
{
    if (ar.IsLoading()) {
        DeleteContents();
        m_unreadTail = MeasurementFile::Read(ar, *this);
        m_readPath = ar.GetFile()->GetFilePath();
    } else {
        MeasurementFile::Write(ar, *this);
    }
}

CString CNolvexDoc::GetOpenWarning() const
{
    if (!m_unreadTail)
        return {};
    return MeasurementFile::DescribeUnreadTail(m_readPath, *m_unreadTail) +
           CString(" Saving over the file would lose them.");
}

CString CNolvexDoc::GetOverwriteQuestion(const CString& path) const
{
    if (!m_unreadTail || !IsSameFile(path, m_readPath))
        return {};
    return CString::Formatted(
        "%s holds %llu bytes from byte %llu on that Nolvex could not read. Saving over it "
        "will lose them.\n\nSave anyway?",
        m_readPath.ToUtf8().c_str(), static_cast<unsigned long long>(m_unreadTail->byteCount),
        static_cast<unsigned long long>(m_unreadTail->stopOffset));
}

bool CNolvexDoc::OnSaveDocument(const CString& path)
{
    if (!CDocument::OnSaveDocument(path))
        return false;
    if (m_unreadTail && IsSameFile(path, m_readPath))
        m_unreadTail.reset();
    return true;
}

CNolvexMetric* CNolvexDoc::AddMetric()
{
    auto* metric = new CNolvexMetric;
    metric->next = firstMetric;
    firstMetric = metric;
    return metric;
}

bool CNolvexDoc::RemoveMetric(CNolvexMetric* metric)
{
    for (CNolvexMetric** link = &firstMetric; *link; link = &(*link)->next) {
        if (*link == metric) {
            *link = metric->next;
            delete metric;
            return true;
        }
    }
    return false;
}

bool CNolvexDoc::CutSelection(CNolvexTest& test)
{
    if (!SelectionCut::Cut(test))
        return false;
    SetModifiedFlag(true);
    return true;
}

CNolvexTest* CNolvexDoc::AddTestAfter(CNolvexTest* previous)
{
    auto* test = new CNolvexTest;
    CNolvexTest*& link = previous ? previous->next : firstTest;
    test->next = link;
    link = test;
    return test;
}

int CNolvexDoc::GetTestCount() const
{
    int count = 0;
    for (const CNolvexTest* test = firstTest; test; test = test->next)
        ++count;
    return count;
}

CNolvexTest* CNolvexDoc::GetTest(int position) const
{
    CNolvexTest* test = firstTest;
    for (int i = 0; test && i < position; ++i)
        test = test->next;
    return position >= 0 ? test : nullptr;
}

const CString& CNolvexDoc::MetricName(int dataType) const
{
    MetricCatalogue::CheckDataType(dataType);
    return metricNames[static_cast<std::size_t>(dataType)];
}
