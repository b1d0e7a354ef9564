#pragma once

#include "CWnd.h"

#include <memory>
#include <vector>

class CDC;
class CDocument;
class CPrintDialog;
class QPrinter;
struct CCmdUI;

// What a print job is doing: the dialog, whether it previews or prints
// straight away, the page being printed and the pages there are.
struct CPrintInfo
{
    CPrintInfo();
    ~CPrintInfo();
    UINT GetMinPage() const { return m_minPage; }
    UINT GetMaxPage() const { return m_maxPage; }

    std::unique_ptr<CPrintDialog> m_pPD;
    BOOL m_bPreview = FALSE;
    BOOL m_bDirect = FALSE;
    BOOL m_bContinuePrinting = TRUE;
    UINT m_nCurPage = 1;
    CRect m_rectDraw;
    // A direct print into a PDF file goes to this temporary file beside it
    // first, which takes the file's place once the job is complete.
    CString m_strPartialFile;

private:
    UINT m_minPage = 1;
    UINT m_maxPage = 1;
};

// A window that shows a document. The framework calls OnInitialUpdate once
// the document is loaded, OnDraw to paint and print, and the printing
// overrides around a print job.
class CView : public CWnd
{
public:
    CView();
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    // Attaches the view to a document (null detaches it).
    void SetDocument(CDocument* document);
    // The views showing a document, in the order they were attached.
    static std::vector<CView*> ViewsOf(const CDocument* document);

    virtual void OnInitialUpdate() {}
    // Runs a command given to the view; FALSE when the view has none such.
    BOOL RunCommand(UINT id) { return OnCommand(id, 0); }
    // Enables the commands the view handles.
    virtual void OnUpdateCommand(CCmdUI* ui);
    virtual bool HandlesCommand(UINT id) const;
    // Printing straight away without a printer writes this PDF file.
    static void SetDirectPrintFile(const CString& path);
    // Printing straight away goes to this printer; empty for the default.
    static void SetDirectPrinterName(const CString& name);
    virtual void OnDraw(CDC* dc) = 0;

    // Print (through the print dialog), print straight to the default
    // printer, or preview (as printing through the dialog).
    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();
    // Prints the view's page on a printer already set up (a preview page).
    void PrintOn(QPrinter* printer);

protected:
    virtual BOOL OnPreparePrinting(CPrintInfo* info);
    virtual void OnBeginPrinting(CDC* dc, CPrintInfo* info);
    virtual void OnPrint(CDC* dc, CPrintInfo* info);
    virtual void OnEndPrinting(CDC* dc, CPrintInfo* info);
    // Shows the print dialog unless printing straight away; FALSE when the
    // user cancelled.
    BOOL DoPreparePrinting(CPrintInfo* info);

    void OnPaint() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void RunPrintJob(CPrintInfo& info);

    CDocument* m_pDocument = nullptr;
};

// The framework's print commands.
constexpr UINT ID_FILE_PRINT = 57607;
constexpr UINT ID_FILE_PRINT_DIRECT = 57608;
constexpr UINT ID_FILE_PRINT_PREVIEW = 57609;
