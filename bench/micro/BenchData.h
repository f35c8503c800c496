// Data for the micro-benchmarks, made once per process from the tree generator's contents,
// so the micro-benchmarks and the tree benchmark measure the same kind of files.
#pragma once

#include <string>
#include <vector>

#include "platform/Platform.h"
#include "readers/Text.h"

namespace bench {

// count files of each kind as their UTF-8 bytes, the same every run.
const std::vector<std::string>& MapFiles();
const std::vector<std::string>& ActFiles();
const std::vector<std::string>& DungeonFiles();

// The files above as code page 936 Text, as the readers see them after conversion.
const std::vector<Text>& MapTexts();

// Passive object lines of 10 to 60 entries, in code page 936 (plain ASCII, as in the files).
const std::vector<Text>& PassiveLines();

// The total size in bytes of a list of strings.
size_t TotalBytes(const std::vector<std::string>& items);

// A file system that serves a list of files from memory, one after another whatever the
// path: the readers' work without the disk (a read is a copy, as from the page cache).
class MemoryFileSystem final : public FileSystem {
  public:
    explicit MemoryFileSystem(const std::vector<std::string>& files) : files_(files) {}
    std::unique_ptr<DirectoryListing> StartListing(const NativePath&, std::string_view) override {
        return nullptr;
    }
    std::string ListingError(const NativePath&) override { return {}; }
    ByteData ReadWholeFile(const NativePath&) override { return files_[next_++ % files_.size()]; }

  private:
    const std::vector<std::string>& files_;
    size_t next_ = 0;
};

class NoMessages final : public MessagePump {
  public:
    void DispatchPendingMessages() override {}
};

}  // namespace bench
