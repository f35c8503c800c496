// Stage marks: where a search passes from one stage to the next, for whoever measures the
// stages (the scanner's --stats). The file system calls show where listing and reading
// begin and end; these marks show the rest: a data file's conversion done, and the
// de-duplication of the lists begun and done.
//
// Nothing is measured here. Unless the platform names an observer, a mark costs one test
// of a pointer. The observer runs on the search's thread and must not touch the search's
// state.
#pragma once

#include "platform/Platform.h"

enum class SearchStage {
    kExtract,      // a data file's text is ready: its reader now takes out the entries
    kDeduplicate,  // every walk is done: the lists lose their repeats
    kShow,         // the lists are done: the window shows them
};

class StageObserver {
public:
    virtual ~StageObserver() = default;
    virtual void StageBegins(SearchStage stage) = 0;
};

inline void MarkStage(const Platform& platform, SearchStage stage) {
    if (platform.stages) platform.stages->StageBegins(stage);
}
