#include "platform/framework/PCBaseFrame.h"

namespace {
PCBaseFrame* g_frame = nullptr;
}  // namespace

PCBaseFrame* PCBaseFrame::SharedPCBaseFrame() {
  if (g_frame == nullptr) g_frame = new PCBaseFrame();
  return g_frame;
}

PCBaseFrame* PCBaseFrame::SharedPCBaseFrameIfAny() { return g_frame; }

PCBaseFrame::PCBaseFrame() { init(); }

PCBaseFrame::~PCBaseFrame() {
  if (g_frame == this) g_frame = nullptr;
}

void PCBaseFrame::SetGameTitleAndVersion(const char* text) { m_strTitle = text ? text : ""; }

bool PCBaseFrame::OnCloseBtnClick() {
  if (!m_closeCallback) return false;
  auto callback = m_closeCallback;  // the callback may replace itself
  callback(this);
  return true;
}

bool PCBaseFrame::OnHelpBtnClick() {
  if (!m_helpCallback) return false;
  auto callback = m_helpCallback;
  callback(this);
  return true;
}
