// The scanner's stand-in for the window: the folder box holds the folder being searched,
// and the captions are kept for the report. The list boxes need not be kept: at the end
// they hold exactly the store's lists, which the report reads from the store itself.
#pragma once

#include <array>

#include "analysis/SearchView.h"

class ScanView final : public SearchView {
public:
    NativePath ReadBoxText() override { return folder; }
    void SetBoxText(ListBox, const Text&) override {}
    void AppendBoxText(ListBox, const Text&) override {}
    void SetCaption(Caption label, const Text& text) override { captions[static_cast<size_t>(label)] = text; }
    bool IsOpen() override { return true; }

    NativePath folder;
    std::array<Text, 4> captions;  // 标签2 to 标签5
};
