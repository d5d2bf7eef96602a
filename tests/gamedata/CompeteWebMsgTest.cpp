// The signed web messages through the loopback web server: every frame byte
// for byte, the signature, the send gates on the stepped clock, and the
// blocking replies that fill the records.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/gamedata/CompeteWebTestSupport.h"

namespace {

using ddz::test::ExpectedSignature;
using ddz::test::IntAt;
using ddz::test::IntBytes;
using ddz::test::WebAnswer;
using ddz::test::WebReply;

class CompeteWebMsgTest : public ddz::test::CompeteWebFixture {
 protected:
  CompeteWebMsg& Web() { return *CompeteWebMsg::shareCompeteWebMsg(); }
  std::int32_t Now() const { return ddz::CompeteTimeNow(); }
  void Advance(int seconds) { ddz::os::Clock().AdvanceMs(static_cast<std::uint64_t>(seconds) * 1000); }
};

TEST_F(CompeteWebMsgTest, EveryFrameCarriesItsIdTimeBodyAndSignature) {
  server.SetDefaultAnswer(WebAnswer::Ok(WebReply('S', "")));
  // A token that fills the login record's field leaves no terminator there.
  std::memcpy(GameViewBase::m_GlobalInfo.szUserToken, "TOKEN-0123456789abcd", 20);
  ASSERT_EQ(Web().SendEnterCompeteQuery(target), 0);
  ASSERT_EQ(CompeteRoomInfo::RequestCompeteRoomInfo(false, target, false), 0);
  ASSERT_EQ(Web().SendSignUpCountQuery(55, target), 0);
  ASSERT_EQ(Web().QueryFdLogicData(false, target, 999), 0);
  ASSERT_TRUE(StepUntil([&] { return server.Requests().size() == 4; }));

  struct Expected {
    int length;
    std::map<int, std::int32_t> ints;       // body offset -> value
    std::map<int, std::string> texts;       // body offset -> terminated text
  };
  const std::map<int, Expected> expected = {
      {20034, {44, {{40, 4321}}, {}}},
      {20035, {76, {{40, 4321}}, {{44, "TOKEN-0123456789abcd"}}}},
      {20036, {44, {{40, 55}}, {}}},
      {20047, {88, {{40, 245}, {44, 999}, {48, 100}, {52, 3}}, {}}},
  };
  std::map<int, int> seen;
  for (const std::string& frame : Frames()) {
    const int id = IntAt(frame, 32);
    SCOPED_TRACE(id);
    ASSERT_EQ(expected.count(id), 1u);
    const Expected& e = expected.at(id);
    ++seen[id];
    ASSERT_EQ(static_cast<int>(frame.size()), e.length);
    EXPECT_EQ(IntAt(frame, 36), Now());
    EXPECT_EQ(frame.substr(0, 32), ExpectedSignature(frame));
    std::string body(frame.size() - 40, '\0');  // what the body must be, byte for byte
    for (const auto& [offset, value] : e.ints) body.replace(offset - 40, 4, IntBytes({value}));
    for (const auto& [offset, text] : e.texts) body.replace(offset - 40, text.size(), text);
    EXPECT_EQ(frame.substr(40), body);
  }
  EXPECT_EQ(seen, (std::map<int, int>{{20034, 1}, {20035, 1}, {20036, 1}, {20047, 1}}));
}

TEST_F(CompeteWebMsgTest, TheSignatureCoversTheFrameFromByte32AndTheKey) {
  server.SetDefaultAnswer(WebAnswer::Ok(WebReply('S', "")));
  const auto send = [&](std::int32_t matchId, char head) {
    char frame[CompeteWebMsg::kLenSignUpCount];
    std::memset(frame, head, 40);  // whatever the caller left in the head
    std::memset(frame + 40, 0, 4);
    std::memcpy(frame + 40, &matchId, 4);
    char reply[128];
    int replyLen = sizeof reply;
    EXPECT_EQ(Web().SendWebMsg(CompeteWebMsg::kMsgSignUpCount, false, frame, sizeof frame, reply, replyLen, nullptr),
              0);
  };
  send(1, 'x');
  send(1, '\0');
  send(2, 'x');
  const std::vector<std::string> frames = Frames();
  ASSERT_EQ(frames.size(), 3u);
  // A 44-byte frame is signed over 30 bytes: its last 12 and the 18 of the key.
  EXPECT_EQ(frames[0].substr(0, 32), MakeMD5(frames[0].substr(32, 12) + ddz::test::kTestSignKey));
  EXPECT_EQ(frames[0], frames[1]);  // the head's old bytes are not covered; the same second signs alike
  EXPECT_NE(frames[2].substr(0, 32), frames[0].substr(0, 32));  // one body byte changes it
  EXPECT_EQ(frames[2].substr(0, 32), ExpectedSignature(frames[2]));
}

TEST_F(CompeteWebMsgTest, AFrameTheSignerRefusesIsNotSent) {
  for (int len : {39, 2063}) {
    SCOPED_TRACE(len);
    std::vector<char> frame(static_cast<std::size_t>(len), '\0');
    std::vector<char> before = frame;
    char reply[64];
    int replyLen = sizeof reply;
    EXPECT_EQ(Web().SendWebMsg(20036, false, frame.data(), len, reply, replyLen, nullptr), kWebErrBadArgument);
    EXPECT_EQ(replyLen, 0);
    EXPECT_EQ(Web().SendWebMsg(20036, true, frame.data(), len, nullptr, replyLen, target), kWebErrBadArgument);
    EXPECT_EQ(frame, before);
    EXPECT_EQ(Outstanding(), 0);
  }
  // The longest frame the 2048-byte signing area holds still goes out.
  std::vector<char> longest(2062, '\0');
  char reply[64];
  int replyLen = sizeof reply;
  server.SetDefaultAnswer(WebAnswer::Ok(WebReply('S', "")));
  EXPECT_EQ(Web().SendWebMsg(20036, false, longest.data(), 2062, reply, replyLen, nullptr), 0);
  EXPECT_EQ(server.Requests().size(), 1u);
}

TEST_F(CompeteWebMsgTest, TheInvitationQuestionGoesOutOnceAnHourAndNeverUnderExamination) {
  YndLocalData::sharedLocalData()->setBoolForKey("lobby_if_examine", true);
  Web().SendEnterCompeteQuery(target);
  EXPECT_EQ(Outstanding(), 0);
  Web().QueryFdLogicData(false, target, 7);  // the flag stops 20034 only
  EXPECT_EQ(Outstanding(), 1);
  web->Reset();
  Web().LoadWebUrl();

  YndLocalData::sharedLocalData()->setBoolForKey("lobby_if_examine", false);
  server.SetDefaultAnswer(WebAnswer::Ok(WebReply('S', IntBytes({1}))));
  Web().SendEnterCompeteQuery(target);  // the first is always sent
  ASSERT_TRUE(StepUntil([&] { return target->replies.size() == 1; }));
  const auto& reply = target->replies[0];
  EXPECT_TRUE(DdzCompete::getInstance()->AcceptInviteReply(reply.body.data(), static_cast<int>(reply.body.size()),
                                                           reply.error));
  EXPECT_EQ(DdzCompete::getInstance()->m_iInviteCompete, 1);
  EXPECT_EQ(DdzCompete::getInstance()->m_tLastInviteQuery, Now());
  Advance(3600);
  Web().SendEnterCompeteQuery(target);
  EXPECT_EQ(Outstanding(), 0);
  Advance(1);
  Web().SendEnterCompeteQuery(target);
  EXPECT_EQ(Outstanding(), 1);
}

TEST_F(CompeteWebMsgTest, TheEntryQueryWaitsAnHourAfterAnAcceptedAnswer) {
  server.SetDefaultAnswer(WebAnswer::Ok(WebReply('S', IntBytes({1, 2}))));
  EXPECT_EQ(Web().QueryFdLogicData(true, nullptr, 7), 0);
  EXPECT_EQ(server.Requests().size(), 1u);
  Advance(3600);
  EXPECT_EQ(Web().QueryFdLogicData(true, nullptr, 7), 0);  // not due: nothing sent
  EXPECT_EQ(server.Requests().size(), 1u);
  Advance(1);
  EXPECT_EQ(Web().QueryFdLogicData(true, nullptr, 7), 0);
  EXPECT_EQ(server.Requests().size(), 2u);
}

TEST_F(CompeteWebMsgTest, TheRecordRequestWaitsFiveMinutesUnlessForced) {
  EXPECT_EQ(CompeteRoomInfo::RequestCompeteRoomInfo(false, target, false), 0);
  EXPECT_EQ(Outstanding(), 1);
  const std::int32_t first = Now();
  web->Reset();
  Web().LoadWebUrl();
  Advance(299);
  EXPECT_EQ(CompeteRoomInfo::RequestCompeteRoomInfo(false, target, false), -1);
  EXPECT_EQ(Outstanding(), 0);
  EXPECT_EQ(CompeteRoomInfo::m_tLastRequestTime, first);
  EXPECT_EQ(CompeteRoomInfo::RequestCompeteRoomInfo(false, target, true), 0);
  EXPECT_EQ(Outstanding(), 1);
  EXPECT_EQ(CompeteRoomInfo::m_tLastRequestTime, first + 299);  // restamped
  Advance(299);
  EXPECT_EQ(CompeteRoomInfo::RequestCompeteRoomInfo(false, target, false), -1);
  Advance(1);
  EXPECT_EQ(CompeteRoomInfo::RequestCompeteRoomInfo(false, target, false), 0);
}

// ---------------------------------------------------------------- replies

TEST_F(CompeteWebMsgTest, ABlockingRecordReplyReplacesTheRecordAndTodaysSignUps) {
  CompeteUserRecord record{};
  record.tServerTime = Now() + 90;
  record.tRecordDate = Now();
  record.iFeeKind5Num = 12;
  ddz::test::PutText(record.szDailySignUps, "7-2;8-1");
  server.Script({WebAnswer::Ok(WebReply('S', std::string(reinterpret_cast<const char*>(&record), sizeof record)))});
  ASSERT_EQ(CompeteRoomInfo::RequestCompeteRoomInfo(true, nullptr, false), 0);
  DdzCompete& compete = *DdzCompete::getInstance();
  EXPECT_EQ(std::memcmp(&compete.m_UserRecord, &record, sizeof record), 0);
  EXPECT_EQ(compete.GetSignUpTimes(7), 2);
  EXPECT_EQ(compete.GetSignUpTimes(8), 1);
  EXPECT_EQ(compete.GetServerNow(), Now() + 90);
  EXPECT_EQ(compete.GetPropNum(5), 12);
}

TEST_F(CompeteWebMsgTest, AFailedRecordExchangeChangesNothing) {
  CompeteUserRecord record{};
  record.tServerTime = record.tRecordDate = Now();
  ddz::test::PutText(record.szDailySignUps, "7-2");
  const std::string payload(reinterpret_cast<const char*>(&record), sizeof record);
  const struct {
    const char* what;
    WebAnswer answer;
  } cases[] = {
      {"an error status", WebAnswer::Status(500, WebReply('S', payload))},
      {"a broken connection", WebAnswer::HangUp()},
      {"one byte short", WebAnswer::Ok(WebReply('S', payload.substr(0, payload.size() - 1)))},
      {"a status other than S", WebAnswer::Ok(WebReply('F', payload))},
      {"an empty reply", WebAnswer::Ok("")},
  };
  DdzCompete& compete = *DdzCompete::getInstance();
  ddz::test::CompeteFixture::SyncServer(Now() + 50, "9-4");
  const CompeteUserRecord before = compete.m_UserRecord;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    server.Script({c.answer});
    EXPECT_EQ(CompeteRoomInfo::RequestCompeteRoomInfo(true, nullptr, true), -1);
    EXPECT_EQ(std::memcmp(&compete.m_UserRecord, &before, sizeof before), 0);
    EXPECT_EQ(compete.m_mapSignUpTimes, (std::map<int, int>{{9, 4}}));
    EXPECT_EQ(compete.GetServerNow(), Now() + 50);
  }
}

TEST_F(CompeteWebMsgTest, TheEntryAnswerKeepsItsKindWithinOneToThree) {
  const struct {
    std::string reply;
    int result;
    std::int32_t flag, kind;
  } cases[] = {
      {WebReply('S', IntBytes({1, 3})), 0, 1, 3},
      {WebReply('S', IntBytes({1, 0})), 0, 1, 1},
      {WebReply('S', IntBytes({0, 4})), 0, 0, 1},
      {WebReply('S', IntBytes({1, -2})), 0, 1, 1},
      {WebReply('S', IntBytes({1, 2}).substr(0, 7)), -1, 9, 9},  // 68 bytes: the kind is not there
      {WebReply('E', IntBytes({1, 2})), -1, 9, 9},
  };
  FdLogicData& data = *FdLogicData::shareFdLogicData();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reply.size());
    data.Reset();
    data.m_iEntryFlag = data.m_iEntryKind = 9;
    server.Script({WebAnswer::Ok(c.reply)});
    EXPECT_EQ(Web().QueryFdLogicData(true, nullptr, 7), c.result);
    EXPECT_EQ(data.m_iEntryFlag, c.flag);
    EXPECT_EQ(data.m_iEntryKind, c.kind);
    EXPECT_EQ(data.m_tLastQuery, c.result == 0 ? Now() : 0);
  }
}

TEST_F(CompeteWebMsgTest, ShortAsynchronousAnswersAreNotRead) {
  std::int32_t a = 5, b = 6;
  CompeteUserRecord record{};
  record.iFeeKind5Num = 77;
  const std::string full = WebReply('S', IntBytes({10, 20}));
  EXPECT_TRUE(CompeteWebMsg::ReadSignUpCountReply(full.data(), 69, a, b));
  EXPECT_EQ(a, 10);
  EXPECT_EQ(b, 20);
  EXPECT_FALSE(CompeteWebMsg::ReadSignUpCountReply(full.data(), 68, a, b));
  EXPECT_FALSE(CompeteWebMsg::ReadEnterCompeteReply(full.data(), 64, a));
  EXPECT_FALSE(CompeteWebMsg::ReadCompeteRoomInfoReply(full.data(), static_cast<int>(full.size()), record));
  EXPECT_FALSE(CompeteWebMsg::ReadFdLogicReply(nullptr, 100, a, b));
  EXPECT_EQ(a, 10);
  EXPECT_EQ(record.iFeeKind5Num, 77);
  // An invitation answer that failed in the web client stamps nothing.
  EXPECT_FALSE(DdzCompete::getInstance()->AcceptInviteReply(full.data(), static_cast<int>(full.size()), -4));
  EXPECT_EQ(DdzCompete::getInstance()->m_tLastInviteQuery, 0);
}

// ---------------------------------------------------------------- configuration

TEST_F(CompeteWebMsgTest, OnlyAnEighteenCharacterKeyOfItsAlphabetIsUsed) {
  const struct {
    std::string key;
    bool used;
  } cases[] = {
      {"abcdefghij01234567", true}, {"abc#!fghij01234567", true}, {"abcdefghij0123456", false},
      {"abcdefghij012345678", false}, {"ABCDEFGHIJ01234567", false}, {"abcdefghij 1234567", false}, {"", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    WriteServerConf("normal_web_url = " + server.Url("/ddz") + "\nweb_sign_key = " + c.key + "\n");
    EXPECT_EQ(ddz::LoadWebSignKey(), c.used);
    char frame[44] = {};
    ASSERT_TRUE(GameLogicLayer::shareGameLogicLayer()->FillWebMsgHead(20036, 1, frame, 44));
    const std::string f(frame, 44);
    EXPECT_EQ(f.substr(0, 32), ExpectedSignature(f, c.used ? c.key : ""));
  }
}

TEST_F(CompeteWebMsgTest, WithoutAConfiguredAddressRequestsFailInTheWebClient) {
  WriteServerConf("");
  EXPECT_STREQ(Web().m_szWebUrl, "0");
  char frame[44] = {};
  char reply[64];
  int replyLen = sizeof reply;
  EXPECT_EQ(Web().SendWebMsg(20036, false, frame, 44, reply, replyLen, nullptr), kWebErrBadAddress);
  EXPECT_EQ(CompeteRoomInfo::RequestCompeteRoomInfo(true, nullptr, true), -1);
  EXPECT_TRUE(server.Requests().empty());
}

}  // namespace
