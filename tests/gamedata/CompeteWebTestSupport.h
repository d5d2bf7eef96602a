// The web messages' fixture: a running stage, the competition records'
// scratch folder with a server.conf that points the web messages at the
// scripted loopback web server and holds a test signing key, and the frame
// helpers the tests read requests with.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "gamedata/CompeteRoomInfo.h"
#include "gamedata/CompeteWebMsg.h"
#include "platform/engine/cocos2d.h"
#include "platform/framework/YndCommonFunc.h"
#include "platform/framework/YndGameLayer.h"
#include "platform/framework/YndLocalData.h"
#include "platform/framework/YndWebClient.h"
#include "platform/gamebase/GameLogicLayer.h"
#include "support/LoopbackWebServer.h"
#include "support/Stage.h"
#include "tests/gamedata/CompeteTestSupport.h"

namespace ddz::test {

// 18 characters of the key's alphabet; the tests' own.
inline const std::string kTestSignKey = "test!key#0123456ab";

inline std::int32_t IntAt(const std::string& bytes, std::size_t offset) {
  std::int32_t v = 0;
  if (offset + 4 <= bytes.size()) std::memcpy(&v, bytes.data() + offset, 4);
  return v;
}

// The bytes of a hex text (the web client posts frames as hex); "" when it is not hex.
inline std::string FromHex(const std::string& hex) {
  std::string out(hex.size() / 2 + 1, '\0');
  int len = 0;
  if (!HexStringToCharArray(hex.c_str(), out.data(), &len, static_cast<int>(out.size()))) return {};
  out.resize(static_cast<std::size_t>(len));
  return out;
}

// The signature a frame must carry: MD5 of bytes 32.. and the key.
inline std::string ExpectedSignature(const std::string& frame, const std::string& key = kTestSignKey) {
  return MakeMD5(frame.substr(32) + key);
}

// A reply of the web server: status byte, 60 bytes nobody reads, the payload.
inline std::string WebReply(char status, const std::string& payload) {
  return std::string(1, status) + std::string(60, '.') + payload;
}
inline std::string IntBytes(std::initializer_list<std::int32_t> values) {
  std::string out;
  for (std::int32_t v : values) out.append(reinterpret_cast<const char*>(&v), 4);
  return out;
}

class ReplyLayer : public YndGameLayer {
 public:
  void CallBackAsyncHttpRes(const char* reply, int len, const char*, int msgId, int error) override {
    replies.push_back({std::string(reply, static_cast<std::size_t>(len)), msgId, error});
  }
  struct Reply {
    std::string body;
    int msgId;
    int error;
  };
  std::vector<Reply> replies;
};

class CompeteWebFixture : public CompeteFixture {
 protected:
  void SetUp() override {
    const Stage stage = ResetStage(false);
    director = stage.director;
    scene = stage.scene;
    CompeteFixture::SetUp();
    web = YndWebClient::shareWebClient();
    web->Reset();
    WriteServerConf("normal_web_url = " + server.Url("/ddz") + "\nweb_sign_key = " + kTestSignKey + "\n");
    ASSERT_TRUE(ddz::LoadWebSignKey());
    YndLocalData::sharedLocalData()->setBoolForKey("lobby_if_examine", false);
    FdLogicData::shareFdLogicData()->Reset();
    CompeteRoomInfo::m_tLastRequestTime = 0;
    GameViewBase::m_GlobalInfo.iUserID = 4321;
    std::strcpy(GameViewBase::m_GlobalInfo.szUserToken, "tok-abc");
    target = new ReplyLayer();
    scene->addChild(target);
    target->release();
  }
  void TearDown() override {
    web->Reset();
    GameLogicLayer::shareGameLogicLayer()->SetWebSignKey("");
    FdLogicData::shareFdLogicData()->Reset();
    CompeteRoomInfo::m_tLastRequestTime = 0;
    YndLocalData::sharedLocalData()->setBoolForKey("lobby_if_examine", false);
    director->reset();
    CompeteFixture::TearDown();
  }

  // A server.conf of the test's own, [release] section; the web messages read it again.
  void WriteServerConf(const std::string& release) {
    std::ofstream(dir.file("server.conf")) << "[release]\n" << release;
    ddz::ClearConfCache();
    CompeteWebMsg::shareCompeteWebMsg()->LoadWebUrl();
  }

  // Steps frames, waiting on the network between them, until `done` (about 4 s at most).
  bool StepUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 400 && !done(); ++i) {
      web->WaitForActivity(10);
      director->mainLoop(1.0f / 60);
    }
    return done();
  }
  // The frames the server received so far, decoded.
  std::vector<std::string> Frames() const {
    std::vector<std::string> frames;
    for (const WebRequest& r : server.Requests()) frames.push_back(FromHex(r.body));
    return frames;
  }
  // Exchanges the web client still runs or holds (0 right after a call: nothing went out).
  int Outstanding() const { return web->RunningCount() + web->WaitingCount(); }

  cocos2d::Director* director = nullptr;
  cocos2d::Scene* scene = nullptr;
  YndWebClient* web = nullptr;
  ReplyLayer* target = nullptr;
  LoopbackWebServer server;
};

}  // namespace ddz::test
