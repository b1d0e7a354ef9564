#include "WindowClass.h"

#include <map>
#include <string>

namespace {

std::map<std::u16string, WNDCLASS>& Classes()
{
    static std::map<std::u16string, WNDCLASS> classes;
    return classes;
}

} // namespace

WORD RegisterClass(const WNDCLASS* windowClass)
{
    if (windowClass == nullptr || windowClass->lpszClassName.IsEmpty())
        return 0;
    const auto [where, added] = Classes().emplace(windowClass->lpszClassName.Text(), *windowClass);
    if (!added)
        return 0;
    return static_cast<WORD>(Classes().size());
}

BOOL GetClassInfo(const CString& className, WNDCLASS* windowClass)
{
    const auto found = Classes().find(className.Text());
    if (found == Classes().end())
        return FALSE;
    if (windowClass != nullptr)
        *windowClass = found->second;
    return TRUE;
}

CString AfxRegisterWndClass(UINT style, HCURSOR cursor, HBRUSH background)
{
    const CString name = CString::Formatted("Afx:%x:%p:%p", style, static_cast<const void*>(cursor),
                                            static_cast<const void*>(background));
    if (!GetClassInfo(name, nullptr)) {
        WNDCLASS windowClass;
        windowClass.style = style;
        windowClass.hCursor = cursor;
        windowClass.hbrBackground = background;
        windowClass.lpszClassName = name;
        RegisterClass(&windowClass);
    }
    return name;
}
