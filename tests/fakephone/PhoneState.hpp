#pragma once
// What the simulated phone knows and remembers: its profile (properties,
// packages, features, line ending of its shell) and the state that commands
// change (installed packages, install location, backup, files in
// /data/local/tmp). One instance is shared by every connection.

#include <map>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace fakephone {

struct Package {
    std::string name; // com.example.notes
    std::string path; // /data/app/com.example.notes-1.apk
    int enabledState = 0; // PackageManager.COMPONENT_ENABLED_STATE_*: 0 default, 2 disabled, 3 disabled-user
};

// How the paths of newly installed packages look.
enum class PathStyle {
    Classic,   // /data/app/com.example.notes-1.apk, /mnt/asec/com.example.notes-1/pkg.apk (until 4.4)
    Android8,  // /data/app/com.example.notes-YmFy==/base.apk (8.0 to 10)
    Android11, // /data/app/~~Zm9v==/com.example.notes-YmFy==/base.apk
};

// A fault that strikes once, on the first stream of one service kind that
// carries more than `afterBytes` bytes (both directions counted): the phone
// drops the link there (unplugged mid-transfer) or stops serving that stream.
struct Fault {
    enum class Action { None, Drop, Hang } action = Action::None;
    std::string service; // as drop_after names it: "shell", "exec", "abb_exec", "sync"
    std::size_t afterBytes = 0;
};

enum class AuthMode {
    None,         // CNXN is answered at once
    Unauthorized, // AUTH tokens forever: the host lists the phone "unauthorized"
    Silent,       // no answer at all: the host lists it "offline"
};

struct PhoneConfig {
    std::map<std::string, std::string> properties;
    std::vector<Package> packages;
    std::set<std::string> features;
    std::string lineEnding = "\n"; // what every LF of the shell's output becomes
    PathStyle pathStyle = PathStyle::Classic;
    int installLocation = 0;
    bool backupEnabled = true;
    std::vector<std::string> tmpFiles; // names in /data/local/tmp at start
    AuthMode auth = AuthMode::None;
    std::set<std::string> dropAfter; // service names after which the phone drops the link
    Fault fault;
    // Shell commands answered with fixed bytes on standard output (status 0):
    // a command whose words begin with a key's words prints that file's bytes.
    std::vector<std::pair<std::string, std::string>> answers;
    // Shell commands that print nothing for a while, then answer: a command
    // whose words begin with a key's words waits that many milliseconds.
    std::vector<std::pair<std::string, int>> answerDelays;

    // The preset of that name: "classic" (an Android 2.2 phone, as the
    // observations were made), "android11", or a profile file NAME.json of
    // tests/fakephone/profiles. Raises ConfigError otherwise.
    static PhoneConfig Preset(const std::string& name);
    // The configuration file's text: a preset ("profile") with overrides.
    static PhoneConfig FromJsonText(const std::string& text);
};

// Whether a package file lies on one of the read-only partitions a release
// ships (/system, /product, /system_ext, /vendor, /odm, /oem, /apex).
bool OnSystemPartition(const std::string& path);

class ConfigError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class PhoneState {
public:
    explicit PhoneState(PhoneConfig config);

    // Everything below is guarded by this lock; hold it while using them.
    std::mutex lock;

    const PhoneConfig& config() const { return config_; }
    bool hasFeature(const std::string& name) const { return config_.features.count(name) != 0; }
    // The text after "device::" of the CNXN answer.
    std::string banner() const;

    // Properties; an unset one reads as "".
    std::string property(const std::string& name) const;
    // The API level of its release (ro.build.version.sdk), which decides how
    // its tools answer (Release.hpp); 8 (Android 2.2) when unset.
    int sdk() const;
    const std::map<std::string, std::string>& properties() const { return config_.properties; }

    std::vector<Package> packages;
    int installLocation;
    bool backupEnabled;
    // Files pushed or present, by full path.
    std::map<std::string, std::string> files;
    bool faultSpent = false; // the configured fault has struck
    std::vector<std::string> callsPlaced; // numbers the phone has called, in order
    std::vector<int> keyEvents;           // key codes injected by "input keyevent"

    // The path a package gets when installed; `external` for the SD card.
    // A reinstall in the same place alternates -1 and -2, as old phones did.
    std::string InstallPath(const std::string& package, bool external) const;
    Package* FindPackage(const std::string& name);

private:
    PhoneConfig config_;
};

} // namespace fakephone
