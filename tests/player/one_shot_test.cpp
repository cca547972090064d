// The use-once settings Wait, Notify, From and To: which flags each rule gives,
// and that one setting shapes exactly one command.
#include "tests/player/player_fixture.h"

using namespace playertest;

namespace {

enum class Armed { No, WithTrue, WithFalse };

struct FlagsCase {
    Armed wait;
    Armed notify;
    std::uint32_t ruleW; // flags of Stop
    std::uint32_t ruleN; // flags of Play
};

void arm(TMediaPlayer& player, Armed wait, Armed notify)
{
    if (wait != Armed::No)
        player.setWait(wait == Armed::WithTrue);
    if (notify != Armed::No)
        player.setNotify(notify == Armed::WithTrue);
}

class OneShotFlags : public PlayerTest, public ::testing::WithParamInterface<FlagsCase> {};

} // namespace

// Every combination of an armed or unarmed Wait and Notify gives the rule's flags word.
TEST_P(OneShotFlags, RulesGiveTheFlagsWord)
{
    const FlagsCase c = GetParam();
    openVoice();
    arm(*player, c.wait, c.notify);
    player->Stop();
    arm(*player, c.wait, c.notify);
    player->Play();
    const auto stops = port.commandsOf(MCI_STOP);
    const auto plays = port.commandsOf(MCI_PLAY);
    ASSERT_EQ(stops.size(), 1u);
    ASSERT_EQ(plays.size(), 1u);
    EXPECT_EQ(stops[0].flags, c.ruleW);
    EXPECT_EQ(plays[0].flags, c.ruleN);
    EXPECT_FALSE(player->WaitArmed());
    EXPECT_FALSE(player->NotifyArmed());
    EXPECT_EQ(stops[0].callback, player->Handle());
    EXPECT_EQ(plays[0].callback, player->Handle());
}

INSTANTIATE_TEST_SUITE_P(Table, OneShotFlags,
                         ::testing::Values(FlagsCase{Armed::No, Armed::No, 0x0002, 0x0001},
                                           FlagsCase{Armed::WithTrue, Armed::No, 0x0002, 0x0003},
                                           FlagsCase{Armed::WithFalse, Armed::No, 0x0000, 0x0001},
                                           FlagsCase{Armed::No, Armed::WithTrue, 0x0003, 0x0001},
                                           FlagsCase{Armed::No, Armed::WithFalse, 0x0002, 0x0000},
                                           FlagsCase{Armed::WithTrue, Armed::WithTrue, 0x0003, 0x0003},
                                           FlagsCase{Armed::WithFalse, Armed::WithFalse, 0x0000, 0x0000}),
                         [](const ::testing::TestParamInfo<FlagsCase>& info) {
                             const auto name = [](Armed a) {
                                 return a == Armed::No ? "NotArmed" : a == Armed::WithTrue ? "True" : "False";
                             };
                             return std::string("Wait") + name(info.param.wait) + "Notify" + name(info.param.notify);
                         });

using OneShot = PlayerTest;

// A mode query reads no use-once value, so Wait set before it still shapes the next Play.
TEST_F(OneShot, WaitSurvivesModeQueryAndReachesPlay)
{
    openVoice();
    player->setWait(true);
    player->Mode();
    EXPECT_TRUE(player->WaitArmed());
    player->Play();
    ASSERT_EQ(port.commandsOf(MCI_PLAY).size(), 1u);
    EXPECT_EQ(port.commandsOf(MCI_PLAY)[0].flags, 0x0003u);
}

// Wait set false before Stop sends it neither waiting nor notifying.
TEST_F(OneShot, WaitFalseBeforeStop)
{
    openVoice();
    player->setWait(false);
    player->Stop();
    ASSERT_EQ(port.commandsOf(MCI_STOP).size(), 1u);
    EXPECT_EQ(port.commandsOf(MCI_STOP)[0].flags, 0x0000u);
}

// Setting Wait twice arms it once: the last value shapes one command, the next gets the default.
TEST_F(OneShot, WaitSetTwiceAffectsOneCommand)
{
    openVoice();
    player->setWait(true);
    player->setWait(false);
    player->Stop();
    player->Stop();
    const auto stops = port.commandsOf(MCI_STOP);
    ASSERT_EQ(stops.size(), 2u);
    EXPECT_EQ(stops[0].flags, 0x0000u);
    EXPECT_EQ(stops[1].flags, 0x0002u);
}

// Open on an open device spends an armed Wait on its close; the open itself waits by default.
TEST_F(OneShot, OpenSpendsWaitOnItsClose)
{
    openVoice();
    player->setWait(false);
    player->Open();
    const auto actions = port.actions();
    ASSERT_GE(actions.size(), 2u);
    EXPECT_EQ(actions[0].command, MCI_CLOSE);
    EXPECT_EQ(actions[0].flags, 0x0000u);
    EXPECT_EQ(actions[1].command, MCI_OPEN);
    EXPECT_EQ(actions[1].flags, MCI_WAIT | MCI_OPEN_ELEMENT);
    EXPECT_FALSE(player->WaitArmed());
}

// From and To go into the play block with their flags, once; without them Play sends neither.
TEST_F(OneShot, FromAndToShapeOnePlay)
{
    openVoice();
    player->setFrom(100);
    player->setTo(700);
    player->Play();
    player->Play();
    const auto plays = port.commandsOf(MCI_PLAY);
    ASSERT_EQ(plays.size(), 2u);
    EXPECT_EQ(plays[0].flags, MCI_NOTIFY | MCI_FROM | MCI_TO);
    EXPECT_EQ(plays[0].from, 100u);
    EXPECT_EQ(plays[0].to, 700u);
    EXPECT_EQ(plays[1].flags, MCI_NOTIFY);
    EXPECT_EQ(plays[1].from, 0u);
    EXPECT_EQ(plays[1].to, 0u);
}

// Resume uses Wait and Notify only when it succeeds; when it fails, Play runs with them instead.
TEST_F(OneShot, ResumeSpendsValuesOnlyOnSuccess)
{
    openVoice();
    player->setWait(true);
    player->setNotify(false);
    player->Resume();
    ASSERT_EQ(port.commandsOf(MCI_RESUME).size(), 1u);
    EXPECT_EQ(port.commandsOf(MCI_RESUME)[0].flags, MCI_WAIT);
    EXPECT_EQ(port.commandsOf(MCI_RESUME)[0].callback, player->Handle());
    EXPECT_FALSE(player->WaitArmed());
    EXPECT_FALSE(player->NotifyArmed());

    port.commands.clear();
    port.scriptedErrors[MCI_RESUME] = {kFakeUnsupportedFunction};
    player->setWait(true);
    player->Resume();
    const auto actions = port.actions();
    ASSERT_EQ(actions.size(), 2u);
    EXPECT_EQ(actions[0].command, MCI_RESUME);
    EXPECT_EQ(actions[1].command, MCI_PLAY);
    EXPECT_EQ(actions[1].flags, MCI_NOTIFY | MCI_WAIT);
}
