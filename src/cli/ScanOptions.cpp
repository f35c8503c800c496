#include "cli/ScanOptions.h"

#include "platform/Console.h"

const char* const kUsage = "usage: fathomlist-scan [--json] FOLDER...\n";

const char* const kHelp =
    "usage: fathomlist-scan [--json] [--stats] FOLDER...\n"
    "\n"
    "Searches each FOLDER tree in turn, as if the search button were pressed once per\n"
    "folder, for dungeon (*.dgn), map (*.map) and act (*.act) files, and prints what the\n"
    "window would show at the end: the door objects, the passive objects (with the count of\n"
    "special ones), the monsters and the passive objects the act files create, each list\n"
    "without repeats under its caption.\n"
    "\n"
    "In the listing each entry stands on its own line, indented by two spaces. An empty\n"
    "entry shows as (empty); a TAB, CR or LF inside an entry shows as \\t, \\r or \\n.\n"
    "--json prints the exact texts instead.\n"
    "\n"
    "  --json      one JSON object: door_objects, passive_objects, special_object_count,\n"
    "              monsters, act_objects, captions\n"
    "  --stats     at the end, on stderr: the wall time of each stage (walk: listing the\n"
    "              folders; read: waiting for the files, which a second thread reads\n"
    "              ahead; convert: UTF-8 to code page 936;\n"
    "              extract: sections, regular expressions and splitting; deduplicate;\n"
    "              print: showing and writing the results), the folders visited, the\n"
    "              files and bytes read, and the peak memory; one JSON object with --json\n"
    "  --help      this text\n"
    "  --version   the version\n"
    "  --          what follows is a folder, even if it begins with -\n"
    "\n"
    "Exit status: 0 when every folder was listed, 1 when a folder could not be listed\n"
    "(the results are printed all the same), 2 for bad usage.\n";

namespace {

bool Is(const NativePath& arg, const char* option) { return arg == NativeFromAscii(option); }

ScanOptions UsageError(std::string error) {
    ScanOptions options;
    options.action = ScanOptions::Action::kUsageError;
    options.error = std::move(error);
    return options;
}

}  // namespace

ScanOptions ParseScanOptions(const std::vector<NativePath>& args) {
    ScanOptions options;
    bool optionsEnded = false;
    for (const NativePath& arg : args) {
        if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            if (Is(arg, "--")) {
                optionsEnded = true;
            } else if (Is(arg, "--json")) {
                options.json = true;
            } else if (Is(arg, "--stats")) {
                options.stats = true;
            } else if (Is(arg, "--help") || Is(arg, "-h")) {
                options.action = ScanOptions::Action::kHelp;
                return options;
            } else if (Is(arg, "--version")) {
                options.action = ScanOptions::Action::kVersion;
                return options;
            } else {
                return UsageError("unknown option '" + NativeToUtf8(arg) + "'");
            }
        } else if (arg.empty()) {
            return UsageError("a folder argument is empty");
        } else {
            options.folders.push_back(arg);
        }
    }
    if (options.folders.empty()) return UsageError("no folder given");
    return options;
}
