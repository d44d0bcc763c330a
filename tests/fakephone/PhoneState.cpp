#include "PhoneState.hpp"

#include "Json.hpp"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <fstream>
#include <sstream>


namespace fakephone {

namespace {

PhoneConfig ClassicPreset()
{
    PhoneConfig c;
    // ro.com.google.gmsversion stays unset, as on phones of that age.
    c.properties = {
        {"ro.product.model", "Fake Phone One"},
        {"ro.product.name", "fakephone"},
        {"ro.product.device", "fake"},
        {"ro.product.manufacturer", "Quoddle Labs"},
        {"ro.build.version.release", "2.2"},
        {"ro.build.version.sdk", "8"},
        {"ro.build.id", "FRF91"},
        {"ro.build.description", "fakephone-user 2.2 FRF91 43546 release-keys"},
        {"ro.baseband", "I9000XXJPO"},
        {"ro.bootloader", "I9000XXJPO"},
        {"ro.product.version", "1.0.0"},
        {"gsm.version.baseband", "I9000XXJPO"},
        {"gsm.sim.operator.alpha", "Orange F"},
        {"gsm.operator.alpha", "Orange F"},
        {"gsm.network.type", "UMTS:3"},
    };
    c.packages = {
        {"com.example.notes", "/data/app/com.example.notes-1.apk"},
        {"com.example.chess", "/data/app/com.example.chess-2.apk"},
        {"com.android.browser", "/system/app/Browser.apk"},
        {"com.android.phone", "/system/app/Phone.apk"},
        {"com.example.game", "/mnt/asec/com.example.game-1/pkg.apk"},
    };
    c.features = {"shell_v2", "cmd"};
    return c;
}

PhoneConfig Android11Preset()
{
    PhoneConfig c;
    c.properties = {
        {"ro.product.model", "Fake Phone Eleven"},
        {"ro.product.name", "fakephone11"},
        {"ro.product.device", "fake11"},
        {"ro.product.manufacturer", "Quoddle Labs"},
        {"ro.build.version.release", "11"},
        {"ro.build.version.sdk", "30"},
        {"ro.build.id", "RQ3A.211001.001"},
        {"ro.build.description", "fakephone11-user 11 RQ3A.211001.001 7641976 release-keys"},
        {"ro.baseband", "g7250-00147-210811-B-7631946"},
        {"ro.bootloader", "s5-0.4-7617406"},
        {"ro.com.google.gmsversion", "11_202109"},
        {"ro.product.version", "11.0.1"},
        {"gsm.version.baseband", "g7250-00147-210811-B-7631946"},
        {"gsm.sim.operator.alpha", "Free"},
        {"gsm.operator.alpha", "Free"},
        {"gsm.network.type", "LTE"},
    };
    c.packages = {
        {"com.example.notes", "/data/app/~~Zm9v==/com.example.notes-YmFy==/base.apk"},
        {"com.example.chess", "/data/app/~~cXV4eA==/com.example.chess-Y29yZ2U=/base.apk"},
        {"com.android.chrome", "/product/app/Chrome/Chrome.apk"},
        {"com.android.settings", "/system/priv-app/Settings/Settings.apk"},
        {"com.android.calculator2", "/system/app/Calculator/Calculator.apk"},
        {"com.example.game", "/mnt/expand/0f3e2a14-aa31-4c9b-9d63-7b7a1e0f3b55/app/~~Z2FtZQ==/com.example.game-c2Q=/base.apk"},
    };
    c.features = {"shell_v2", "cmd", "stat_v2", "fixed_push_mkdir", "apex", "abb", "abb_exec"};
    c.pathStyle = PathStyle::Android11;
    return c;
}

// A short base64-looking token that stays the same for the same input, so
// that Android 11 paths are stable from run to run.
std::string Token(const std::string& seed)
{
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
    unsigned hash = 2166136261u;
    for (unsigned char c : seed)
        hash = (hash ^ c) * 16777619u;
    std::string token;
    for (int i = 0; i < 22; ++i) {
        token += alphabet[hash % 64];
        hash = hash * 1103515245u + 12345u;
    }
    return token + "==";
}

std::string LineEndingFromName(const std::string& name)
{
    if (name == "lf")
        return "\n";
    if (name == "crlf")
        return "\r\n";
    if (name == "crcrlf")
        return "\r\r\n";
    throw ConfigError("line_ending must be lf, crlf or crcrlf, not " + name);
}

std::vector<std::string> StringList(const Json& value, const char* what)
{
    std::vector<std::string> list;
    for (const Json& item : AsArray(value, what))
        list.push_back(AsString(item, what));
    return list;
}

Fault FaultFrom(const Json& value)
{
    Fault fault;
    const Json* service = value.find("service");
    const Json* after = value.find("after_bytes");
    const Json* action = value.find("action");
    if (!service || !after || !action)
        throw ConfigError("fault needs service, after_bytes and action");
    fault.service = AsString(*service, "fault service");
    const std::int64_t bytes = AsNumber(*after, "fault after_bytes");
    if (bytes < 0 || bytes > 1'000'000'000'000)
        throw ConfigError("fault after_bytes out of range");
    fault.afterBytes = static_cast<std::size_t>(bytes);
    const std::string& what = AsString(*action, "fault action");
    if (what != "drop" && what != "hang")
        throw ConfigError("fault action must be drop or hang");
    fault.action = what == "drop" ? Fault::Action::Drop : Fault::Action::Hang;
    return fault;
}

std::string FileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw ConfigError("cannot read " + path);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

} // namespace

PhoneConfig PhoneConfig::Preset(const std::string& name)
{
    if (name == "classic")
        return ClassicPreset();
    if (name == "android11")
        return Android11Preset();
    // A profile file of its own folder: a name of letters, digits, '.' and '-'.
    const bool plainName = !name.empty() && name.front() != '.'
        && std::all_of(name.begin(), name.end(),
                       [](unsigned char c) { return std::isalnum(c) || c == '.' || c == '-' || c == '_'; });
    static int depth = 0; // profiles naming profiles, not without end
    if (!plainName || depth > 4)
        throw ConfigError("unknown profile " + name + " (classic, android11 or a file of " FAKEPHONE_PROFILE_DIR ")");
    const std::string text = FileBytes(std::string(FAKEPHONE_PROFILE_DIR) + "/" + name + ".json");
    ++depth;
    struct Leave {
        ~Leave() { --depth; }
    } leave;
    return FromJsonText(text);
}

PhoneConfig PhoneConfig::FromJsonText(const std::string& text)
{
    try {
        const Json root = ParseJson(text);
        const auto members = AsObject(root, "the configuration");
        const Json* profile = root.find("profile");
        PhoneConfig c = Preset(profile ? AsString(*profile, "profile") : "classic");

        for (const auto& [key, value] : members) {
            if (key == "profile") {
            } else if (key == "properties") {
                for (const auto& [name, text] : AsObject(value, "properties")) {
                    if (text.kind == Json::Kind::Null)
                        c.properties.erase(name);
                    else
                        c.properties[name] = AsString(text, "a property value");
                }
            } else if (key == "packages") {
                c.packages.clear();
                for (const Json& item : AsArray(value, "packages")) {
                    const Json* name = item.find("name");
                    const Json* path = item.find("path");
                    if (!name || !path)
                        throw ConfigError("each package needs a name and a path");
                    c.packages.push_back({AsString(*name, "name"), AsString(*path, "path")});
                }
            } else if (key == "features") {
                const auto list = StringList(value, "features");
                c.features = {list.begin(), list.end()};
            } else if (key == "line_ending") {
                c.lineEnding = LineEndingFromName(AsString(value, "line_ending"));
            } else if (key == "install_paths") {
                const std::string& style = AsString(value, "install_paths");
                if (style == "classic")
                    c.pathStyle = PathStyle::Classic;
                else if (style == "android8")
                    c.pathStyle = PathStyle::Android8;
                else if (style == "android11")
                    c.pathStyle = PathStyle::Android11;
                else
                    throw ConfigError("install_paths must be classic, android8 or android11");
            } else if (key == "install_location") {
                const std::int64_t n = AsNumber(value, "install_location");
                if (n != 0 && n != 1 && n != 2)
                    throw ConfigError("install_location must be 0, 1 or 2");
                c.installLocation = static_cast<int>(n);
            } else if (key == "backup_enabled") {
                c.backupEnabled = AsBool(value, "backup_enabled");
            } else if (key == "tmp_files") {
                c.tmpFiles = StringList(value, "tmp_files");
            } else if (key == "auth") {
                const std::string& mode = AsString(value, "auth");
                if (mode == "none")
                    c.auth = AuthMode::None;
                else if (mode == "unauthorized")
                    c.auth = AuthMode::Unauthorized;
                else if (mode == "silent")
                    c.auth = AuthMode::Silent;
                else
                    throw ConfigError("auth must be none, unauthorized or silent");
            } else if (key == "drop_after") {
                const auto list = StringList(value, "drop_after");
                c.dropAfter = {list.begin(), list.end()};
            } else if (key == "fault") {
                c.fault = FaultFrom(value);
            } else if (key == "answer_files") {
                for (const auto& [command, file] : AsObject(value, "answer_files"))
                    c.answers.emplace_back(command, FileBytes(AsString(file, "an answer file")));
            } else if (key == "answer_delays") {
                for (const auto& [command, milliseconds] : AsObject(value, "answer_delays")) {
                    const std::int64_t ms = AsNumber(milliseconds, "an answer delay");
                    if (ms < 0 || ms > 600000)
                        throw ConfigError("an answer delay must be 0 to 600000 ms");
                    c.answerDelays.emplace_back(command, static_cast<int>(ms));
                }
            } else {
                throw ConfigError("unknown configuration key " + key);
            }
        }
        return c;
    } catch (const JsonError& e) {
        throw ConfigError(e.what());
    }
}

PhoneState::PhoneState(PhoneConfig config)
    : packages(config.packages),
      installLocation(config.installLocation),
      backupEnabled(config.backupEnabled),
      config_(std::move(config))
{
    for (const auto& name : config_.tmpFiles)
        files["/data/local/tmp/" + name] = "";
}

std::string PhoneState::banner() const
{
    std::string text = "ro.product.name=" + property("ro.product.name") + ";ro.product.model="
        + property("ro.product.model") + ";ro.product.device=" + property("ro.product.device") + ";features=";
    bool first = true;
    for (const auto& feature : config_.features) {
        text += (first ? "" : ",") + feature;
        first = false;
    }
    return text;
}

std::string PhoneState::property(const std::string& name) const
{
    const auto it = config_.properties.find(name);
    return it == config_.properties.end() ? std::string() : it->second;
}

int PhoneState::sdk() const
{
    const std::string text = property("ro.build.version.sdk");
    if (text.empty() || text.size() > 4 || !std::all_of(text.begin(), text.end(), ::isdigit))
        return 8;
    return std::stoi(text);
}

bool OnSystemPartition(const std::string& path)
{
    for (const char* root : {"/system/", "/product/", "/system_ext/", "/vendor/", "/odm/", "/oem/", "/apex/"})
        if (path.rfind(root, 0) == 0)
            return true;
    return false;
}

Package* PhoneState::FindPackage(const std::string& name)
{
    for (auto& package : packages)
        if (package.name == name)
            return &package;
    return nullptr;
}

std::string PhoneState::InstallPath(const std::string& package, bool external) const
{
    std::string previous;
    for (const auto& p : packages)
        if (p.name == package)
            previous = p.path;
    if (config_.pathStyle == PathStyle::Android11) {
        // A new install gets new tokens, so they depend on the previous path too.
        const std::string where = external ? "/mnt/expand/0f3e2a14-aa31-4c9b-9d63-7b7a1e0f3b55/app/" : "/data/app/";
        return where + "~~" + Token("dir" + previous + package) + "/" + package + "-" + Token(package + previous)
            + "/base.apk";
    }
    if (config_.pathStyle == PathStyle::Android8) {
        const std::string where = external ? "/mnt/expand/0f3e2a14-aa31-4c9b-9d63-7b7a1e0f3b55/app/" : "/data/app/";
        return where + package + "-" + Token(package + previous) + "/base.apk";
    }
    const std::string one = external ? "/mnt/asec/" + package + "-1/pkg.apk" : "/data/app/" + package + "-1.apk";
    if (previous != one)
        return one;
    return external ? "/mnt/asec/" + package + "-2/pkg.apk" : "/data/app/" + package + "-2.apk";
}

} // namespace fakephone
