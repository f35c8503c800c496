// The search command's view of the main window.
#pragma once

#include "analysis/SearchView.h"
#include "app/MainWindow.h"

// Appends to a list box are gathered and put into the box in one insertion: an edit box
// that takes a hundred thousand insertions one by one needs minutes, one insertion of the
// same text takes a fraction of a second, and both leave the same text with the caret at
// its end. The gathered text goes in before anything else is written to the window, and
// at the latest when the view is destroyed, at the end of the search; the search
// dispatches no messages while it writes, so nothing can see the box in between.
class WindowView final : public SearchView {
public:
    explicit WindowView(MainWindowState& state) : state_(state) {}
    ~WindowView() override { FlushAppends(); }
    WindowView(const WindowView&) = delete;
    WindowView& operator=(const WindowView&) = delete;

    NativePath ReadBoxText() override;
    void SetBoxText(ListBox box, const Text& text) override;
    void AppendBoxText(ListBox box, const Text& text) override;
    void SetCaption(Caption label, const Text& text) override;
    bool IsOpen() override { return !state_.destroyed; }

    // Puts the gathered appends into their boxes.
    void FlushAppends();

private:
    MainWindowState& state_;
    std::array<std::wstring, 4> pending_;  // per list box, 编辑框2 to 编辑框5
};

// A control's whole text.
[[nodiscard]] std::wstring WindowText(HWND window);

// Appends text at the end of an edit box: the caret to the end, scrolled into view, the
// text inserted there without an undo record.
void AppendWideText(HWND box, const std::wstring& text);
