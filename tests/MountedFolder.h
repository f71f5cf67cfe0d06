// A file system of its own on a fresh folder, which a test fills and then makes read-only: the
// tests run as root, for whom permission bits protect nothing. `mounted` is false (the test
// skips) where mounting is not allowed.
#pragma once

#include "WorkFolder.h"

#include <sys/mount.h>

namespace sg {

struct MountedFolder {
    WorkFolder work;
    fs::path path = work.path / "mounted";
    bool mounted = fs::create_directory(path) &&
                   mount("tmpfs", path.c_str(), "tmpfs", 0, "size=4m,mode=0755") == 0;
    ~MountedFolder() {
        if (mounted) umount2(path.c_str(), MNT_DETACH);
    }
    bool MakeReadOnly() const {
        return mount(nullptr, path.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    std::string File(const std::string& name) const { return (path / name).string(); }
};

} // namespace sg
