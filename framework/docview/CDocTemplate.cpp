#include "CDocTemplate.h"

#include "CDocument.h"
#include "CMDIFrameWnd.h"
#include "CView.h"
#include "CWaitCursor.h"
#include "ModalSeam.h"

#include <QFileInfo>
#include <QStringList>

#include <algorithm>

CMultiDocTemplate::CMultiDocTemplate(UINT resourceId, const CString& docStrings,
                                     DocumentFactory makeDocument, FrameFactory makeFrame,
                                     ViewFactory makeView)
    : m_resourceId(resourceId), m_makeDocument(std::move(makeDocument)),
      m_makeFrame(std::move(makeFrame)), m_makeView(std::move(makeView))
{
    for (const QString& part : docStrings.ToQString().split('\n'))
        m_docStrings.push_back(CString::FromQString(part));
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    // Documents still open when the program ends go with their frames and
    // views: nothing else deletes the frames.
    while (!m_documents.empty())
        CloseDocument(m_documents.front().get());
}

CString CMultiDocTemplate::GetDocString(DocStringIndex index) const
{
    const auto position = static_cast<std::size_t>(index);
    return position < m_docStrings.size() ? m_docStrings[position] : CString();
}

CString CMultiDocTemplate::GetFileFilter() const
{
    CString extension = GetDocString(filterExt);
    return GetDocString(filterName) + CString("|*") + extension + CString("|All Files (*.*)|*.*||");
}

CView* CMultiDocTemplate::CreateNewWindow(CDocument* document, CMDIFrameWnd* mainFrame)
{
    if (document == nullptr || mainFrame == nullptr)
        return nullptr;
    CMDIChildWnd* frame = m_makeFrame();
    CView* view = m_makeView();
    const CString title =
        CString::FromQString(QFileInfo(document->GetPathName().ToQString()).fileName());
    if (!frame->CreateChild(mainFrame, view, document, title)) {
        delete frame;
        return nullptr;
    }
    view->OnInitialUpdate();
    return view;
}

CDocument* CMultiDocTemplate::OpenDocumentFile(const CString& path, CMDIFrameWnd* mainFrame)
{
    const QString wanted = QFileInfo(path.ToQString()).absoluteFilePath();
    for (const auto& open : m_documents) {
        if (QFileInfo(open->GetPathName().ToQString()).absoluteFilePath() == wanted) {
            for (CMDIChildWnd* child : mainFrame->Children())
                if (child->GetDocument() == open.get())
                    child->MDIActivate();
            return open.get();
        }
    }
    // Reading a long recording and drawing it the first time take a moment.
    const CWaitCursor wait;
    std::unique_ptr<CDocument> document(m_makeDocument());
    if (!document->OnOpenDocument(CString::FromQString(wanted))) {
        AfxMessageBox(document->GetLastErrorMessage(), MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    document->SetPathName(CString::FromQString(wanted));
    document->SetModifiedFlag(false);
    CDocument* shown = document.get();
    m_documents.push_back(std::move(document));
    if (CreateNewWindow(shown, mainFrame) == nullptr) {
        CloseDocument(shown);
        return nullptr;
    }
    // Told over the document's own window.
    const CString warning = shown->GetOpenWarning();
    if (!warning.IsEmpty())
        AfxMessageBox(warning, MB_OK | MB_ICONWARNING);
    return shown;
}

CDocument* CMultiDocTemplate::OpenNewDocument(CMDIFrameWnd* mainFrame)
{
    std::unique_ptr<CDocument> document(m_makeDocument());
    if (!document->OnNewDocument())
        return nullptr;
    CDocument* shown = document.get();
    m_documents.push_back(std::move(document));
    if (CreateNewWindow(shown, mainFrame) == nullptr) {
        CloseDocument(shown);
        return nullptr;
    }
    return shown;
}

void CMultiDocTemplate::CloseDocument(CDocument* document)
{
    for (CView* view : CView::ViewsOf(document)) {
        auto* frame = dynamic_cast<CMDIChildWnd*>(view->GetParent());
        if (frame != nullptr) {
            frame->DestroyWindow();
            delete frame;
        }
    }
    m_documents.erase(std::remove_if(m_documents.begin(), m_documents.end(),
                                     [document](const std::unique_ptr<CDocument>& open) {
                                         return open.get() == document;
                                     }),
                      m_documents.end());
}
