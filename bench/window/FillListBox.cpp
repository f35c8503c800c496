// How long the window takes to show a long list: a search's appends of 100 000 entries to a
// list box, against setting the same whole text in one call. Both must leave the same
// text with the caret at its end.
//   fathomlist-fill-bench [ENTRIES]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "analysis/ResultStore.h"
#include "app/MainWindow.h"
#include "app/WindowView.h"
#include "readers/CodePage.h"

namespace {

double Milliseconds() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

DWORD CaretOf(HWND box) {
    DWORD start = 0, end = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return end;
}

}  // namespace

int main(int argc, char** argv) {
    const int entries = argc > 1 ? std::atoi(argv[1]) : 100000;
    CreateResultStore();
    MainWindowState state;
    if (!CreateMainWindow(state)) return 1;
    ShowWindow(state.window, SW_SHOWNORMAL);
    const HWND box = ControlWindow(state, ControlId::编辑框3);

    Text whole;
    double start = Milliseconds();
    {
        WindowView view(state);
        view.SetBoxText(ListBox::编辑框3, Text());
        for (int i = 0; i < entries; ++i) {
            const Text entry = std::to_string(1000 + (i * 7919) % 90000) + "\r\n";
            whole += entry;
            view.AppendBoxText(ListBox::编辑框3, entry);
        }
    }
    const double appended = Milliseconds() - start;
    const std::wstring appendedText = WindowText(box);
    const DWORD appendedCaret = CaretOf(box);

    SetWindowTextW(box, L"");
    start = Milliseconds();
    const std::u16string utf16 = TextToUtf16(whole);
    SetWindowTextW(box, std::wstring(utf16.begin(), utf16.end()).c_str());
    SendMessageW(box, EM_SETSEL, appendedText.size(), appendedText.size());
    SendMessageW(box, EM_SCROLLCARET, 0, 0);
    const double oneCall = Milliseconds() - start;

    const bool same = WindowText(box) == appendedText && CaretOf(box) == appendedCaret;
    std::printf("entries %d: appends %.0f ms, one call %.0f ms, ratio %.2f, same text and caret: %s\n", entries,
                appended, oneCall, appended / oneCall, same ? "yes" : "NO");
    DestroyWindow(state.window);
    ReleaseResultStore();
    return same ? 0 : 1;
}
