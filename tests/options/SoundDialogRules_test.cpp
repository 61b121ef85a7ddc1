#include "options/SoundDialogRules.h"

#include <gtest/gtest.h>

#include "resources/resource.h"

namespace {

TEST(SoundDialogRulesTest, EachSoundCommandOpensItsEventsDialog) {
    const std::pair<int, std::u16string_view> dialogs[] = {
        {IDM_SOUND_NORMAL, u"Options Normal Sound"},
        {IDM_SOUND_ERROR, u"Options Error Sound"},
        {IDM_SOUND_SCANACCEPT, u"Options Accept Scan Sound"},
        {IDM_SOUND_SCANREJECT, u"Options Reject Scan Sound"},
        {IDM_SOUND_USER1, u"Options User 1 Sound"},
        {IDM_SOUND_USER4, u"Options User 4 Sound"},
    };
    for (auto [command, title] : dialogs) {
        std::optional<SoundEventKind> kind = SoundKindForCommand(command);
        ASSERT_TRUE(kind) << command;
        EXPECT_EQ(SoundDialogTitle(*kind), title) << command;
    }
    EXPECT_EQ(SoundKindForCommand(IDM_SOUND_USER1), SoundEventKind::User01);
    EXPECT_FALSE(SoundKindForCommand(IDM_FULLSCREEN));
    EXPECT_FALSE(SoundKindForCommand(IDM_SERIALFEATURE));
}

}  // namespace
