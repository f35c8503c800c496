#include "analysis/SearchCommand.h"

#include <iterator>
#include <new>
#include <stdexcept>

#include "analysis/Deduplication.h"
#include "analysis/FolderWalk.h"
#include "analysis/ResultStore.h"
#include "readers/ActReader.h"
#include "readers/DungeonReader.h"
#include "readers/MapReader.h"
#include "readers/StageMarks.h"

namespace {

// The captions' fixed parts in code page 936.
constexpr std::string_view kDoorsHave = "\xC3\xC5\xB5\xC4" "obj" "\xD3\xD0";               // 门的obj有
constexpr std::string_view kPassivesHave = "\xB1\xBB\xB6\xAF" "obj" "\xD3\xD0";            // 被动obj有
constexpr std::string_view kSpecialsHave = "\r\n\xCC\xD8\xCA\xE2" "obj" "\xD3\xD0";        // CR LF 特殊obj有
constexpr std::string_view kMonstersHave = "\xB9\xD6\xCE\xEF\xD3\xD0";                      // 怪物有
constexpr std::string_view kActsHave = "act\xB5\xC4" "obj" "\xD3\xD0";                      // act的obj有
constexpr std::string_view kPieces = "\xB8\xF6";                                            // 个

using Reader = void (*)(const NativePath& path, const Platform& platform);

Text CountText(const TextList& list) { return IntegerToText(static_cast<int32_t>(list.size())); }

// Runs the reader over one file. A file too large to hold (its text, or the UTF-16 form and
// the match lists made from it, outgrowing memory, as on a 32-bit system) contributes
// nothing: what the reader had appended before memory ran out is taken back, and the
// search goes on with the next file.
void ReadOrSkip(Reader reader, const NativePath& path, const Platform& platform) {
    ResultStore& store = Results();
    TextList* lists[] = {&store.DoorObjectList, &store.PassiveObjectList, &store.MonsterList, &store.ActObjectList};
    size_t sizes[std::size(lists)];
    for (size_t i = 0; i < std::size(lists); ++i) sizes[i] = lists[i]->size();
    const int32_t specials = store.SpecialObjectCount;
    try {
        reader(path, platform);
        return;
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {  // longer than a string can be
    }
    for (size_t i = 0; i < std::size(lists); ++i) {
        if (lists[i]->size() > sizes[i]) lists[i]->resize(sizes[i]);
    }
    store.SpecialObjectCount = specials;
}

// One walk of the tree named in the folder box, read afresh: the box may have been edited
// while an earlier walk let the window's messages through. Once the window is gone there is
// no box to read and nobody to show the results to, so the search stops walking.
void WalkWith(SearchView& view, const Platform& platform, std::string_view pattern, Reader reader) {
    if (!view.IsOpen()) return;
    const FileHandler handler = [&view, &platform, reader](const NativePath& path) {
        if (view.IsOpen()) ReadOrSkip(reader, NativePath(path), platform);
    };
    WalkFolder(view.ReadBoxText(), handler, pattern, platform, [&view] { return view.IsOpen(); });
}

void ShowList(SearchView& view, Caption label, const Text& caption, ListBox box, const TextList& list) {
    view.SetCaption(label, caption);
    for (const Text& entry : list) view.AppendBoxText(box, ConcatText(entry, "\r\n"));
}

}  // namespace

Text DoorCaption() { return ConcatText(kDoorsHave, CountText(Results().DoorObjectList), kPieces); }

Text PassiveCaption() {
    const ResultStore& store = Results();
    return ConcatText(kPassivesHave, CountText(store.PassiveObjectList), kPieces, kSpecialsHave,
                      IntegerToText(store.SpecialObjectCount), kPieces);
}

Text MonsterCaption() { return ConcatText(kMonstersHave, CountText(Results().MonsterList), kPieces); }

Text ActCaption() { return ConcatText(kActsHave, CountText(Results().ActObjectList), kPieces); }

void SearchCommand(SearchView& view, const Platform& platform) {
    WalkWith(view, platform, "*.dgn", ReadDungeonFile);
    WalkWith(view, platform, "*.map", ReadMapFile);
    WalkWith(view, platform, "*.act", ReadActFile);

    MarkStage(platform, SearchStage::kDeduplicate);
    ResultStore& store = Results();
    RemoveDuplicates(store.DoorObjectList);
    RemoveDuplicates(store.PassiveObjectList);
    RemoveDuplicates(store.MonsterList);
    RemoveDuplicates(store.ActObjectList);
    MarkStage(platform, SearchStage::kShow);

    // The window may have gone while the walks let its messages through.
    if (!view.IsOpen()) return;
    for (ListBox box : {ListBox::编辑框2, ListBox::编辑框3, ListBox::编辑框4, ListBox::编辑框5})
        view.SetBoxText(box, Text());
    // Nothing below dispatches messages, so the window cannot go away during these writes.
    ShowList(view, Caption::标签2, DoorCaption(), ListBox::编辑框2, store.DoorObjectList);
    ShowList(view, Caption::标签3, PassiveCaption(), ListBox::编辑框3, store.PassiveObjectList);
    ShowList(view, Caption::标签4, MonsterCaption(), ListBox::编辑框4, store.MonsterList);
    ShowList(view, Caption::标签5, ActCaption(), ListBox::编辑框5, store.ActObjectList);
}
