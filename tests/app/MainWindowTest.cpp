// The main window, driven with messages as the user's actions would arrive.
#include "WindowTestSupport.h"
#include "app/Labels.h"

namespace {

RECT ClientRectOf(HWND control, HWND parent) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TEST_F(WindowTest, WindowFrameSizeAndPlace) {
    RECT outer;
    GetWindowRect(state.window, &outer);
    EXPECT_EQ(outer.right - outer.left, 461);
    EXPECT_EQ(outer.bottom - outer.top, 386);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 461) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 386) / 2);
    const LONG style = GetWindowLongW(state.window, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX), WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
    EXPECT_EQ(GetWindowLongW(state.window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(WindowText(state.window), L"Fathomlist ByQuorrel Tessamy");
}

TEST_F(WindowTest, EveryControlAsLaidOut) {
    const auto font = reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (const ControlSpec& spec : kControls) {
        const HWND control = Control(spec.id);
        ASSERT_NE(control, nullptr);
        const RECT rect = ClientRectOf(control, state.window);
        const std::string name = std::to_string(static_cast<int>(spec.id));
        EXPECT_EQ(rect.left, spec.left) << name;
        EXPECT_EQ(rect.top, spec.top) << name;
        EXPECT_EQ(rect.right - rect.left, spec.width) << name;
        EXPECT_EQ(rect.bottom - rect.top, spec.height) << name;
        EXPECT_EQ(WindowText(control), spec.text) << name;
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), font) << name;
        const LONG style = GetWindowLongW(control, GWL_STYLE);
        const LONG exStyle = GetWindowLongW(control, GWL_EXSTYLE);
        switch (spec.kind) {
            case ControlKind::kFolderBox:
                EXPECT_EQ(style & (ES_AUTOHSCROLL | ES_MULTILINE | WS_VSCROLL | ES_READONLY), ES_AUTOHSCROLL) << name;
                EXPECT_TRUE(exStyle & WS_EX_CLIENTEDGE) << name;
                break;
            case ControlKind::kListBox:
                EXPECT_EQ(style & (ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_HSCROLL |
                                   ES_AUTOHSCROLL | ES_READONLY | ES_NOHIDESEL),
                          ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL)
                    << name;
                EXPECT_TRUE(exStyle & WS_EX_CLIENTEDGE) << name;
                break;
            case ControlKind::kButton:
                EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON) << name;
                break;
            case ControlKind::kLabel: EXPECT_EQ(style & WS_TABSTOP, 0) << name; break;
        }
    }
    // Where 标签3 and 标签4 overlap, 标签4 is above.
    bool label3Below = false;
    for (HWND w = GetWindow(Control(ControlId::标签4), GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
        label3Below |= w == Control(ControlId::标签3);
    EXPECT_TRUE(label3Below);
}

TEST_F(WindowTest, LabelLooks) {
    EXPECT_EQ(LookOf(ControlId::标签1).color, RGB(255, 128, 192));
    EXPECT_EQ(LookOf(ControlId::标签1).format, UINT{DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOCLIP});
    EXPECT_EQ(LookOf(ControlId::标签3).format, UINT{DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOCLIP});
    for (ControlId label : {ControlId::标签2, ControlId::标签4, ControlId::标签5}) {
        EXPECT_EQ(LookOf(label).color, RGB(0, 0, 0));
        EXPECT_EQ(LookOf(label).format, UINT{DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOCLIP});
    }
}

TEST_F(WindowTest, TabAndShiftTabFollowTheFocusOrder) {
    const size_t count = std::size(kFocusOrder);
    for (size_t i = 0; i < count; ++i) {
        SetFocus(Control(kFocusOrder[i]));
        PressKey(Control(kFocusOrder[i]), VK_TAB, L'\t');
        EXPECT_EQ(GetFocus(), Control(kFocusOrder[(i + 1) % count])) << "Tab from " << i;
    }
    HoldModifiers(false, true, false);
    for (size_t i = 0; i < count; ++i) {
        SetFocus(Control(kFocusOrder[i]));
        PressKey(Control(kFocusOrder[i]), VK_TAB, L'\t');
        EXPECT_EQ(GetFocus(), Control(kFocusOrder[(i + count - 1) % count])) << "Shift+Tab from " << i;
    }
    HoldModifiers(false, false, false);
    EXPECT_EQ(TextOf(ControlId::编辑框2), L"");  // Tab never types into a list box
}

TEST_F(WindowTest, CtrlAInAListBoxSelectsItsWholeText) {
    const struct {
        bool ctrl, shift, alt;
        bool selectsAll;
    } cases[] = {
        {true, false, false, true},
        {true, true, false, false},
        {true, false, true, false},
        {false, false, false, false},
    };
    const HWND box = Control(ControlId::编辑框3);
    for (const auto& c : cases) {
        SetWindowTextW(box, L"12\r\n34\r\n");
        SendMessageW(box, EM_SETSEL, 1, 1);
        HoldModifiers(c.ctrl, c.shift, c.alt);
        ListKeyDown(box, 'A', (c.ctrl ? 1 : 0) + (c.shift ? 2 : 0) + (c.alt ? 4 : 0));
        DWORD start = 0, end = 0;
        SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start == 0 && end == 8, c.selectsAll) << c.ctrl << c.shift << c.alt;
    }
    // Through the box's key handling too.
    SendMessageW(box, EM_SETSEL, 1, 1);
    HoldModifiers(true, false, false);
    SendMessageW(box, WM_KEYDOWN, 'A', 1);
    DWORD start = 0, end = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 8u);
}

TEST_F(WindowTest, EnterBreaksLinesOnlyInListBoxes) {
    const HWND box = Control(ControlId::编辑框4);
    SetFocus(box);
    PressKey(box, VK_RETURN, L'\r');
    EXPECT_EQ(TextOf(ControlId::编辑框4), L"\r\n");
    EXPECT_EQ(GetFocus(), box);

    const HWND folder = Control(ControlId::编辑框1);
    SetFocus(folder);
    PressKey(folder, VK_RETURN, L'\r');
    EXPECT_EQ(TextOf(ControlId::编辑框1), L"D:\\Orvane\\Brindlecove");
    EXPECT_EQ(GetFocus(), folder);
    PumpMessages();
    EXPECT_EQ(TextOf(ControlId::标签2), L"门的obj有");  // no search ran
}

TEST_F(WindowTest, EscClosesFromAnyControl) {
    for (ControlId id : {ControlId::编辑框1, ControlId::编辑框5, ControlId::按钮1}) {
        if (state.destroyed) {
            state = MainWindowState{};
            ASSERT_TRUE(CreateMainWindow(state));
        }
        PressKey(Control(id), VK_ESCAPE, 0x1B);
        PumpMessages();
        EXPECT_TRUE(state.destroyed) << static_cast<int>(id);
    }
}

TEST_F(WindowTest, GatheredAppendsReachTheBoxInOrder) {
    const HWND box = Control(ControlId::编辑框4);
    {
        WindowView view(state);
        view.SetBoxText(ListBox::编辑框4, "x");
        view.AppendBoxText(ListBox::编辑框4, "1\r\n");
        view.AppendBoxText(ListBox::编辑框4, "\xD6\xD0\r\n");
        view.SetCaption(Caption::标签4, "c");  // what was gathered goes in first
        EXPECT_EQ(TextOf(ControlId::编辑框4), L"x1\r\n中\r\n");
        view.AppendBoxText(ListBox::编辑框4, "2\r\n");
    }
    EXPECT_EQ(TextOf(ControlId::编辑框4), L"x1\r\n中\r\n2\r\n");
    DWORD start = 0, end = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(end, 10u);
}

TEST_F(WindowTest, AppendBoxTextAddsAtTheEnd) {
    const HWND box = Control(ControlId::编辑框2);
    SetWindowTextW(box, L"1\r\n");
    SendMessageW(box, EM_SETSEL, 0, 0);  // the caret elsewhere does not matter
    AppendWideText(box, L"2\r\n");
    EXPECT_EQ(TextOf(ControlId::编辑框2), L"1\r\n2\r\n");
    DWORD start = 0, end = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 6u);
    EXPECT_EQ(end, 6u);
    EXPECT_FALSE(SendMessageW(box, EM_CANUNDO, 0, 0));
}

// A tree with one file of each kind.
void WriteFixture(const TempTree& tree) {
    tree.Write("d/a.dgn", "[pathgate object]\r\n1203\t77\t1203\t\r\n");
    tree.Write("m/b.map",
               "[passive object]\r\n101\t1\t2\t3\t102\t4\t5\t6\t\r\n"
               "[monster]\r\n2001\t5\r\n\xE5\xBC\x95\t1\r\n\r\n[/monster]\r\n"
               "[special passive object]\r\n301\t1\t2\t3\t4\t\r\n");
    tree.Write("c.act", "[CREATE PASSIVEOBJECT]\r\n\r\n[INDEX]\r\n415\t\r\n");
}

TEST_F(WindowTest, SearchFillsCaptionsAndBoxes) {
    TempTree tree;
    WriteFixture(tree);
    SetWindowTextW(Control(ControlId::编辑框1), tree.Path().c_str());
    Click(ControlId::按钮1);
    EXPECT_EQ(TextOf(ControlId::标签2), L"门的obj有2个");
    EXPECT_EQ(TextOf(ControlId::标签3), L"被动obj有3个\r\n特殊obj有1个");
    EXPECT_EQ(TextOf(ControlId::标签4), L"怪物有2个");
    EXPECT_EQ(TextOf(ControlId::标签5), L"act的obj有1个");
    EXPECT_EQ(TextOf(ControlId::编辑框2), L"1203\r\n77\r\n");
    EXPECT_EQ(TextOf(ControlId::编辑框3), L"101\r\n102\r\n301\r\n");
    EXPECT_EQ(TextOf(ControlId::编辑框4), L"2001\r\n引\r\n");
    EXPECT_EQ(TextOf(ControlId::编辑框5), L"415\r\n");
    DWORD start = 0, end = 0;  // each box shows its end, the caret after the last line
    SendMessageW(Control(ControlId::编辑框3), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 15u);
    EXPECT_EQ(end, 15u);

    Click(ControlId::按钮1);  // the same tree again: the same lists, twice the special count
    EXPECT_EQ(TextOf(ControlId::标签3), L"被动obj有3个\r\n特殊obj有2个");
    EXPECT_EQ(TextOf(ControlId::编辑框3), L"101\r\n102\r\n301\r\n");
}

TEST_F(WindowTest, SecondPressDuringASearchRunsANestedSearch) {
    TempTree tree;
    WriteFixture(tree);
    SetWindowTextW(Control(ControlId::编辑框1), tree.Path().c_str());
    PostClick(ControlId::按钮1);  // dispatched at the first dispatch point of the search below
    Click(ControlId::按钮1);
    EXPECT_EQ(TextOf(ControlId::标签3), L"被动obj有3个\r\n特殊obj有2个");
    EXPECT_EQ(TextOf(ControlId::编辑框2), L"1203\r\n77\r\n");
}

TEST_F(WindowTest, ClosingTheWindowDuringASearch) {
    TempTree tree;
    WriteFixture(tree);
    SetWindowTextW(Control(ControlId::编辑框1), tree.Path().c_str());
    PostMessageW(state.window, WM_CLOSE, 0, 0);  // arrives at the search's first dispatch point
    Click(ControlId::按钮1);
    EXPECT_TRUE(state.destroyed);
    EXPECT_TRUE(Results().DoorObjectList.empty());  // the search read nothing after the close
}

TEST_F(WindowTest, FileHeldOpenForWritingContributesNothing) {
    TempTree tree;
    tree.Write("a.dgn", "[pathgate object]\r\n5\t\r\n");
    const HANDLE writer = CreateFileW(tree.Path("a.dgn").c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    SetWindowTextW(Control(ControlId::编辑框1), tree.Path().c_str());
    Click(ControlId::按钮1);
    EXPECT_EQ(TextOf(ControlId::编辑框2), L"");
    CloseHandle(writer);
    Click(ControlId::按钮1);
    EXPECT_EQ(TextOf(ControlId::编辑框2), L"5\r\n");
}

// Cancels the folder browser as soon as it shows: it is the dialog the thread owns.
BOOL CALLBACK CancelDialog(HWND window, LPARAM cancelled) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) != L"#32770" || !IsWindowVisible(window)) return TRUE;
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    *reinterpret_cast<bool*>(cancelled) = true;
    return FALSE;
}

bool gCancelled = false;

void CALLBACK CancelBrowser(HWND, UINT, UINT_PTR timer, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), CancelDialog, reinterpret_cast<LPARAM>(&gCancelled));
    if (gCancelled) KillTimer(nullptr, timer);
}

TEST_F(WindowTest, CancelledFolderBrowserEmptiesTheFolderBox) {
    gCancelled = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, CancelBrowser);
    Click(ControlId::按钮2);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(gCancelled);
    EXPECT_EQ(TextOf(ControlId::编辑框1), L"");
    EXPECT_TRUE(IsWindowEnabled(state.window));
}

TEST_F(WindowTest, FolderBoxReadsBackExactly) {
    WindowView view(state);
    const std::wstring typed = L"  relative\\한 folder ";
    SetWindowTextW(Control(ControlId::编辑框1), typed.c_str());
    EXPECT_EQ(view.ReadBoxText(), typed);  // untrimmed, and no code page 936 on the way
    view.SetCaption(Caption::标签5, "act\xB5\xC4obj\xD3\xD0" "7\xB8\xF6");
    EXPECT_EQ(TextOf(ControlId::标签5), L"act的obj有7个");
}

}  // namespace
