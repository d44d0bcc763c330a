#pragma once
// A folder of its own for one test, removed afterwards.

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>

namespace quoddle::test {

class TempDir {
public:
    explicit TempDir(const std::string& tag = "t")
    {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path()
            / ("quoddle-" + tag + "-" + std::to_string(Pid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    const std::filesystem::path& path() const { return path_; }
    // The folder as the runner takes it: ending in the separator.
    std::string dir() const { return (path_ / "").string(); }

    std::filesystem::path write(const std::string& name, const std::string& bytes) const
    {
        const auto file = path_ / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return file;
    }

private:
    static long Pid();
    std::filesystem::path path_;
};

} // namespace quoddle::test

#ifdef _WIN32
#include <process.h>
inline long quoddle::test::TempDir::Pid() { return _getpid(); }
#else
#include <unistd.h>
inline long quoddle::test::TempDir::Pid() { return static_cast<long>(getpid()); }
#endif
