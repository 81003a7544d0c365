#include "core/output/PendingNames.h"

#include <unistd.h>

#include <filesystem>
#include <map>
#include <system_error>
#include <utility>

namespace mnemex::output {

namespace {

struct Pending {
    std::string Path;
    bool Folder = false;
};

std::recursive_mutex& ListLock() {
    static std::recursive_mutex lock;
    return lock;
}

std::map<std::size_t, Pending>& List() {
    static std::map<std::size_t, Pending> list;
    return list;
}

}  // namespace

PendingName::PendingName(std::string path, bool folder) {
    const auto hold = HoldPendingNames();
    static std::size_t next = 0;
    id_ = next++;
    List().emplace(id_, Pending{std::move(path), folder});
}

PendingName::~PendingName() {
    const auto hold = HoldPendingNames();
    List().erase(id_);
}

std::unique_lock<std::recursive_mutex> HoldPendingNames() {
    return std::unique_lock<std::recursive_mutex>(ListLock());
}

void RemovePendingNames() {
    ListLock().lock();  // never released: the program ends next
    for (const auto& [id, pending] : List()) {
        if (pending.Folder) {
            std::error_code ignored;
            std::filesystem::remove_all(pending.Path, ignored);
        } else {
            ::unlink(pending.Path.c_str());
        }
    }
    List().clear();
}

}  // namespace mnemex::output
