#include "Form1.h"

#include <gtest/gtest.h>

#include "RecordingToolkit.h"

namespace zarnik {
namespace {

constexpr CellIndex kSolution[] = {0, 1, 5, 6, 8, 9, 12, 13, 14, 16, 17, 18, 21, 22, 24};
const std::string kCleared = "クリアー!!|Zarnik";

class Form1Test : public ::testing::Test {
protected:
    testing::RecordingToolkit toolkit;
    Form1 form{toolkit};

    void Clear() {
        for (CellIndex k : kSolution) form.Command1_Click(k);
    }
};

TEST_F(Form1Test, LoadStartsANewGame) {
    form.Form_Load();
    EXPECT_EQ(toolkit.caption, "25");
    for (const auto& face : toolkit.faces) EXPECT_EQ(face.picture, &toolkit.start());
    EXPECT_TRUE(toolkit.messages.empty());
}

TEST_F(Form1Test, TheClearedMessageComesOncePerClearingMoveAfterTheRepaint) {
    form.Form_Load();
    Clear();
    ASSERT_EQ(toolkit.messages, std::vector<std::string>{kCleared});
    // The whole board was repainted red before the box came up.
    ASSERT_GE(toolkit.log.size(), 52u);
    EXPECT_EQ(toolkit.log.back(), "message " + kCleared);
    EXPECT_EQ(toolkit.log[toolkit.log.size() - 2], "caption 0");
    for (const auto& face : toolkit.faces) EXPECT_EQ(face.colour, kRed);

    // Nothing follows the message: the board is still cleared and playable.
    form.Command1_Click(7);
    EXPECT_EQ(toolkit.caption, "5");
    EXPECT_EQ(toolkit.messages.size(), 1u);
    form.Command1_Click(7);
    EXPECT_EQ(toolkit.messages.size(), 2u);
}

TEST_F(Form1Test, NewGameWorksInAnyStateAndRepeatsIdentically) {
    form.Form_Load();
    Clear();
    for (int i = 0; i < 5; ++i) {
        toolkit.log.clear();
        form.Command2_Click();
        EXPECT_EQ(toolkit.caption, "25");
        EXPECT_EQ(toolkit.log.size(), 51u);
        EXPECT_EQ(form.puzzle().Remaining(), 25);
    }
    EXPECT_EQ(toolkit.messages.size(), 1u);
}

}  // namespace
}  // namespace zarnik
