// What the search command sees of the window: the folder box, the four list boxes, the
// four captions, and whether the window is still there. The Windows window, the scanner
// and the tests' fakes each implement it.
#pragma once

#include "platform/Platform.h"
#include "readers/Text.h"

enum class ListBox { 编辑框2, 编辑框3, 编辑框4, 编辑框5 };
enum class Caption { 标签2, 标签3, 标签4, 标签5 };

class SearchView {
public:
    virtual ~SearchView() = default;

    // The current text of the folder box 编辑框1, exactly as the user left it. It names a
    // folder, so it is a native path and never passes through code page 936.
    [[nodiscard]] virtual NativePath ReadBoxText() = 0;

    // Replaces a list box's whole text.
    virtual void SetBoxText(ListBox box, const Text& text) = 0;

    // Appends text at the end of a list box's text and shows the end.
    virtual void AppendBoxText(ListBox box, const Text& text) = 0;

    // Replaces a label's caption.
    virtual void SetCaption(Caption label, const Text& text) = 0;

    // False once the window has been closed: nothing may be written into it any more.
    [[nodiscard]] virtual bool IsOpen() = 0;
};
