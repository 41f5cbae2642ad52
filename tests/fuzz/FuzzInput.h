// The fuzz targets hand the engine a file, as every caller does: each input
// is written to a scratch file of this process, removed again afterwards.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

class ScratchFile
{
public:
    ScratchFile(const std::uint8_t *data, std::size_t size, const char *name = "input.pdf")
    {
        std::filesystem::create_directories(folder());
        path = folder() + "/" + name;
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
    }
    ~ScratchFile() { std::filesystem::remove(path); }

    const char *c_str() const { return path.c_str(); }
    // Another file beside the input, for outputs.
    static std::string beside(const char *name) { return folder() + "/" + name; }

private:
    static std::string folder() { return std::filesystem::temp_directory_path().string() + "/colligo-fuzz-" + std::to_string(getpid()); }
    std::string path;
};
