#include "reports/text/ReportSections.h"

#include <cctype>
#include <string_view>

namespace mnemex::report {

namespace {

struct NamedSection {
    std::string_view name;
    Section section;
};

constexpr NamedSection kNames[] = {
    {"general", kGeneralInformation},
    {"responses", kNetworkResponses},
    {"errors", kNetworkErrors},
    {"weights", kConnectionWeights},
    {"inputs", kInputPatterns},
    {"outputs", kOutputPatterns},
    {"sse", kSSEHistory},
};

std::string Lower(std::string_view text) {
    std::string out;
    for (char c : text)
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// Marks `word` in `set`; false when the word names no section.
bool Tick(const std::string& word, SectionSet& set) {
    if (word == "all") {
        set.fill(true);
        return true;
    }
    for (const auto& named : kNames) {
        if (word == named.name) {
            set[named.section] = true;
            return true;
        }
    }
    return false;
}

}  // namespace

SectionSet DefaultSections() {
    SectionSet set{};
    set[kGeneralInformation] = true;
    set[kNetworkResponses] = true;
    set[kNetworkErrors] = true;
    set[kConnectionWeights] = true;
    return set;
}

std::optional<SectionSet> ParseSectionList(const std::string& list) {
    SectionSet set{};
    std::string_view rest = list;
    if (rest.empty())
        return std::nullopt;
    while (true) {
        const auto comma = rest.find(',');
        std::string_view item = rest.substr(0, comma);
        while (!item.empty() && std::isspace(static_cast<unsigned char>(item.front())))
            item.remove_prefix(1);
        while (!item.empty() && std::isspace(static_cast<unsigned char>(item.back())))
            item.remove_suffix(1);
        if (!Tick(Lower(item), set))
            return std::nullopt;
        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
    }
    return set;
}

}  // namespace mnemex::report
