// The data file text and the three readers on arbitrary bytes as the content of a file:
// a whole search over a folder whose dungeon, map and act file all hold the input, with a
// fresh result store per input. Nothing may crash, and what the lists hold must be what the
// readers promise.
#include <algorithm>
#include <array>
#include <set>

#include "FuzzInput.h"
#include "analysis/ResultStore.h"
#include "analysis/SearchCommand.h"
#include "platform/Wildcard.h"
#include "readers/DataFileText.h"
#include "readers/MapReader.h"

namespace {

constexpr std::array<const char*, 3> kNames = {"x.dgn", "x.map", "x.act"};

class OneEntryListing final : public DirectoryListing {
  public:
    explicit OneEntryListing(std::vector<DirectoryEntry> entries) : entries_(std::move(entries)) {}
    bool Next(DirectoryEntry& entry) override {
        if (next_ == entries_.size()) return false;
        entry = entries_[next_++];
        return true;
    }

  private:
    std::vector<DirectoryEntry> entries_;
    size_t next_ = 0;
};

// The folder "/in/": the three data files, each holding the input.
class InputFileSystem final : public FileSystem {
  public:
    explicit InputFileSystem(std::string_view content) : content_(content) {}

    std::unique_ptr<DirectoryListing> StartListing(const NativePath& folder,
                                                   std::string_view pattern) override {
        if (folder != "/in/") return nullptr;
        std::vector<DirectoryEntry> entries;
        for (const char* name : {".", ".."}) {
            if (MatchesWildcard(name, pattern)) entries.push_back({name, EntryKind::kFolder});
        }
        for (const char* name : kNames) {
            if (MatchesWildcard(name, pattern)) entries.push_back({name, EntryKind::kFile});
        }
        return std::make_unique<OneEntryListing>(std::move(entries));
    }
    std::string ListingError(const NativePath& folder) override { return folder == "/in/" ? "" : "missing"; }
    ByteData ReadWholeFile(const NativePath& path) override {
        ++reads;
        for (const char* name : kNames) {
            if (path == NativePath("/in/") + name) return ByteData(content_);
        }
        return {};
    }

    int reads = 0;

  private:
    std::string_view content_;
};

class NoPump final : public MessagePump {
  public:
    void DispatchPendingMessages() override {}
};

class RecordingView final : public SearchView {
  public:
    NativePath ReadBoxText() override { return "/in"; }
    void SetBoxText(ListBox, const Text&) override {}
    void AppendBoxText(ListBox, const Text&) override {}
    void SetCaption(Caption label, const Text& text) override { captions[static_cast<size_t>(label)] = text; }
    bool IsOpen() override { return true; }
    std::array<Text, 4> captions;
};

bool HasNoRepeats(const TextList& list) {
    return std::set<Text>(list.begin(), list.end()).size() == list.size();
}

bool IsPassiveId(const Text& id) {
    return !id.empty() && id.find_first_not_of("0123456789.-") == Text::npos;
}

void CheckList(const TextList& list) {
    FUZZ_CHECK(HasNoRepeats(list));
    for (const Text& entry : list)
        FUZZ_CHECK(entry.find('\0') == Text::npos);
}

struct Found {
    ResultStore store;
    std::array<Text, 4> captions;
};

Found Search(std::string_view content) {
    CreateResultStore();
    InputFileSystem files(content);
    NoPump pump;
    RecordingView view;
    SearchCommand(view, Platform{files, pump});
    FUZZ_CHECK(files.reads == 3);
    Found found{Results(), view.captions};
    ReleaseResultStore();
    return found;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);

    const Text text = Utf8BytesToText(content);
    FUZZ_CHECK(text.size() <= content.size());
    FUZZ_CHECK(text.find('\0') == Text::npos);

    const Found found = Search(content);
    const ResultStore& store = found.store;
    for (const TextList* list :
         {&store.DoorObjectList, &store.PassiveObjectList, &store.MonsterList, &store.ActObjectList})
        CheckList(*list);
    for (const Text& door : store.DoorObjectList)
        FUZZ_CHECK(door.find('\t') == Text::npos);
    for (const Text& id : store.PassiveObjectList)
        FUZZ_CHECK(IsPassiveId(id));
    for (const Text& monster : store.MonsterList)
        FUZZ_CHECK(monster.find('\t') == Text::npos);
    for (const Text& act : store.ActObjectList)
        FUZZ_CHECK(!act.empty() && TrimBothEnds(act) == act);
    FUZZ_CHECK(store.SpecialObjectCount >= 0);
    FUZZ_CHECK(store.SpecialObjectCount == 0 || !store.PassiveObjectList.empty());

    // The map file alone: one special count per special entry appended, repeats included.
    CreateResultStore();
    {
        InputFileSystem files(content);
        NoPump pump;
        ReadMapFile("/in/x.map", Platform{files, pump});
        FUZZ_CHECK(static_cast<size_t>(Results().SpecialObjectCount) <= Results().PassiveObjectList.size());
    }
    ReleaseResultStore();

    // The same bytes give the same results every time.
    const Found again = Search(content);
    FUZZ_CHECK(again.store.DoorObjectList == store.DoorObjectList);
    FUZZ_CHECK(again.store.PassiveObjectList == store.PassiveObjectList);
    FUZZ_CHECK(again.store.MonsterList == store.MonsterList);
    FUZZ_CHECK(again.store.ActObjectList == store.ActObjectList);
    FUZZ_CHECK(again.store.SpecialObjectCount == store.SpecialObjectCount);
    FUZZ_CHECK(again.captions == found.captions);
    return 0;
}
