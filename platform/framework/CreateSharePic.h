// The share picture: the window's last frame written as a JPEG file in the
// writable folder, for the picture share of the platform services.
//
// With the window backend the renderer writes the frame it drew last; a
// headless run writes a small placeholder picture instead. Either way the
// caller hears the outcome once, on a later frame, unless it took its
// callback back (RemoveCallBackSaveOkByTarget) or the object was destroyed.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace cocos2d {
class Ref;
}

class CCreateSharePic {
 public:
  using SaveCallBack = std::function<void(const std::string& name, bool ok)>;

  static CCreateSharePic* sharedCreateSharePic();
  // Destroys the object made by sharedCreateSharePic, with the callbacks it
  // still owed.
  static void destorySharedCreateSharePic();
  // The callers' flag; stored only.
  bool m_bFlag = false;

  // Writes "<writable path><name>.jpg". The callback gets (name, written)
  // on the next frame. `mode` is logged only. The result: written or not.
  bool saveScreenShotOnly(const std::string& name, cocos2d::Ref* target, SaveCallBack callback, int mode);
  // Takes back every callback of `target` (the object, when it exists).
  static void RemoveCallBackSaveOkByTarget(cocos2d::Ref* target);

  int PendingCallBacks() const { return static_cast<int>(m_vcPending.size()); }

  // A small valid JPEG of one colour.
  static bool WritePlaceholderJpeg(const std::string& path);

 private:
  CCreateSharePic() = default;
  ~CCreateSharePic();
  void RunCallBack(int id);

  struct Pending {
    int id;
    cocos2d::Ref* target;
    SaveCallBack callback;
    std::string name;
    bool ok;
  };
  std::vector<Pending> m_vcPending;
  int m_iNextId = 0;
};
