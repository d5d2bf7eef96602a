#include "platform/framework/CreateSharePic.h"

#include <jpeglib.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/engine/Director.h"
#include "platform/engine/FileUtils.h"
#include "platform/engine/Log.h"
#include "platform/engine/Renderer.h"
#include "platform/framework/YndGameLayer.h"
#include "platform/os/FileIo.h"

namespace {
CCreateSharePic* g_pSharePic = nullptr;
constexpr int kPlaceholderWidth = 16;
constexpr int kPlaceholderHeight = 9;
constexpr unsigned char kPlaceholderRgb[3] = {20, 90, 60};  // the table's green
}  // namespace

CCreateSharePic* CCreateSharePic::sharedCreateSharePic() {
  if (g_pSharePic == nullptr) g_pSharePic = new CCreateSharePic();
  return g_pSharePic;
}

void CCreateSharePic::destorySharedCreateSharePic() {
  delete g_pSharePic;
  g_pSharePic = nullptr;
}

CCreateSharePic::~CCreateSharePic() = default;

bool CCreateSharePic::WritePlaceholderJpeg(const std::string& path) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = kPlaceholderWidth;
  info.image_height = kPlaceholderHeight;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 75, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(kPlaceholderWidth * 3);
  for (int x = 0; x < kPlaceholderWidth; ++x) std::copy(kPlaceholderRgb, kPlaceholderRgb + 3, row.begin() + x * 3);
  while (info.next_scanline < info.image_height) {
    JSAMPROW line = row.data();
    jpeg_write_scanlines(&info, &line, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  const bool ok = ddz::os::WriteFileAtomically(path, std::string(reinterpret_cast<char*>(buffer), size));
  std::free(buffer);
  return ok;
}

bool CCreateSharePic::saveScreenShotOnly(const std::string& name, cocos2d::Ref* target, SaveCallBack callback,
                                          int mode) {
  const std::string path = cocos2d::FileUtils::getInstance()->getWritablePath() + name + ".jpg";
  bool ok = false;
  if (name.empty() || name.find('/') != std::string::npos || name.find("..") != std::string::npos) {
    cocos2d::log("CCreateSharePic: refused picture name [%s]", name.c_str());
  } else {
    cocos2d::Renderer* renderer = cocos2d::Director::getInstance()->getRenderer();
    ok = renderer != nullptr && renderer->saveFrameImage(path);
    if (!ok) ok = WritePlaceholderJpeg(path);
    cocos2d::log("CCreateSharePic: [%s] mode %d %s", path.c_str(), mode, ok ? "written" : "not written");
  }
  if (callback) {
    const int id = ++m_iNextId;
    m_vcPending.push_back(Pending{id, target, std::move(callback), name, ok});
    YndRunNextFrame([id] {
      if (g_pSharePic != nullptr) g_pSharePic->RunCallBack(id);
    });
  }
  return ok;
}

void CCreateSharePic::RunCallBack(int id) {
  auto it = std::find_if(m_vcPending.begin(), m_vcPending.end(), [id](const Pending& p) { return p.id == id; });
  if (it == m_vcPending.end()) return;
  Pending pending = std::move(*it);
  m_vcPending.erase(it);
  pending.callback(pending.name, pending.ok);  // may destroy this object
}

void CCreateSharePic::RemoveCallBackSaveOkByTarget(cocos2d::Ref* target) {
  if (g_pSharePic == nullptr) return;
  auto& pending = g_pSharePic->m_vcPending;
  pending.erase(std::remove_if(pending.begin(), pending.end(), [target](const Pending& p) { return p.target == target; }),
                pending.end());
}
