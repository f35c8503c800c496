#include "app/WindowView.h"

#include "app/Text16.h"

namespace {

ControlId BoxId(ListBox box) {
    constexpr ControlId ids[] = {ControlId::编辑框2, ControlId::编辑框3, ControlId::编辑框4, ControlId::编辑框5};
    return ids[static_cast<size_t>(box)];
}

ControlId LabelId(Caption label) {
    constexpr ControlId ids[] = {ControlId::标签2, ControlId::标签3, ControlId::标签4, ControlId::标签5};
    return ids[static_cast<size_t>(label)];
}

}  // namespace

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void AppendWideText(HWND box, const std::wstring& text) {
    const int length = GetWindowTextLengthW(box);
    SendMessageW(box, EM_SETSEL, length, length);
    SendMessageW(box, EM_SCROLLCARET, 0, 0);
    SendMessageW(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

NativePath WindowView::ReadBoxText() { return WindowText(ControlWindow(state_, ControlId::编辑框1)); }

void WindowView::SetBoxText(ListBox box, const Text& text) {
    FlushAppends();
    SetWindowTextW(ControlWindow(state_, BoxId(box)), WideFromText(text).c_str());
}

void WindowView::AppendBoxText(ListBox box, const Text& text) { pending_[static_cast<size_t>(box)] += WideFromText(text); }

void WindowView::FlushAppends() {
    for (size_t i = 0; i < pending_.size(); ++i) {
        if (pending_[i].empty()) continue;
        if (!state_.destroyed) AppendWideText(ControlWindow(state_, BoxId(static_cast<ListBox>(i))), pending_[i]);
        pending_[i].clear();
    }
}

void WindowView::SetCaption(Caption label, const Text& text) {
    FlushAppends();
    const HWND window = ControlWindow(state_, LabelId(label));
    SetWindowTextW(window, WideFromText(text).c_str());
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
}
