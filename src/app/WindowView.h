// The search command's view of the main window.
#pragma once

#include "analysis/SearchView.h"
#include "app/MainWindow.h"

class WindowView final : public SearchView {
public:
    explicit WindowView(MainWindowState& state) : state_(state) {}

    NativePath ReadBoxText() override;
    void SetBoxText(ListBox box, const Text& text) override;
    void AppendBoxText(ListBox box, const Text& text) override;
    void SetCaption(Caption label, const Text& text) override;
    bool IsOpen() override { return !state_.destroyed; }

private:
    MainWindowState& state_;
};

// A control's whole text.
[[nodiscard]] std::wstring WindowText(HWND window);

// Appends text at the end of an edit box: the caret to the end, scrolled into view, the
// text inserted there without an undo record.
void AppendWideText(HWND box, const std::wstring& text);
