// fathomlist-read-floor: the least any search of a tree must do, as the yardstick for the
// scanner. It walks the tree once and reads every data file (*.dgn, *.map, *.act, letters
// in any case) whole, with the same calls per file as the scanner makes (open, fstat, read,
// close) into one buffer that it reuses, and does nothing with the bytes.
//
//   fathomlist-read-floor [--repeat N] FOLDER
//
// Prints one line per run: "seconds files bytes folders".
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Totals {
    long files = 0;
    long folders = 0;
    unsigned long long bytes = 0;
};

bool IsDataFile(std::string_view name) {
    if (name.size() < 4 || name[name.size() - 4] != '.') return false;
    char ext[3];
    for (int i = 0; i < 3; ++i) {
        const char c = name[name.size() - 3 + size_t(i)];
        ext[i] = (c >= 'A' && c <= 'Z') ? char(c + 32) : c;
    }
    const std::string_view e(ext, 3);
    return e == "dgn" || e == "map" || e == "act";
}

void ReadWhole(const std::string& path, std::vector<char>& buffer, Totals& totals) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return;
    struct stat info {};
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        const size_t size = size_t(info.st_size);
        if (buffer.size() < size) buffer.resize(size);
        size_t got = 0;
        while (got < size) {
            const ssize_t n = read(fd, buffer.data() + got, size - got);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            got += size_t(n);
        }
        totals.bytes += got;
        ++totals.files;
    }
    close(fd);
}

void Walk(std::string folder, std::vector<char>& buffer, Totals& totals) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) return;
    ++totals.folders;
    if (folder.back() != '/') folder += '/';
    std::vector<std::string> subFolders;
    while (const dirent* entry = readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (entry->d_type == DT_DIR) {
            if (name != "." && name != "..") subFolders.emplace_back(name);
        } else if (IsDataFile(name)) {
            ReadWhole(folder + entry->d_name, buffer, totals);
        }
    }
    closedir(dir);
    for (const std::string& sub : subFolders)
        Walk(folder + sub, buffer, totals);
}

}  // namespace

int main(int argc, char** argv) {
    int repeat = 1;
    const char* folder = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc) {
            repeat = std::max(1, std::atoi(argv[++i]));
        } else if (!folder && argv[i][0] != '-') {
            folder = argv[i];
        } else {
            folder = nullptr;
            break;
        }
    }
    if (!folder) {
        std::fputs("usage: fathomlist-read-floor [--repeat N] FOLDER\n", stderr);
        return 2;
    }
    std::vector<char> buffer;
    for (int run = 0; run < repeat; ++run) {
        Totals totals;
        const auto start = std::chrono::steady_clock::now();
        Walk(folder, buffer, totals);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("%.6f %ld %llu %ld\n", seconds, totals.files, totals.bytes, totals.folders);
    }
    return 0;
}
