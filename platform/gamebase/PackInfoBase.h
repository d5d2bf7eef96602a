// The user's props as the game base keeps them: one record per prop, in the
// order they arrived. The backpack layer derives from it and hears of every
// change through the CallBack slots.
#pragma once

#include <cstdint>
#include <vector>

// One prop of the user (16 bytes as the game server sends it).
struct UserPropRecord {
  std::int32_t iPropID = 0;
  std::int32_t iCount = 0;
  std::int32_t iExtra = 0;
  std::int32_t iExpireTime = 0;  // server seconds; 0 or less: no time limit
};
static_assert(sizeof(UserPropRecord) == 16);

class PackInfoBase {
 public:
  PackInfoBase();
  virtual ~PackInfoBase();

  // Adds `count` of the prop (a new record when the user has none, also for
  // a count of 0); `notify` raises CallBackAddUserProp.
  virtual void AddUserProp(int propId, int count, int extra, int expireTime, bool notify);
  virtual void CallBackAddUserProp(int propId);
  // Takes `count` away; at 0 or below the record goes. Raises
  // CallBackDeleteUserProp when the user had the prop.
  virtual void DeleteUserProp(int propId, int count);
  virtual void CallBackDeleteUserProp(int propId);
  // The prop list has arrived.
  virtual void CallBackSuccUserPropnfo();
  // A prop was used: one less of it.
  virtual void SetUserPropUsed(int propId);
  // A timed prop ran out (the caller deletes it next).
  virtual void CallBackDeleTimeProp(int propId);
  virtual int GetPropNum(int propId);
  virtual void SetLuaCallBack(int handler);

  // A game message for the prop list; the game base reads none of them yet
  // (only their length is checked, and the ones that pass are counted).
  void HandleNetMessage(const char* msg, int len);
  int GetHeardMessages() const { return m_iHeardMessages; }

  const std::vector<UserPropRecord>& GetUserProps() const { return m_vcUserProp; }
  std::vector<UserPropRecord>& GetUserProps() { return m_vcUserProp; }
  int GetLuaCallBack() const { return m_iLuaHandler; }

 protected:
  std::vector<UserPropRecord> m_vcUserProp;
  int m_iLuaHandler = 0;
  int m_iHeardMessages = 0;
};
