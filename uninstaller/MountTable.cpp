#include "MountTable.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string_view>

namespace mnemex::uninstall {

namespace {

// "\040" and its like back to the character they stand for.
std::string Unescape(const std::string& field) {
    std::string out;
    for (std::size_t k = 0; k < field.size(); ++k) {
        const bool octal = field[k] == '\\' && k + 3 < field.size() &&
                           std::all_of(field.begin() + static_cast<std::ptrdiff_t>(k) + 1,
                                       field.begin() + static_cast<std::ptrdiff_t>(k) + 4,
                                       [](char c) { return c >= '0' && c <= '7'; });
        if (octal) {
            out += static_cast<char>((field[k + 1] - '0') * 64 + (field[k + 2] - '0') * 8 +
                                     (field[k + 3] - '0'));
            k += 3;
        } else {
            out += field[k];
        }
    }
    return out;
}

}  // namespace

bool IsRemoteOrAutomountType(const std::string& type) {
    static constexpr std::array<std::string_view, 22> kTypes = {
        "nfs",      "nfs4",  "cifs",    "smb3",   "smbfs",     "9p",    "afs",   "ceph",
        "coda",     "davfs", "ncpfs",   "lustre", "glusterfs", "gfs2",  "ocfs2", "pvfs2",
        "orangefs", "fuse",  "fuseblk", "autofs", "automount", "sshfs",
    };
    if (type.rfind("fuse.", 0) == 0) {
        return true;
    }
    return std::find(kTypes.begin(), kTypes.end(), type) != kTypes.end();
}

std::vector<std::filesystem::path> SkippedMountPoints(const std::string& mountInfo) {
    std::vector<std::filesystem::path> skipped;
    std::istringstream lines(mountInfo);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        const std::vector<std::string> words{std::istream_iterator<std::string>(fields),
                                             std::istream_iterator<std::string>()};
        const auto separator = std::find(words.begin(), words.end(), "-");
        if (words.size() < 5 || separator == words.end() || separator + 1 == words.end() ||
            separator - words.begin() < 6) {
            continue;  // not a mount line
        }
        if (IsRemoteOrAutomountType(*(separator + 1))) {
            skipped.emplace_back(Unescape(words[4]));
        }
    }
    return skipped;
}

std::vector<std::filesystem::path> SystemSkippedMountPoints() {
    std::ifstream in("/proc/self/mountinfo");
    if (!in) {
        return {};
    }
    std::ostringstream text;
    text << in.rdbuf();
    return SkippedMountPoints(text.str());
}

}  // namespace mnemex::uninstall
