#pragma once
// A main window whose folder holds the scripted adb, with recorded services.

#include "core/TempDir.hpp"
#include "fakeadb/FakeAdb.hpp"
#include "operations/FrmMain.hpp"
#include "support/RecordingServices.hpp"
#include "widgets/Bevel.hpp"
#include "widgets/EffectLabel.hpp"
#include "widgets/GlyphButton.hpp"
#include "widgets/MaskEdit.hpp"
#include "widgets/Panel.hpp"
#include "widgets/Picture.hpp"
#include "widgets/RadioGroup.hpp"
#include "widgets/SpinEdit.hpp"
#include "widgets/StringGrid.hpp"
#include "widgets/TextListBox.hpp"
#include "windows/OutputPane.hpp"

#include <gtest/gtest.h>

#include <memory>

namespace quoddle::test {

inline const std::string kSerial = "0123456789ABCDEF";

inline std::string ReportFirstText(const std::string& serial)
{
    return "-s " + serial +
        " shell getprop ro.product.model && getprop ro.build.version.release && getprop ro.baseband && getprop "
        "ro.build.description && getprop ro.build.id && getprop ro.bootloader && getprop ro.com.google.gmsversion "
        "&& getprop ro.product.version";
}

inline std::string ReportSecondText(const std::string& serial)
{
    return "-s " + serial +
        " shell getprop gsm.version.baseband && getprop gsm.sim.operator.alpha && getprop gsm.operator.alpha && "
        "getprop gsm.network.type";
}

// "devices" listing these lines after the header, as adb 29 prints it.
inline FakeAdbRule DevicesRule(const std::string& deviceLines)
{
    return FakeAdbRule::Argv({"devices"}).Out("List of devices attached\n" + deviceLines + "\n");
}

// A connected phone: "devices" lists it and the report's runs answer.
inline std::vector<FakeAdbRule> PhoneRules(const std::string& serial = kSerial)
{
    return {
        DevicesRule(serial + "\tdevice\n"),
        FakeAdbRule::Args(ReportFirstText(serial)).Out("Pixel 7\n14\nbaseband-1\ndesc\nUQ1A\nboot-1\n\n14.0\n"),
        FakeAdbRule::Args(ReportSecondText(serial)).Out("g7-1\nOrange F\nOrange\nLTE\n"),
    };
}

inline std::vector<FakeAdbRule> operator+(std::vector<FakeAdbRule> a, const std::vector<FakeAdbRule>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        services.appDir = folder.dir();
        FakeAdb::PlaceAs(folder.path());
    }

    // Opens the window with this script for its creation and what follows.
    void Open(const std::vector<FakeAdbRule>& rules)
    {
        adb.Script(rules);
        window = std::make_unique<TFrmMain>();
    }

    // Replaces the script and forgets what was sent and shown so far.
    void Rescript(const std::vector<FakeAdbRule>& rules)
    {
        adb.Script(rules);
        adb.ClearJournal();
        services.clear();
    }

    FakeAdb::Calls Sent() const { return adb.Journal(); }
    QString Caption() const { return window->windowTitle(); }

    TempDir folder{"ops"};
    FakeAdb adb{folder.path()};
    RecordingServices services;
    std::unique_ptr<TFrmMain> window;
};

// The argv that an argument text reaches adb as.
inline std::vector<std::string> Words(std::initializer_list<std::string> words) { return words; }

} // namespace quoddle::test
