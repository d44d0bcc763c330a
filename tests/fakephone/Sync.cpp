// The sync service (sync:), enough for a push and a pull: requests of an
// id and a 32-bit length, STAT/STA2/LST2, LIST, SEND + DATA... + DONE, RECV
// and QUIT. Requests can be split across WRTE messages, so bytes are gathered
// until a whole request is there.

#include "Services.hpp"

#include <cstdint>

namespace fakephone {

namespace {

constexpr std::uint32_t kDirectoryMode = 040771;
constexpr std::uint32_t kFileMode = 0100644;
constexpr std::size_t kMaxDataChunk = 64 * 1024;

void Le32(std::string& out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void Le64(std::string& out, std::uint64_t value)
{
    for (int i = 0; i < 8; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint32_t ReadLe32(std::string_view p)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(p[static_cast<std::size_t>(i)]);
    return value;
}

class SyncService : public Service {
public:
    explicit SyncService(PhoneState& phone) : phone_(phone) {}

    void receive(std::string_view data, ServiceOutput& out) override
    {
        pending_.append(data);
        while (!out.close && pending_.size() >= 8) {
            const std::string id = pending_.substr(0, 4);
            const std::uint32_t length = ReadLe32(std::string_view(pending_).substr(4, 4));
            // DONE carries a time, not a length; every other request is followed by `length` bytes.
            const std::size_t payload = id == "DONE" ? 0 : length;
            if (pending_.size() < 8 + payload)
                return;
            const std::string body = pending_.substr(8, payload);
            pending_.erase(0, 8 + payload);
            handle(id, body, out);
        }
    }

private:
    void handle(const std::string& id, const std::string& body, ServiceOutput& out)
    {
        std::lock_guard guard(phone_.lock);
        if (sending_) {
            if (id == "DATA") {
                content_ += body;
            } else if (id == "DONE") {
                phone_.files[target_] = std::move(content_);
                content_.clear();
                sending_ = false;
                out.data += "OKAY";
                Le32(out.data, 0);
            } else {
                fail(out, "unexpected " + id + " during a send");
            }
            return;
        }
        if (id == "STAT") {
            const auto [exists, mode, size] = Stat(body);
            out.data += "STAT";
            Le32(out.data, exists ? mode : 0);
            Le32(out.data, exists ? static_cast<std::uint32_t>(size) : 0);
            Le32(out.data, exists ? kTime : 0);
        } else if (id == "STA2" || id == "LST2") {
            const auto [exists, mode, size] = Stat(body);
            out.data += id;
            Le32(out.data, exists ? 0 : 2); // ENOENT
            Le64(out.data, exists ? 0xFD00 : 0);              // dev
            Le64(out.data, exists ? 1000 + body.size() : 0);  // ino
            Le32(out.data, exists ? mode : 0);
            Le32(out.data, exists ? 1 : 0); // nlink
            Le32(out.data, exists ? 2000 : 0); // uid: shell
            Le32(out.data, exists ? 2000 : 0); // gid
            Le64(out.data, exists ? size : 0);
            for (int i = 0; i < 3; ++i) // atime, mtime, ctime
                Le64(out.data, exists ? kTime : 0);
        } else if (id == "LIST") {
            const std::string prefix = !body.empty() && body.back() == '/' ? body : body + "/";
            for (const auto& [path, bytes] : phone_.files) {
                if (path.compare(0, prefix.size(), prefix) != 0 || path.find('/', prefix.size()) != std::string::npos)
                    continue;
                const std::string name = path.substr(prefix.size());
                out.data += "DENT";
                Le32(out.data, kFileMode);
                Le32(out.data, static_cast<std::uint32_t>(bytes.size()));
                Le32(out.data, kTime);
                Le32(out.data, static_cast<std::uint32_t>(name.size()));
                out.data += name;
            }
            out.data += "DONE";
            for (int i = 0; i < 4; ++i)
                Le32(out.data, 0);
        } else if (id == "SEND") {
            // "PATH,MODE"
            target_ = body.substr(0, body.rfind(','));
            sending_ = true;
        } else if (id == "RECV") {
            const auto file = phone_.files.find(body);
            if (file == phone_.files.end())
                return fail(out, "remote object '" + body + "' does not exist");
            for (std::size_t at = 0; at < file->second.size(); at += kMaxDataChunk) {
                const std::string chunk = file->second.substr(at, kMaxDataChunk);
                out.data += "DATA";
                Le32(out.data, static_cast<std::uint32_t>(chunk.size()));
                out.data += chunk;
            }
            out.data += "DONE";
            Le32(out.data, 0);
        } else if (id == "QUIT") {
            out.close = true;
        } else {
            fail(out, "unknown sync request " + id);
        }
    }

    void fail(ServiceOutput& out, const std::string& message)
    {
        out.data += "FAIL";
        Le32(out.data, static_cast<std::uint32_t>(message.size()));
        out.data += message;
        out.close = true;
    }

    struct StatResult {
        bool exists;
        std::uint32_t mode;
        std::uint64_t size;
    };

    // A folder exists when it is one of the usual ones or holds a file.
    StatResult Stat(std::string path) const
    {
        while (path.size() > 1 && path.back() == '/')
            path.pop_back();
        if (const auto file = phone_.files.find(path); file != phone_.files.end())
            return {true, kFileMode, file->second.size()};
        for (const char* dir : {"/", "/data", "/data/local", "/data/local/tmp", "/sdcard", "/storage", "/system"})
            if (path == dir)
                return {true, kDirectoryMode, 4096};
        const std::string prefix = path + "/";
        for (const auto& entry : phone_.files)
            if (entry.first.compare(0, prefix.size(), prefix) == 0)
                return {true, kDirectoryMode, 4096};
        return {false, 0, 0};
    }

    static constexpr std::uint32_t kTime = 1600000000;
    PhoneState& phone_;
    std::string pending_;
    bool sending_ = false;
    std::string target_;
    std::string content_;
};

} // namespace

std::unique_ptr<Service> OpenSyncService(PhoneState& phone) { return std::make_unique<SyncService>(phone); }

} // namespace fakephone
