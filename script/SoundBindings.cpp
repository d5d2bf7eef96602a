// The sound player in Lua: the process-wide GameSoundDDZ. Its members play
// through the one player whatever they are called on (the class table too),
// but for the two music forms that take no name or index, which are the
// object's own.
#include <lua.hpp>
#include <string>

#include "platform/framework/SoundManage.h"
#include "script/BindingArgs.h"
#include "script/BindingTables.h"
#include "table/GameSoundDDZ.h"

namespace qorvscript {

namespace {

constexpr const char* kGameSoundDDZ = "QorvDDZView.GameSoundDDZ";

GameSoundDDZ* Player() { return GameSoundDDZ::shareGameSoundDDZ(); }

int lua_cocos2dx_GameSoundDDZ_shareGameSoundDDZ(lua_State* L) {
  DDZ_STATIC(GameSoundDDZ, shareGameSoundDDZ);
  a.Exactly(0);
  luabind::PushRecord(L, Player(), typeid(GameSoundDDZ).name(), kGameSoundDDZ);
  return 1;
}

// A named voice, or voice iTalkIndex of the head's set.
int lua_cocos2dx_GameSoundDDZ_PlayerTalk(lua_State* L) {
  DDZ_STATIC(GameSoundDDZ, PlayerTalk);
  if (a.Count() == 2) {
    const int head = a.Int(1, "iHeadIndex");
    Player()->PlayerTalk(head, a.Int(2, "iTalkIndex"));
    return luabind::ReturnSelf(L);
  }
  a.Exactly(1);
  std::string name;
  if (!a.Text(1, &name)) return a.Fail("strSoundName");
  Player()->PlayerTalk(name);
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_GameSoundDDZ_PlayerTalkCard(lua_State* L) {
  DDZ_STATIC(GameSoundDDZ, PlayerTalkCard);
  a.Exactly(3);
  const int head = a.Int(1, "iHeadIndex");
  const int type = a.Int(2, "iCardType");
  Player()->PlayerTalkCard(head, type, a.Int(3, "iCardValue"));
  return luabind::ReturnSelf(L);
}

// None: the object's next table track. One: a music index, a named track
// (looped) or the object's room-list (true) or table (false) track; one
// value of another kind plays nothing. Two: a named track and its loop flag.
int lua_cocos2dx_GameSoundDDZ_PlayBackGroundMusic(lua_State* L) {
  DDZ_STATIC(GameSoundDDZ, PlayBackGroundMusic);
  if (a.Count() == 0) {
    luabind::Self<GameSoundDDZ>(L, kGameSoundDDZ, kFunc)->PlayBackGroundMusic(false);
    return luabind::ReturnSelf(L);
  }
  if (a.Count() == 2) {
    if (!lua_isstring(L, 2)) return a.Fail("strBkMusicName");
    const bool loop = a.Bool(2, "bLoop");
    std::string name;  // read last: nothing raises after it
    a.Text(1, &name);
    Player()->PlayBackGroundMusic(name, loop);
    return luabind::ReturnSelf(L);
  }
  if (a.Count() != 1) a.Exactly(0);
  switch (lua_type(L, 2)) {
    case LUA_TNUMBER:
      Player()->PlayBackGroundMusic(a.Int(1, "iMusicIndex"));
      break;
    case LUA_TSTRING: {
      std::string name;
      a.Text(1, &name);
      Player()->PlayBackGroundMusic(name, true);
      break;
    }
    case LUA_TBOOLEAN:
      luabind::Self<GameSoundDDZ>(L, kGameSoundDDZ, kFunc)->PlayBackGroundMusic(lua_toboolean(L, 2) != 0);
      break;
    default:
      break;
  }
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_GameSoundDDZ_PlayCompeteBackgroundMusic(lua_State* L) {
  DDZ_STATIC(GameSoundDDZ, PlayCompeteBackgroundMusic);
  a.Exactly(1);
  Player()->PlayCompeteBackgroundMusic(a.Int(1, "iIndex"));
  return luabind::ReturnSelf(L);
}

// An effect by index or name (a value of another kind plays nothing), or a
// head's named effect.
int lua_cocos2dx_GameSoundDDZ_PlayGameSound(lua_State* L) {
  DDZ_STATIC(GameSoundDDZ, PlayGameSound);
  if (a.Count() == 2) {
    const int head = a.Int(1, "iHeadIndex");
    std::string name;
    if (!a.Text(2, &name)) return a.Fail("strSoundName");
    Player()->PlayGameSound(head, name);
    return luabind::ReturnSelf(L);
  }
  a.Exactly(1);
  if (lua_type(L, 2) == LUA_TNUMBER) {
    Player()->PlayGameSound(a.Int(1, "iSoundIndex"));
  } else if (lua_type(L, 2) == LUA_TSTRING) {
    std::string name;
    a.Text(1, &name);
    Player()->PlayGameSound(name);
  }
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_GameSoundDDZ_StopBackgroundMusic(lua_State* L) {
  DDZ_STATIC(GameSoundDDZ, StopBackgroundMusic);
  a.Exactly(0);
  SoundManage::shareSoundManage()->StopBackgroundMusic();
  return luabind::ReturnSelf(L);
}

int lua_cocos2dx_GameSoundDDZ_StopAllSound(lua_State* L) {
  DDZ_STATIC(GameSoundDDZ, StopAllSound);
  a.Exactly(0);
  SoundManage::shareSoundManage()->StopAllSound();
  return luabind::ReturnSelf(L);
}

using luabind::Method;

constexpr luabind::Member kMembers[] = {
    Method("shareGameSoundDDZ", lua_cocos2dx_GameSoundDDZ_shareGameSoundDDZ),
    Method("PlayerTalk", lua_cocos2dx_GameSoundDDZ_PlayerTalk),
    Method("PlayerTalkCard", lua_cocos2dx_GameSoundDDZ_PlayerTalkCard),
    Method("PlayBackGroundMusic", lua_cocos2dx_GameSoundDDZ_PlayBackGroundMusic),
    Method("PlayCompeteBackgroundMusic", lua_cocos2dx_GameSoundDDZ_PlayCompeteBackgroundMusic),
    Method("PlayGameSound", lua_cocos2dx_GameSoundDDZ_PlayGameSound),
    Method("StopBackgroundMusic", lua_cocos2dx_GameSoundDDZ_StopBackgroundMusic),
    Method("StopAllSound", lua_cocos2dx_GameSoundDDZ_StopAllSound),
};

}  // namespace

std::span<const luabind::Member> GameSoundDDZMembers() { return kMembers; }

}  // namespace qorvscript
