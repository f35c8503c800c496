#include "app/Labels.h"

#include <string>

#include "app/WindowView.h"

namespace {

// The font a label was given with WM_SETFONT, kept in the window's extra bytes.
constexpr int kFontSlot = 0;

void PaintLabel(HWND label) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(label, &paint);
    RECT area;
    GetClientRect(label, &area);
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    const LabelLook look = LookOf(static_cast<ControlId>(GetDlgCtrlID(label)));
    const auto font = reinterpret_cast<HFONT>(GetWindowLongPtrW(label, kFontSlot));
    const HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, look.color);
    std::wstring text = WindowText(label);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, look.format);
    if (oldFont) SelectObject(dc, oldFont);
    EndPaint(label, &paint);
}

LRESULT CALLBACK LabelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: PaintLabel(label); return 0;
        case WM_ERASEBKGND: return 1;  // the paint fills the whole label
        case WM_SETFONT:
            SetWindowLongPtrW(label, kFontSlot, static_cast<LONG_PTR>(wParam));
            if (LOWORD(lParam)) InvalidateRect(label, nullptr, TRUE);
            return 0;
        case WM_GETFONT: return GetWindowLongPtrW(label, kFontSlot);
        case WM_SETTEXT: {
            const LRESULT result = DefWindowProcW(label, message, wParam, lParam);
            InvalidateRect(label, nullptr, TRUE);
            return result;
        }
        default: return DefWindowProcW(label, message, wParam, lParam);
    }
}

}  // namespace

LabelLook LookOf(ControlId label) {
    // DT_NOCLIP: the text is cut only by the label's own edges, which clip its window.
    constexpr UINT kWrapped = DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOCLIP;
    constexpr UINT kOneLine = DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOCLIP;
    switch (label) {
        case ControlId::标签1: return {RGB(255, 128, 192), kWrapped};
        case ControlId::标签3: return {RGB(0, 0, 0), kWrapped};
        default: return {RGB(0, 0, 0), kOneLine};
    }
}

bool RegisterLabelClass(HINSTANCE instance) {
    WNDCLASSEXW labelClass{};
    labelClass.cbSize = sizeof labelClass;
    labelClass.lpfnWndProc = LabelProc;
    labelClass.cbWndExtra = sizeof(LONG_PTR);
    labelClass.hInstance = instance;
    labelClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    labelClass.lpszClassName = kLabelClass;
    return RegisterClassExW(&labelClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}
