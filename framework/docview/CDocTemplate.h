#pragma once

#include "CString.h"
#include "WinTypes.h"

#include <functional>
#include <memory>
#include <vector>

class CDocument;
class CMDIChildWnd;
class CMDIFrameWnd;
class CView;

// How documents of one kind are made and shown: the document, its child
// frame and its view, and the seven sub-strings that name them (window
// title, document name, new-file name, filter name, extension, file type
// id, file type name).
class CMultiDocTemplate
{
public:
    enum DocStringIndex
    {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName
    };

    using DocumentFactory = std::function<CDocument*()>;
    using FrameFactory = std::function<CMDIChildWnd*()>;
    using ViewFactory = std::function<CView*()>;

    CMultiDocTemplate(UINT resourceId, const CString& docStrings, DocumentFactory makeDocument,
                      FrameFactory makeFrame, ViewFactory makeView);
    ~CMultiDocTemplate();

    CString GetDocString(DocStringIndex index) const;
    // "Nolvex Files (*.nolvex)|*.nolvex|All Files (*.*)|*.*||"
    CString GetFileFilter() const;

    // Reads the file into a new document and shows it in a new child frame
    // of the main frame; null, with the failure reported, when it cannot be
    // read. A document already open from that path is shown instead.
    CDocument* OpenDocumentFile(const CString& path, CMDIFrameWnd* mainFrame);
    // A new empty document; null when the document refuses to start empty.
    CDocument* OpenNewDocument(CMDIFrameWnd* mainFrame);
    // One more child frame and view on an open document.
    CView* CreateNewWindow(CDocument* document, CMDIFrameWnd* mainFrame);
    // Closes the document's frames and the document.
    void CloseDocument(CDocument* document);

    const std::vector<std::unique_ptr<CDocument>>& Documents() const { return m_documents; }

private:
    UINT m_resourceId;
    std::vector<CString> m_docStrings;
    DocumentFactory m_makeDocument;
    FrameFactory m_makeFrame;
    ViewFactory m_makeView;
    std::vector<std::unique_ptr<CDocument>> m_documents;
};
