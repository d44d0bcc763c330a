// The runner tests' child: does what its arguments say, in order.
//   out:HEX / err:HEX     write those bytes to standard output / error in one write
//   outrep:N:HEX / errrep:N:HEX   write them N times (in large writes)
//   pause:MS              sleep, so that the next write arrives in a read of its own
//   args                  print every argument on a line of its own, then stop
//   cwd                   print its working folder on standard output
//   exit:N                exit with status N at once
// Standard C++ plus a few POSIX/Windows calls, so it builds for every platform.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <direct.h>
#include <fcntl.h>
#include <io.h>
#define getcwd _getcwd
#else
#include <unistd.h>
#endif

namespace {

std::string FromHex(const char* hex)
{
    std::string bytes;
    for (std::size_t i = 0; hex[i] && hex[i + 1]; i += 2) {
        const char pair[3] = {hex[i], hex[i + 1], 0};
        bytes += static_cast<char>(std::strtoul(pair, nullptr, 16));
    }
    return bytes;
}

void Write(FILE* stream, const std::string& bytes)
{
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::fflush(stream);
}

void WriteRepeated(FILE* stream, const std::string& bytes, unsigned long count)
{
    std::string block;
    while (count > 0) {
        block.clear();
        for (; count > 0 && block.size() < (1u << 16); --count)
            block += bytes;
        Write(stream, block);
    }
}

} // namespace

int main(int argc, char** argv)
{
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    for (int i = 1; i < argc; ++i) {
        const std::string action = argv[i];
        if (action.rfind("out:", 0) == 0) {
            Write(stdout, FromHex(argv[i] + 4));
        } else if (action.rfind("err:", 0) == 0) {
            Write(stderr, FromHex(argv[i] + 4));
        } else if (action.rfind("outrep:", 0) == 0 || action.rfind("errrep:", 0) == 0) {
            char* rest = nullptr;
            const unsigned long count = std::strtoul(argv[i] + 7, &rest, 10);
            WriteRepeated(action[0] == 'o' ? stdout : stderr, FromHex(rest + 1), count);
        } else if (action.rfind("pause:", 0) == 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(argv[i] + 6)));
        } else if (action == "args") {
            for (int k = 0; k < argc; ++k)
                std::printf("%s\n", argv[k]);
            std::fflush(stdout);
            return 0; // the rest are data, not actions
        } else if (action == "cwd") {
            char buffer[4096];
            std::printf("%s\n", getcwd(buffer, sizeof buffer) ? buffer : "?");
            std::fflush(stdout);
        } else if (action.rfind("exit:", 0) == 0) {
            std::exit(std::atoi(argv[i] + 5));
        } else {
            std::fprintf(stderr, "child: unknown action %s\n", argv[i]);
            return 99;
        }
    }
    return 0;
}
