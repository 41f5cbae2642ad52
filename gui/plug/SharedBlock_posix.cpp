// POSIX implementation of the registry's platform services: shm_open for the
// named block, /proc for the process start time.
#include "SharedBlock.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Plug::Platform {

namespace {

// shm_open wants a name that starts with a slash.
std::string ObjectName(const char *name)
{
    return std::string("/") + name;
}

// The start time is field 22 of /proc/self/stat. Field 2 (the command name) is
// in parentheses and may itself hold spaces and parentheses, so counting starts
// after the last closing parenthesis, which is followed by field 3.
std::uint64_t ReadStartTimeField(const std::string &stat)
{
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos)
        return 0;
    const char *cursor = stat.c_str() + close + 1;
    for (int field = 3; field < 22; ++field) {
        cursor = std::strchr(cursor + 1, ' ');
        if (!cursor)
            return 0;
    }
    return std::strtoull(cursor + 1, nullptr, 10);
}

bool BelongsToCurrentUser(int descriptor, std::size_t size)
{
    struct stat status {};
    if (fstat(descriptor, &status) != 0)
        return false;
    return status.st_uid == geteuid() && static_cast<std::size_t>(status.st_size) >= size;
}

int CreateExclusive(const std::string &objectName, std::size_t size)
{
    const int descriptor = shm_open(objectName.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (descriptor < 0)
        return -1;
    if (ftruncate(descriptor, static_cast<off_t>(size)) != 0) {
        close(descriptor);
        shm_unlink(objectName.c_str());
        return -1;
    }
    return descriptor;
}

} // namespace

std::uint32_t CurrentProcessId()
{
    return static_cast<std::uint32_t>(getpid());
}

std::uint64_t CurrentProcessStartStamp()
{
    std::FILE *file = std::fopen("/proc/self/stat", "re");
    if (!file)
        return 0;
    char buffer[1024] = {};
    const std::size_t length = std::fread(buffer, 1, sizeof buffer - 1, file);
    std::fclose(file);
    return ReadStartTimeField(std::string(buffer, length));
}

MappingHandle OpenSharedBlock(const char *name, std::size_t size)
{
    const int descriptor = shm_open(ObjectName(name).c_str(), O_RDWR | O_CLOEXEC, 0);
    if (descriptor < 0)
        return NoMapping;
    if (!BelongsToCurrentUser(descriptor, size)) {
        close(descriptor);
        return NoMapping;
    }
    return descriptor;
}

MappingHandle CreateSharedBlock(const char *name, std::size_t size)
{
    const std::string objectName = ObjectName(name);
    int descriptor = CreateExclusive(objectName, size);
    if (descriptor < 0 && errno == EEXIST) {
        // Left behind by a dead process that had our process id.
        shm_unlink(objectName.c_str());
        descriptor = CreateExclusive(objectName, size);
    }
    return descriptor < 0 ? NoMapping : descriptor;
}

void *MapSharedBlock(MappingHandle block, std::size_t size)
{
    void *view = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, static_cast<int>(block), 0);
    return view == MAP_FAILED ? nullptr : view;
}

void UnmapSharedBlock(void *view, std::size_t size)
{
    munmap(view, size);
}

void CloseSharedBlock(MappingHandle block)
{
    close(static_cast<int>(block));
}

void RemoveSharedBlock(const char *name)
{
    shm_unlink(ObjectName(name).c_str());
}

} // namespace Plug::Platform
