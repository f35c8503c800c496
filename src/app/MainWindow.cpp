#include "app/MainWindow.h"

#include <commctrl.h>

#include "analysis/SearchCommand.h"
#include "analysis/SharedListings.h"
#include "app/Keyboard.h"
#include "app/Labels.h"
#include "app/Resources.h"
#include "app/Startup.h"
#include "app/WindowView.h"

namespace {

constexpr wchar_t kWindowClass[] = L"FathomlistMainWindow";

static_assert(IndexOf(ControlId::编辑框5) == kControlCount - 1);

struct ControlClass {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

ControlClass ClassOf(ControlKind kind) {
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
    switch (kind) {
        case ControlKind::kFolderBox:
            return {L"EDIT", kChild | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case ControlKind::kListBox:
            return {L"EDIT", kChild | WS_TABSTOP | WS_VSCROLL | ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                    WS_EX_CLIENTEDGE};
        case ControlKind::kButton:
            return {L"BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE, 0};
        case ControlKind::kLabel: return {kLabelClass, kChild | WS_CLIPSIBLINGS, 0};
    }
    return {};
}

MainWindowState& StateOf(HWND window) {
    return *reinterpret_cast<MainWindowState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

bool CreateControls(MainWindowState& state) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(state.window, GWLP_HINSTANCE));
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    for (const ControlSpec& spec : kControls) {
        const ControlClass cls = ClassOf(spec.kind);
        const HWND control = CreateWindowExW(cls.exStyle, cls.className, spec.text, cls.style, spec.left, spec.top,
                                             spec.width, spec.height, state.window,
                                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), instance, nullptr);
        if (!control) return false;
        state.controls[IndexOf(spec.id)] = control;
        SendMessageW(control, WM_SETFONT, font, FALSE);
        if (spec.kind == ControlKind::kFolderBox || spec.kind == ControlKind::kListBox)
            SendMessageW(control, EM_SETLIMITTEXT, 0, 0);  // 0: the platform's maximum
        if (spec.kind != ControlKind::kLabel) InstallKeyHandling(state, control);
    }
    // Where 标签3 and 标签4 overlap, 标签4 lies above.
    SetWindowPos(ControlWindow(state, ControlId::标签4), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

void OnSearch(MainWindowState& state) {
    WindowView view(state);
    SharedListings files(SystemFileSystem());
    SearchCommand(view, Platform{files, SystemMessagePump()});
}

void OnCommand(MainWindowState& state, int id, int code) {
    if (code != BN_CLICKED) return;
    if (id == static_cast<int>(ControlId::按钮1)) OnSearch(state);
    if (id == static_cast<int>(ControlId::按钮2)) BrowseCommand(state);
}

LRESULT OnColorEdit(HDC dc) {
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

// The focus leaves with the window's activation and comes back to the control that had it.
void OnActivate(MainWindowState& state, WPARAM how) {
    if (LOWORD(how) == WA_INACTIVE) {
        state.focus = GetFocus();
    } else {
        SetFocus(state.focus && IsWindow(state.focus) ? state.focus : ControlWindow(state, ControlId::编辑框1));
    }
}

void OnDestroy(MainWindowState& state) {
    state.destroyed = true;
    if (state.onDestroyed) state.onDestroyed();
}

LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* state = static_cast<MainWindowState*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        state->window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    }
    if (!GetWindowLongPtrW(window, GWLP_USERDATA)) return DefWindowProcW(window, message, wParam, lParam);
    MainWindowState& state = StateOf(window);
    switch (message) {
        case WM_COMMAND: OnCommand(state, LOWORD(wParam), HIWORD(wParam)); return 0;
        case WM_CTLCOLOREDIT: return OnColorEdit(reinterpret_cast<HDC>(wParam));
        case WM_KEYDOWN:
            if (HandleWindowKey(state, window, wParam)) return 0;
            break;
        case WM_ACTIVATE: OnActivate(state, wParam); return 0;
        case WM_DESTROY: OnDestroy(state); return 0;
        default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return Dispatch(window, message, wParam, lParam);
    } catch (...) {
        FatalError(L"Fathomlist met an internal fault and has to close.");
    }
}

bool RegisterWindowClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadApplicationIcon(instance, false);
    windowClass.hIconSm = LoadApplicationIcon(instance, true);
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

HWND ControlWindow(const MainWindowState& state, ControlId id) { return state.controls[IndexOf(id)]; }

bool CreateMainWindow(MainWindowState& state) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!RegisterWindowClass(instance) || !RegisterLabelClass(instance)) return false;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - kWindowWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - kWindowHeight) / 2;
    const HWND window = CreateWindowExW(0, kWindowClass, kWindowTitle, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                        left, top, kWindowWidth, kWindowHeight, nullptr, nullptr, instance, &state);
    if (!window) return false;
    if (!CreateControls(state)) {
        DestroyWindow(window);
        return false;
    }
    state.focus = ControlWindow(state, ControlId::编辑框1);
    return true;
}
