// The search for the removal tool when it is not where it was installed: only a tool nobody
// else could have planted or swapped is started, and a folder that hangs (a dead network or
// FUSE mount) cannot hold the search past its limit.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "FakeFileSystem.h"
#include "MountTable.h"
#include "ToolTrust.h"
#include "TreeSearch.h"
#include "tests/support/TempFolder.h"

namespace mnemex::uninstall {
namespace {
namespace fs = std::filesystem;
using std::chrono::milliseconds;
using testsupport::TempFolder;
using testsupport::WriteBytes;

constexpr uid_t kRoot = 0;
constexpr uid_t kUser = 1000;
constexpr uid_t kStranger = 4242;

// The ownership rule, one step at a time, for a user and for root.
TEST(ToolTrust, EachStepOfThePath) {
    struct Row {
        const char* what;
        PathOwnership step;
        bool isFile;
        uid_t user;
        bool safe;
    };
    const Row rows[] = {
        {"own file", {kUser, S_IFREG | 0755}, true, kUser, true},
        {"root's file", {kRoot, S_IFREG | 0755}, true, kUser, true},
        {"stranger's file", {kStranger, S_IFREG | 0755}, true, kUser, false},
        {"stranger's file, root running", {kStranger, S_IFREG | 0755}, true, kRoot, false},
        {"user's file, root running", {kUser, S_IFREG | 0755}, true, kRoot, false},
        {"group-writable file", {kRoot, S_IFREG | 0775}, true, kUser, false},
        {"world-writable file", {kUser, S_IFREG | 0757}, true, kUser, false},
        {"sticky bit does not help a file", {kRoot, S_IFREG | S_ISVTX | 0777}, true, kRoot, false},
        {"link in the file's place", {kRoot, S_IFLNK | 0777}, true, kRoot, false},
        {"own folder", {kUser, S_IFDIR | 0700}, false, kUser, true},
        {"root's folder", {kRoot, S_IFDIR | 0755}, false, kUser, true},
        {"stranger's folder", {kStranger, S_IFDIR | 0755}, false, kUser, false},
        {"group-writable folder", {kUser, S_IFDIR | 0775}, false, kUser, false},
        {"world-writable folder", {kRoot, S_IFDIR | 0777}, false, kRoot, false},
        {"root's sticky world-writable folder (/tmp)",
         {kRoot, S_IFDIR | S_ISVTX | 0777},
         false,
         kUser,
         true},
        {"user's sticky world-writable folder",
         {kUser, S_IFDIR | S_ISVTX | 0777},
         false,
         kUser,
         false},
        {"link in a folder's place", {kRoot, S_IFLNK | 0777}, false, kRoot, false},
        {"a file where a folder must be", {kRoot, S_IFREG | 0755}, false, kRoot, false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(StepIsSafe(row.step, row.isFile, row.user), row.safe) << row.what;
    }
}

// A trusted tool placed deeper, so a planted one nearer the root is met first.
struct PlantedTree {
    TempFolder folder;
    fs::path planted = folder.Path() / "a" / "ST6UNST.EXE";
    fs::path trusted = folder.Path() / "b" / "c" / "ST6UNST.EXE";
    PlantedTree() {
        WriteBytes(planted, "planted");
        WriteBytes(trusted, "trusted");
        for (const char* sub : {"a", "b", "b/c"}) {
            fs::permissions(folder.Path() / sub, fs::perms(0755));
        }
        fs::permissions(planted, fs::perms(0755));
        fs::permissions(trusted, fs::perms(0755));
    }
};

// On the real file system: who may have put the first match there decides whether it is
// started or passed over for the next one.
TEST(ToolTrust, PlantedToolIsPassedOverOnTheDisk) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "changing owners needs root";
    }
    struct Row {
        const char* what;
        std::function<void(const fs::path& folder, const fs::path& tool)> plant;
        bool planted;  // the first match is started
    };
    const auto own = [](const fs::path& p, uid_t u) { ASSERT_EQ(::lchown(p.c_str(), u, 0), 0); };
    const auto mode = [](const fs::path& p, unsigned m) { ASSERT_EQ(::chmod(p.c_str(), m), 0); };
    const Row rows[] = {
        {"root's tool in root's folder", [](const fs::path&, const fs::path&) {}, true},
        {"tool of another user", [&](const fs::path&, const fs::path& t) { own(t, kStranger); },
         false},
        {"folder of another user", [&](const fs::path& f, const fs::path&) { own(f, kStranger); },
         false},
        {"world-writable folder", [&](const fs::path& f, const fs::path&) { mode(f, 0777); },
         false},
        {"group-writable tool", [&](const fs::path&, const fs::path& t) { mode(t, 0775); }, false},
        {"root's sticky folder, root's tool",
         [&](const fs::path& f, const fs::path&) { mode(f, 01777); }, true},
        {"root's sticky folder, another user's tool",
         [&](const fs::path& f, const fs::path& t) {
             mode(f, 01777);
             own(t, kStranger);
         },
         false},
        {"another user's sticky folder",
         [&](const fs::path& f, const fs::path&) {
             mode(f, 01777);
             own(f, kStranger);
         },
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        PlantedTree tree;
        if (!MayStartTool(tree.trusted, ::geteuid())) {
            GTEST_SKIP() << "the temporary folder itself lies where anybody may write";
        }
        row.plant(tree.planted.parent_path(), tree.planted);
        EXPECT_EQ(SearchTree(tree.folder.Path(), "ST6UNST.EXE", milliseconds(10000)),
                  row.planted ? tree.planted : tree.trusted);
    }
}

TEST(ToolTrust, LinksAndOddPathsAreNotTrusted) {
    TempFolder folder;
    WriteBytes(folder.Path() / "real" / "ST6UNST.EXE", "tool");
    fs::create_directory_symlink(folder.Path() / "real", folder.Path() / "link");
    const uid_t me = ::geteuid();
    fs::permissions(folder.Path() / "real", fs::perms(0755));
    fs::permissions(folder.Path() / "real" / "ST6UNST.EXE", fs::perms(0755));
    if (!MayStartTool(folder.Path() / "real" / "ST6UNST.EXE", me)) {
        GTEST_SKIP() << "the temporary folder itself lies where anybody may write";
    }
    EXPECT_FALSE(MayStartTool(folder.Path() / "link" / "ST6UNST.EXE", me));
    EXPECT_FALSE(MayStartTool(folder.Path() / "real" / ".." / "real" / "ST6UNST.EXE", me));
    EXPECT_FALSE(MayStartTool("real/ST6UNST.EXE", me));
    EXPECT_FALSE(MayStartTool(folder.Path() / "missing" / "ST6UNST.EXE", me));
}

// Remote, FUSE and automount file systems are found in the mount table by their type.
TEST(MountTable, RemoteFuseAndAutomountPointsAreSkipped) {
    const std::string table =
        "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
        "23 22 0:5 / /proc rw shared:2 - proc proc rw\n"
        "40 22 0:40 / /mnt/nfs\\040share rw shared:5 - nfs4 server:/export rw,vers=4.2\n"
        "41 22 0:41 / /mnt/old rw - nfs server:/old rw\n"
        "42 22 0:42 / /mnt/win rw master:3 - cifs //host/c rw\n"
        "43 22 0:43 / /mnt/smb rw - smb3 //host/d rw\n"
        "44 22 0:44 / /mnt/vm rw - 9p hostshare rw\n"
        "45 22 0:45 / /home/u/remote rw,nosuid - fuse.sshfs u@host: rw\n"
        "46 22 0:46 / /media/ntfs rw - fuseblk /dev/sdb1 rw\n"
        "47 22 0:47 / /net rw - autofs auto.net rw\n"
        "48 22 8:17 / /data rw - xfs /dev/sdb1 rw\n"
        "broken line\n";
    const std::vector<fs::path> expected = {"/mnt/nfs share", "/mnt/old", "/mnt/win",
                                            "/mnt/smb",       "/mnt/vm",  "/home/u/remote",
                                            "/media/ntfs",    "/net"};
    EXPECT_EQ(SkippedMountPoints(table), expected);
    for (const char* local : {"ext4", "xfs", "btrfs", "tmpfs", "vfat", "overlay"}) {
        EXPECT_FALSE(IsRemoteOrAutomountType(local)) << local;
    }
}

TEST(TreeSearchLimits, SkippedFoldersAreNeverEntered) {
    auto view = std::make_shared<FakeFileSystem>();
    view->AddFile("/r/net/ST6UNST.EXE");
    view->AddFile("/r/zz/deeper/ST6UNST.EXE");
    view->skipped = {"/r/net", "/r"};  // the root itself is searched all the same
    EXPECT_EQ(SearchTree(view, "/r", "ST6UNST.EXE", milliseconds(10000)),
              fs::path("/r/zz/deeper/ST6UNST.EXE"));
    for (const fs::path& listed : view->Listed()) {
        EXPECT_NE(listed, fs::path("/r/net"));
    }
}

TEST(TreeSearchLimits, UntrustedMatchIsPassedOverAndTheSearchGoesOn) {
    auto view = std::make_shared<FakeFileSystem>();
    view->AddFile("/r/a/ST6UNST.EXE");
    view->AddFile("/r/b/c/ST6UNST.EXE");
    view->untrusted = {"/r/a/ST6UNST.EXE"};
    EXPECT_EQ(SearchTree(view, "/r", "ST6UNST.EXE", milliseconds(10000)),
              fs::path("/r/b/c/ST6UNST.EXE"));
}

// A folder whose listing never returns: the search gives up at its limit, the window keeps
// being served meanwhile, and the abandoned worker, once the folder answers, stops without
// reading anything more and lets go of everything.
TEST(TreeSearchLimits, HungFolderCannotHoldTheSearchPastItsLimit) {
    auto gone = std::make_shared<std::atomic<bool>>(false);
    auto view = std::make_shared<FakeFileSystem>(gone);
    view->AddFolder("/r/a hung mount");
    view->AddFile("/r/b/x/ST6UNST.EXE");
    view->Hang("/r/a hung mount");
    int waits = 0;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(SearchTree(view, "/r", "ST6UNST.EXE", milliseconds(300),
                         [&] {
                             ++waits;
                             return true;
                         }),
              fs::path());
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waits, 3);                          // served about every 20 ms while waiting
    EXPECT_LT(waited, std::chrono::seconds(20));  // the limit, not the hang, ended it

    std::weak_ptr<FakeFileSystem> watch = view;
    FakeFileSystem* fake = view.get();
    view.reset();
    ASSERT_FALSE(*gone);  // the abandoned worker still holds it
    fake->Release();
    for (int k = 0; k < 500 && !*gone; ++k) {
        std::this_thread::sleep_for(milliseconds(10));
    }
    EXPECT_TRUE(*gone);
    EXPECT_TRUE(watch.expired());
}

TEST(TreeSearchLimits, WaitingSideCanGiveUpAtOnce) {
    auto view = std::make_shared<FakeFileSystem>();
    view->AddFolder("/r/hung");
    view->Hang("/r/hung");
    int waits = 0;
    EXPECT_EQ(SearchTree(view, "/r", "ST6UNST.EXE", std::chrono::minutes(10),
                         [&] {
                             ++waits;
                             return false;
                         }),
              fs::path());
    EXPECT_EQ(waits, 1);
    view->Release();
    for (int k = 0; k < 500 && view.use_count() > 1; ++k) {
        std::this_thread::sleep_for(milliseconds(10));
    }
    EXPECT_EQ(view->ListedAfterRelease(), 0);
}

// Every folder answers, but slowly: the limit counts all the time spent.
TEST(TreeSearchLimits, SlowFoldersEndTheSearchAtTheLimit) {
    auto view = std::make_shared<FakeFileSystem>();
    fs::path deep = "/r";
    for (int k = 0; k < 12; ++k) {
        deep /= "level" + std::to_string(k);
    }
    view->AddFile(deep / "ST6UNST.EXE");
    view->delay = milliseconds(20);
    EXPECT_EQ(SearchTree(view, "/r", "ST6UNST.EXE", milliseconds(60)), fs::path());
    EXPECT_EQ(SearchTree(view, "/r", "ST6UNST.EXE", milliseconds(30000)), deep / "ST6UNST.EXE");
}

}  // namespace
}  // namespace mnemex::uninstall
