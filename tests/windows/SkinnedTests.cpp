// Every test of this program sees the windows as the program shows them: with
// the skin (style, palette, window font and style sheet) applied once.
#include "resources/Skin.hpp"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

class SkinEnvironment : public testing::Environment {
public:
    void SetUp() override { quoddle::ApplySkin(*qApp); }
};

const testing::Environment* const kSkin = testing::AddGlobalTestEnvironment(new SkinEnvironment);

} // namespace
