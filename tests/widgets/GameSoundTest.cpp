#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/engine/Log.h"
#include "platform/framework/SoundManage.h"
#include "table/GameSoundDDZ.h"
#include "widgets/WidgetTestSupport.h"

namespace {

using Op = SoundManage::Op;

class GameSoundTest : public widgettest::WidgetTest {
 protected:
  GameSoundDDZ* sound() { return GameSoundDDZ::shareGameSoundDDZ(); }
  // The calls since the last look, as "op file loop".
  std::vector<std::string> calls() {
    std::vector<std::string> out;
    for (const SoundManage::Call& call : SoundManage::shareSoundManage()->GetCalls()) {
      switch (call.op) {
        case Op::PlaySound: out.push_back("effect " + call.file); break;
        case Op::PlayMusic: out.push_back(std::string(call.loop ? "loop " : "once ") + call.file); break;
        case Op::StopMusic: out.push_back("stop"); break;
        case Op::StopAll: out.push_back("stop all"); break;
        default: out.push_back("other"); break;
      }
    }
    SoundManage::shareSoundManage()->ClearCalls();
    return out;
  }
};

TEST_F(GameSoundTest, EachKindOfCallPlaysItsFile) {
  const std::string longName(60, 'x');
  const struct {
    const char* what;
    std::function<void(GameSoundDDZ*)> call;
    std::vector<std::string> expected;
  } cases[] = {
      {"odd head speaks set A", [](GameSoundDDZ* s) { s->PlayerTalk(3, 16); }, {"effect ddzSound/35.mp3"}},
      {"even head speaks set B", [](GameSoundDDZ* s) { s->PlayerTalk(4, 16); }, {"effect ddzSound/87.mp3"}},
      {"set A last entry", [](GameSoundDDZ* s) { s->PlayerTalk(1, 38); }, {"effect ddzSound/135.mp3"}},
      {"set B first entry", [](GameSoundDDZ* s) { s->PlayerTalk(0, 0); }, {"effect ddzSound/71.mp3"}},
      {"chat phrase 0, set A", [](GameSoundDDZ* s) { s->PlayerTalk(1, GameSoundDDZ::kVoiceChatFirst); },
       {"effect ddzSound/59.mp3"}},
      {"named voice", [](GameSoundDDZ* s) { s->PlayerTalk(std::string("hello.ogg")); },
       {"effect ddzSound/hello.ogg"}},
      {"odd head, pair of aces", [](GameSoundDDZ* s) { s->PlayerTalkCard(1, 32, 14); },
       {"effect ddzSound/0_2_14.mp3"}},
      {"even head, single three", [](GameSoundDDZ* s) { s->PlayerTalkCard(2, 1, 3); }, {"effect ddzSound/1_1_3.mp3"}},
      {"triple has no card call", [](GameSoundDDZ* s) { s->PlayerTalkCard(1, 48, 5); }, {}},
      {"bomb has no card call", [](GameSoundDDZ* s) { s->PlayerTalkCard(2, 112, 5); }, {}},
      {"clock warning", [](GameSoundDDZ* s) { s->PlayGameSound(23); }, {"effect ddzSound/2008.mp3"}},
      {"first effect", [](GameSoundDDZ* s) { s->PlayGameSound(0); }, {"effect ddzSound/3.mp3"}},
      {"last effect", [](GameSoundDDZ* s) { s->PlayGameSound(39); }, {"effect ddzSound/222.mp3"}},
      {"named effect", [](GameSoundDDZ* s) { s->PlayGameSound(std::string("boom.mp3")); },
       {"effect ddzSound/boom.mp3"}},
      {"head and name effect", [](GameSoundDDZ* s) { s->PlayGameSound(5, std::string("x.mp3")); },
       {"effect ddzSound/0_5_x.mp3"}},
      {"music by number, once", [](GameSoundDDZ* s) { s->PlayBackGroundMusic(5); },
       {"stop", "once ddzSound/1000.mp3"}},
      {"room list music, looped", [](GameSoundDDZ* s) { s->PlayBackGroundMusic(true); },
       {"stop", "loop ddzSound/2.mp3"}},
      {"named music", [](GameSoundDDZ* s) { s->PlayBackGroundMusic(std::string("m.mp3"), false); },
       {"stop", "once ddzSound/m.mp3"}},
      {"tournament music", [](GameSoundDDZ* s) { s->PlayCompeteBackgroundMusic(2); },
       {"stop", "loop ddzSound/ddzcompete_background_2.mp3"}},
      {"stop music", [](GameSoundDDZ* s) { s->StopBackgroundMusic(); }, {"stop"}},
      {"stop all", [](GameSoundDDZ* s) { s->StopAllSound(); }, {"stop all"}},
      // Out of a table or too long for its name: nothing plays.
      {"voice index 39", [](GameSoundDDZ* s) { s->PlayerTalk(1, 39); }, {}},
      {"voice index -1", [](GameSoundDDZ* s) { s->PlayerTalk(2, -1); }, {}},
      {"effect index 40", [](GameSoundDDZ* s) { s->PlayGameSound(40); }, {}},
      {"effect index -1", [](GameSoundDDZ* s) { s->PlayGameSound(-1); }, {}},
      {"music index 6", [](GameSoundDDZ* s) { s->PlayBackGroundMusic(6); }, {}},
      {"music index -1", [](GameSoundDDZ* s) { s->PlayBackGroundMusic(-1); }, {}},
      {"named effect too long", [&](GameSoundDDZ* s) { s->PlayGameSound(longName); }, {}},
      {"head and name too long", [&](GameSoundDDZ* s) { s->PlayGameSound(1, longName); }, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    calls();
    cocos2d::Log::clear();
    c.call(sound());
    EXPECT_EQ(calls(), c.expected);
  }
}

TEST_F(GameSoundTest, RefusedIndexesAreLogged) {
  sound()->PlayGameSound(40);
  sound()->PlayerTalk(1, 100);
  sound()->PlayBackGroundMusic(-3);
  int refused = 0;
  for (const std::string& line : cocos2d::Log::lines()) refused += line.find("not played") != std::string::npos;
  EXPECT_EQ(refused, 3);
}

TEST_F(GameSoundTest, TableMusicAlternatesWhicheverTrackCameFirst) {
  for (int start : {0, 1}) {
    SCOPED_TRACE(start);
    sound()->m_iMusicIndex = start;
    calls();
    sound()->PlayBackGroundMusic(false);
    sound()->PlayBackGroundMusic(true);  // the room list leaves the alternation alone
    sound()->PlayBackGroundMusic(false);
    const std::string first = start == 0 ? "0" : "1", second = start == 0 ? "1" : "0";
    EXPECT_EQ(calls(), (std::vector<std::string>{"stop", "loop ddzSound/" + first + ".mp3", "stop",
                                                 "loop ddzSound/2.mp3", "stop", "loop ddzSound/" + second + ".mp3"}));
  }
}

TEST_F(GameSoundTest, VoiceNumbersReadBySetAndRefuseOutsideOneSet) {
  EXPECT_EQ(GameSoundDDZ::VoiceNumber(1, 25), 96);
  EXPECT_EQ(GameSoundDDZ::VoiceNumber(2, 25), 112);
  EXPECT_EQ(GameSoundDDZ::VoiceNumber(2, 38), 155);
  EXPECT_EQ(GameSoundDDZ::VoiceNumber(1, 39), -1);  // not set B's first entry
}

}  // namespace
