// A folder whose one picture, stalled.jpg, never answers a read: a network
// server gone dead, as the show meets it. Its size and kind are answered at
// once; a read waits until the file system is taken down.
// "stalledfs MOUNTPOINT" mounts it and stays in the foreground.
#define FUSE_USE_VERSION 31

#include <fuse.h>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace
{
const char kName[] = "/stalled.jpg";

int getAttributes(const char *path, struct stat *st, struct fuse_file_info *fi)
{
    (void)fi;
    std::memset(st, 0, sizeof *st);
    if (std::strcmp(path, "/") == 0) {
        st->st_mode = S_IFDIR | 0755;
        st->st_nlink = 2;
        return 0;
    }
    if (std::strcmp(path, kName) != 0)
        return -ENOENT;
    st->st_mode = S_IFREG | 0444;
    st->st_nlink = 1;
    st->st_size = 100000;
    return 0;
}

int listFolder(const char *path, void *buffer, fuse_fill_dir_t fill, off_t offset, struct fuse_file_info *fi,
               enum fuse_readdir_flags flags)
{
    (void)offset, (void)fi, (void)flags;
    if (std::strcmp(path, "/") != 0)
        return -ENOENT;
    fill(buffer, ".", nullptr, 0, fuse_fill_dir_flags{});
    fill(buffer, "..", nullptr, 0, fuse_fill_dir_flags{});
    fill(buffer, kName + 1, nullptr, 0, fuse_fill_dir_flags{});
    return 0;
}

int openFile(const char *path, struct fuse_file_info *fi)
{
    fi->direct_io = 1; // every read reaches readNever
    return std::strcmp(path, kName) == 0 ? 0 : -ENOENT;
}

int readNever(const char *path, char *buffer, size_t size, off_t offset, struct fuse_file_info *fi)
{
    (void)path, (void)buffer, (void)size, (void)offset, (void)fi;
    for (;;)
        pause();
    return 0;
}

fuse_operations operations()
{
    fuse_operations ops{};
    ops.getattr = getAttributes;
    ops.open = openFile;
    ops.read = readNever;
    ops.readdir = listFolder;
    return ops;
}
} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2)
        return 2;
    // Foreground, many threads (a stalled read must not hold the lookups), no caching.
    char foreground[] = "-f", option[] = "-o", options[] = "auto_unmount";
    char *args[] = {argv[0], foreground, option, options, argv[1], nullptr};
    const fuse_operations ops = operations();
    return fuse_main(5, args, &ops, nullptr);
}
