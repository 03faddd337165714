#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/io/AtomicFile.h"

namespace {

namespace fs = std::filesystem;

struct Folder {
    fs::path path = [] {
        std::string name = (fs::temp_directory_path() / "atomic-XXXXXX").string();
        return fs::path(::mkdtemp(name.data()));
    }();
    ~Folder() { fs::remove_all(path); }
};

std::string contents(const fs::path& path)
{
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

unsigned modeOf(const fs::path& path)
{
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

}  // namespace

TEST(AtomicFile, ReplacesWholeKeepingModeAndFollowingLinksLeavingNothingBeside)
{
    Folder folder;
    const fs::path fresh = folder.path / "fresh.txt", kept = folder.path / "kept.txt", link = folder.path / "link";
    const mode_t mask = ::umask(022);
    ::umask(mask);
    ASSERT_EQ(core::writeFileAtomically(fresh, "new"), core::Status());
    EXPECT_EQ(modeOf(fresh), 0666u & ~mask);

    std::ofstream(kept) << "old contents, longer";
    fs::permissions(kept, fs::perms(04750));
    fs::create_symlink("kept.txt", link);
    ASSERT_EQ(core::writeFileAtomically(link, std::string(100000, 'x')), core::Status());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(contents(kept), std::string(100000, 'x'));
    EXPECT_EQ(modeOf(kept), 0750u);  // the set-user-ID bit is not carried over

    EXPECT_EQ(core::writeFileAtomically(folder.path / "none" / "x", "x"), core::UserError{"No such file or directory"});
    EXPECT_EQ(core::writeFileAtomically(folder.path, "x"), core::UserError{"Is a directory"});
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), fs::directory_iterator()), 3);
}
