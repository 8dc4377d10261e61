#include "core/DurableFile.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

TEST(DurableFile, ARefusedReplaceGivesTheSystemsOwnReason)
{
    // A read-only file system, made in a mount namespace of a child of our own: a tmpfs remounted read-only.
    TempDir dir;
    const std::string path = dir.file("cardata.dat");
    const pid_t child = ::fork();
    if (child == 0) {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || ::mount("tmpfs", dir.path().c_str(), "tmpfs", 0, nullptr) != 0)
            ::_exit(77);
        writeFileBytes(path, "[app]\r\nmiles=1\r\n");
        if (::mount(nullptr, dir.path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
            ::_exit(77);
        ::_exit(DurableFile::replace(path, "[app]\r\nmiles=2\r\n", 0644) == EROFS ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "no mount namespace here";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "EROFS expected, not EACCES";
}
