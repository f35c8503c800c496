// The main window's layout as data: every control with its name, kind, place, size and
// initial text, in the order they are created. The window is built from this table in a
// loop, and the tests walk the same table.
#pragma once

#include <cstddef>

// Control identifiers, also the controls' names.
enum class ControlId : int {
    编辑框1 = 1001,
    按钮2,
    按钮1,
    标签1,
    标签2,
    标签3,
    标签4,
    标签5,
    编辑框2,
    编辑框3,
    编辑框4,
    编辑框5,
};

enum class ControlKind { kFolderBox, kListBox, kButton, kLabel };

struct ControlSpec {
    ControlId id;
    ControlKind kind;
    int left, top, width, height;  // client coordinates
    const wchar_t* text;           // initial text
};

// clang-format off
inline constexpr ControlSpec kControls[] = {
    {ControlId::编辑框1, ControlKind::kFolderBox, 0, 0, 544, 24, L"D:\\Orvane\\Brindlecove"},
    {ControlId::按钮2, ControlKind::kButton, 0, 24, 88, 24, L"浏览文件夹"},
    {ControlId::按钮1, ControlKind::kButton, 88, 24, 80, 24, L"搜索map"},
    {ControlId::标签1, ControlKind::kLabel, 168, 24, 288, 24, L"先选择怪物文件夹，然后点搜索map，等待分析结果"},
    {ControlId::标签2, ControlKind::kLabel, 0, 56, 104, 24, L"门的obj有"},
    {ControlId::标签3, ControlKind::kLabel, 104, 48, 160, 32, L"被动obj有\r\n特殊obj有"},
    {ControlId::标签4, ControlKind::kLabel, 224, 56, 88, 24, L"怪物有"},
    {ControlId::标签5, ControlKind::kLabel, 336, 56, 104, 24, L"act的obj有"},
    {ControlId::编辑框2, ControlKind::kListBox, 0, 80, 104, 280, L""},
    {ControlId::编辑框3, ControlKind::kListBox, 104, 80, 112, 280, L""},
    {ControlId::编辑框4, ControlKind::kListBox, 216, 80, 120, 280, L""},
    {ControlId::编辑框5, ControlKind::kListBox, 336, 80, 120, 280, L""},
};
// clang-format on

inline constexpr size_t kControlCount = sizeof kControls / sizeof kControls[0];

// Tab moves forward through this order and Shift+Tab back, wrapping at both ends.
inline constexpr ControlId kFocusOrder[] = {
    ControlId::按钮1,   ControlId::按钮2,   ControlId::编辑框1, ControlId::编辑框2,
    ControlId::编辑框3, ControlId::编辑框4, ControlId::编辑框5,
};

inline constexpr size_t IndexOf(ControlId id) { return static_cast<size_t>(id) - static_cast<size_t>(ControlId::编辑框1); }

inline constexpr wchar_t kWindowTitle[] = L"Fathomlist ByQuorrel Tessamy";
inline constexpr int kWindowWidth = 461;   // outer size, frame and title bar included
inline constexpr int kWindowHeight = 386;
