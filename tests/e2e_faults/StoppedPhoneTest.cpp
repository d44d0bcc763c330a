// The phone switched off while its package manager is still gathering the
// list: adb 29 then ends with status 0 and prints nothing. The refresh must
// tell the failure and leave the application pages clean.

#include "FaultSession.hpp"

#include "widgets/StringGrid.hpp"
#include "widgets/TextListBox.hpp"

#include <QTimer>

namespace quoddle::test {
namespace {

// With and without the shell protocol.
class PhoneStopped : public FaultSession, public ::testing::WithParamInterface<bool> {};

TEST_P(PhoneStopped, InTheMiddleOfASlowListing)
{
    const std::string features = GetParam() ? R"(["shell_v2", "cmd"])" : "[]";
    ASSERT_NO_FATAL_FAILURE(Open(R"({"features": )" + features + R"(, "packages": [
        {"name": "com.example.notes", "path": "/data/app/com.example.notes-1.apk"},
        {"name": "com.android.browser", "path": "/system/app/Browser.apk"},
        {"name": "com.example.game", "path": "/mnt/asec/com.example.game-1/pkg.apk"}],
        "answer_delays": {"pm list packages": 1500}})"));
    window->sBitBtn1->click();
    ASSERT_EQ(2, window->StringGrid1->rowCount());
    ASSERT_EQ(1, window->listapplisys->count());
    ASSERT_EQ(1, window->listappautre->count());
    PhoneSaw();

    // Stopped once the phone has the listing in hand and is still gathering it.
    bool stopped = false;
    QTimer stopper;
    stopper.setInterval(5);
    QObject::connect(&stopper, &QTimer::timeout, [&] {
        if (stopped)
            return;
        for (const std::string& service : PhoneSaw()) {
            if (service.find("pm list packages") != std::string::npos) {
                session->StopPhone();
                stopped = true;
            }
        }
    });
    stopper.start();
    window->sBitBtn1->click();
    stopper.stop();

    ASSERT_TRUE(stopped) << "the listing never reached the phone";
    EXPECT_EQ(Text(texts::kCaptionRunError), Caption());
    EXPECT_EQ(1, window->StringGrid1->rowCount());
    EXPECT_EQ(0, window->listapplisys->count());
    EXPECT_EQ(0, window->listappautre->count());
    EXPECT_EQ(QStringList{}, Messages());
    ExpectNoAdbChild();
}

INSTANTIATE_TEST_SUITE_P(BothShells, PhoneStopped, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "shell_v2" : "legacy"); });

} // namespace
} // namespace quoddle::test
