#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/io/AtomicFile.h"

namespace fs = std::filesystem;

// A full disk is tried on a real small file system by tests/files/.
TEST(AtomicFile, FollowsLinksKeepsPermissionBitsAndLeavesNothingBeside)
{
    std::string name = (fs::temp_directory_path() / "atomic-XXXXXX").string();
    const fs::path folder = ::mkdtemp(name.data()), kept = folder / "kept.txt", link = folder / "link";
    std::ofstream(kept) << "old contents, longer";
    fs::permissions(kept, fs::perms(04750));
    fs::create_symlink("kept.txt", link);
    ASSERT_EQ(core::writeFileAtomically(link, std::string(100000, 'x')), core::Status());
    EXPECT_TRUE(fs::is_symlink(link));
    std::ostringstream text;
    text << std::ifstream(kept).rdbuf();
    EXPECT_EQ(text.str(), std::string(100000, 'x'));
    EXPECT_EQ(fs::status(kept).permissions(), fs::perms(0750));  // not set-user-ID: the owner may differ

    EXPECT_EQ(core::writeFileAtomically(folder / "none" / "x", "x"), core::UserError{"No such file or directory"});
    EXPECT_EQ(core::writeFileAtomically(folder, "x"), core::UserError{"Is a directory"});
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);
    fs::remove_all(folder);
}
