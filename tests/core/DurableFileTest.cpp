#include "core/DurableFile.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sched.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

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

TEST(DurableFile, WhatAKilledWriterLeftBehindIsRemovedButNotALiveWritersFile)
{
    TempDir dir;
    const std::string path = dir.file("cardata.dat");
    writeFileBytes(path, "[app]\r\nmiles=1\r\n");
    const pid_t child = ::fork();
    if (child == 0) // killed between writing its temporary file and the rename
        ::_exit(DurableFile::replace(path, "[app]\r\nmiles=2\r\n", 0644, [] { ::kill(::getpid(), SIGKILL); }));
    ::waitpid(child, nullptr, 0);
    writeFileBytes(dir.file(".cardata.dat.young1"), "x");
    writeFileBytes(dir.file(".cardata.dat.locked"), "x");
    writeFileBytes(dir.file(".other.dat.abcdef"), "x");
    const int writer = ::open(dir.file(".cardata.dat.locked").c_str(), O_RDONLY);
    ::flock(writer, LOCK_EX);
    auto leftovers = [&] {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    };
    ASSERT_EQ(leftovers().size(), 5u) << "the killed writer left its file";
    const struct timespec old[2] = {{std::time(nullptr) - 120, 0}, {std::time(nullptr) - 120, 0}};
    for (const std::string& name : leftovers())
        if (name != ".cardata.dat.young1")
            ::utimensat(AT_FDCWD, dir.file(name).c_str(), old, 0);
    EXPECT_EQ(DurableFile::removeLeftovers(path), 1);
    EXPECT_EQ(leftovers(),
        (std::vector<std::string> {".cardata.dat.locked", ".cardata.dat.young1", ".other.dat.abcdef", "cardata.dat"}));
    EXPECT_EQ(readFileBytes(path), "[app]\r\nmiles=1\r\n");
    ::close(writer);
}
