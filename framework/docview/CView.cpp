#include "CView.h"

#include "CCmdUI.h"
#include "CDC.h"
#include "CDocument.h"
#include "CFile.h"
#include "CPrintDialog.h"
#include "ModalSeam.h"
#include "WindowDC.h"

#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrinterInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <cstdio>
#include <map>

namespace {

std::map<const CDocument*, std::vector<CView*>>& Registry()
{
    static std::map<const CDocument*, std::vector<CView*>> views;
    return views;
}

CString& DirectPrintFile()
{
    static CString path = "nolvex-print.pdf";
    return path;
}

CString& DirectPrinterName()
{
    static CString name;
    return name;
}

} // namespace

void CView::SetDirectPrinterName(const CString& name)
{
    DirectPrinterName() = name;
}

void CView::SetDirectPrintFile(const CString& path)
{
    DirectPrintFile() = path;
}

bool CView::HandlesCommand(UINT id) const
{
    return id == ID_FILE_PRINT || id == ID_FILE_PRINT_DIRECT || id == ID_FILE_PRINT_PREVIEW;
}

void CView::OnUpdateCommand(CCmdUI* ui)
{
    if (HandlesCommand(ui->m_nID))
        ui->Enable();
}

CPrintInfo::CPrintInfo() = default;
CPrintInfo::~CPrintInfo() = default;

CView::CView() = default;

CView::~CView()
{
    SetDocument(nullptr);
}

void CView::SetDocument(CDocument* document)
{
    if (m_pDocument != nullptr) {
        auto& views = Registry()[m_pDocument];
        views.erase(std::remove(views.begin(), views.end(), this), views.end());
        if (views.empty())
            Registry().erase(m_pDocument);
    }
    m_pDocument = document;
    if (document != nullptr)
        Registry()[document].push_back(this);
}

std::vector<CView*> CView::ViewsOf(const CDocument* document)
{
    const auto found = Registry().find(document);
    return found != Registry().end() ? found->second : std::vector<CView*>{};
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnDraw(&dc);
}

BOOL CView::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case ID_FILE_PRINT:
        OnFilePrint();
        return TRUE;
    case ID_FILE_PRINT_DIRECT:
        OnFilePrintDirect();
        return TRUE;
    case ID_FILE_PRINT_PREVIEW:
        OnFilePrintPreview();
        return TRUE;
    default:
        return CWnd::OnCommand(wParam, lParam);
    }
}

// Printing -------------------------------------------------------------------

BOOL CView::OnPreparePrinting(CPrintInfo* info)
{
    return DoPreparePrinting(info);
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CView::OnPrint(CDC* dc, CPrintInfo*)
{
    OnDraw(dc);
}

void CView::OnEndPrinting(CDC*, CPrintInfo*) {}

BOOL CView::DoPreparePrinting(CPrintInfo* info)
{
    info->m_pPD = std::make_unique<CPrintDialog>(
        FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION | PD_RETURNDC, this);
    if (info->m_bDirect) {
        // Straight to the default printer, or to a PDF file when there is
        // none.
        QPrinter* printer = info->m_pPD->GetPrinter();
        const QPrinterInfo named = QPrinterInfo::printerInfo(DirectPrinterName().ToQString());
        if (!DirectPrinterName().IsEmpty() && !named.isNull()) {
            printer->setPrinterName(named.printerName());
        } else if (QPrinterInfo::defaultPrinter().isNull()) {
            QTemporaryFile partial(DirectPrintFile().ToQString() + ".XXXXXX");
            if (!partial.open())
                return FALSE;
            partial.setAutoRemove(false);
            info->m_strPartialFile = CString::FromQString(partial.fileName());
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(partial.fileName());
        }
        return info->m_pPD->Confirm();
    }
    return info->m_pPD->DoModal() == IDOK;
}

void CView::RunPrintJob(CPrintInfo& info)
{
    // The partial file of a direct print takes the PDF file's place only
    // when the whole job went through; otherwise it goes.
    struct PartialFile
    {
        CPrintInfo& info;
        bool complete = false;
        ~PartialFile()
        {
            if (info.m_strPartialFile.IsEmpty())
                return;
            if (complete && MoveFileIntoPlace(info.m_strPartialFile, DirectPrintFile()))
                return;
            std::remove(QFile::encodeName(info.m_strPartialFile.ToQString()).constData());
        }
    } partialFile{info};
    if (!OnPreparePrinting(&info))
        return;
    CDC* dc = info.m_pPD->GetPrinterDC();
    if (dc == nullptr)
        return;
    dc->m_bPrinting = TRUE;
    DOCINFO document{};
    document.cbSize = sizeof(DOCINFO);
    CString title;
    GetWindowText(title);
    document.lpszDocName = title.GetString();
    if (dc->StartDoc(&document) <= 0)
        return;
    OnBeginPrinting(dc, &info);
    info.m_rectDraw = CRect(0, 0, dc->GetDeviceCaps(HORZRES), dc->GetDeviceCaps(VERTRES));
    for (info.m_nCurPage = info.GetMinPage();
         info.m_nCurPage <= info.GetMaxPage() && info.m_bContinuePrinting; ++info.m_nCurPage) {
        dc->StartPage();
        OnPrint(dc, &info);
        // A view that ended the page (or the document) itself has printed
        // its page.
        if (dc->EndPage() <= 0 && dc->GetPainter() == nullptr)
            break;
    }
    OnEndPrinting(dc, &info);
    // A view may have ended the document itself.
    const bool ended = dc->GetPainter() == nullptr || dc->EndDoc() > 0;
    partialFile.complete = ended && info.m_pPD->GetPrinter()->printerState() != QPrinter::Error;
}

void CView::OnFilePrint()
{
    CPrintInfo info;
    RunPrintJob(info);
}

void CView::OnFilePrintDirect()
{
    CPrintInfo info;
    info.m_bDirect = TRUE;
    RunPrintJob(info);
}

void CView::OnFilePrintPreview()
{
    // The pages as they would print, on the default printer, in the
    // system's preview window.
    ModalRequest request;
    request.kind = ModalRequest::dialog;
    request.text = "CPrintPreview";
    request.dialogObject = this;
    request.owner = this;
    ModalSeam::Run(request, [this]() -> INT_PTR {
        QPrinter printer(QPrinter::HighResolution);
        QPrintPreviewDialog preview(&printer, GetHostWidget());
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                         [this](QPrinter* target) { PrintOn(target); });
        return preview.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
    });
}

void CView::PrintOn(QPrinter* printer)
{
    CPrintInfo info;
    info.m_bPreview = TRUE;
    CDC dc;
    dc.AttachPrinter(printer);
    dc.m_bPrinting = TRUE;
    DOCINFO document{};
    document.cbSize = sizeof(DOCINFO);
    if (dc.StartDoc(&document) <= 0)
        return;
    OnBeginPrinting(&dc, &info);
    info.m_rectDraw = CRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
    dc.StartPage();
    OnPrint(&dc, &info);
    dc.EndPage();
    OnEndPrinting(&dc, &info);
    dc.EndDoc();
}
