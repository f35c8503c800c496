#include "cli/Report.h"

#include <cstdio>

#include "readers/CodePage.h"

namespace {

// An entry on one line: what would break the line or hide in it is shown as an escape.
std::string ListingEntry(const Text& entry) {
    if (entry.empty()) return "  (empty)\n";
    std::string line = "  ";
    for (char c : TextToUtf8(entry)) {
        switch (c) {
            case '\t': line += "\\t"; break;
            case '\r': line += "\\r"; break;
            case '\n': line += "\\n"; break;
            default: line += c;
        }
    }
    return line + "\n";
}

std::string ListingCaption(const Text& caption) {
    std::string lines;
    for (const Text& line : SplitText(caption, "\r\n")) lines += TextToUtf8(line) + "\n";
    return lines;
}

std::string JsonString(const Text& text) {
    std::string quoted = "\"";
    for (char c : TextToUtf8(text)) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"': quoted += "\\\""; break;
            case '\\': quoted += "\\\\"; break;
            case '\t': quoted += "\\t"; break;
            case '\r': quoted += "\\r"; break;
            case '\n': quoted += "\\n"; break;
            default:
                if (byte < 0x20) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\u%04x", byte);
                    quoted += escape;
                } else {
                    quoted += c;
                }
        }
    }
    return quoted + "\"";
}

std::string JsonArray(const TextList& list, const char* indent) {
    if (list.empty()) return "[]";
    std::string array = "[\n";
    for (size_t i = 0; i < list.size(); ++i) {
        array += indent;
        array += "  " + JsonString(list[i]) + (i + 1 < list.size() ? ",\n" : "\n");
    }
    return array + indent + "]";
}

}  // namespace

std::string FormatListing(const ScanReport& report) {
    const TextList* lists[] = {&report.store.DoorObjectList, &report.store.PassiveObjectList,
                               &report.store.MonsterList, &report.store.ActObjectList};
    std::string out;
    for (size_t i = 0; i < 4; ++i) {
        if (i > 0) out += "\n";
        out += ListingCaption(report.captions[i]);
        for (const Text& entry : *lists[i]) out += ListingEntry(entry);
    }
    return out;
}

std::string FormatJson(const ScanReport& report) {
    const ResultStore& store = report.store;
    std::string out = "{\n";
    out += "  \"door_objects\": " + JsonArray(store.DoorObjectList, "  ") + ",\n";
    out += "  \"passive_objects\": " + JsonArray(store.PassiveObjectList, "  ") + ",\n";
    out += "  \"special_object_count\": " + std::to_string(store.SpecialObjectCount) + ",\n";
    out += "  \"monsters\": " + JsonArray(store.MonsterList, "  ") + ",\n";
    out += "  \"act_objects\": " + JsonArray(store.ActObjectList, "  ") + ",\n";
    out += "  \"captions\": " + JsonArray(TextList(report.captions.begin(), report.captions.end()), "  ") + "\n";
    return out + "}\n";
}
