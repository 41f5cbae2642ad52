// GUI tests run in a home folder of their own, made before main and removed
// after it: the main window creates its default output folder under the
// documents folder, and that must never be the real user's. Programs the
// tests start inherit it.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {

class TestHome
{
public:
    TestHome()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "quellan-home-XXXXXX").string();
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (!mkdtemp(buffer.data()))
            std::abort();
        folder = buffer.data();
        setenv("HOME", folder.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (folder + "/.config").c_str(), 1);
        unsetenv("XDG_DOCUMENTS_DIR");
    }
    ~TestHome()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

private:
    std::string folder;
} testHome;

} // namespace
