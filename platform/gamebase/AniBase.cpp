#include "platform/gamebase/AniBase.h"

#include <algorithm>

#include "platform/engine/Director.h"

using cocos2d::AutoreleasePool;
using cocos2d::Director;

// ---------------------------------------------------------------- AniBase

AniBase::AniBase() : YndGameLayer(nullptr) {}
AniBase::~AniBase() = default;
void AniBase::CallBackAniStart() {}
void AniBase::CallBackAniEnd() {}
bool AniBase::UpdateFrame(float) { return true; }

// ---------------------------------------------------------------- AniManage

AniManage::AniManage(cocos2d::Node* parent) : m_pParent(parent) {
  m_iHook = Director::getInstance()->addFrameHook(cocos2d::FramePhase::Animations, [this](float dt) { Step(dt); });
}

AniManage::~AniManage() {
  Clear();
  if (Director* director = Director::getInstanceIfAlive()) director->removeFrameHook(m_iHook);
}

bool AniManage::IsRunning(const AniBase* ani) const {
  return std::any_of(m_vcRunning.begin(), m_vcRunning.end(), [ani](const Entry& e) { return e.ani == ani; });
}

void AniManage::ShowAni(AniBase* ani, bool bNow, bool bOwn) {
  if (ani == nullptr) return;
  // The manager holds exactly one reference from here on.
  if (!bOwn || AutoreleasePool::current().contains(ani)) ani->retain();

  Entry entry{ani, !bNow, false};
  if (bNow) {
    Start(entry);
    m_vcRunning.push_back(entry);
    return;
  }
  m_queue.push_back(entry);
  StartNextQueued();
}

void AniManage::Start(Entry& entry) {
  if (m_pParent != nullptr && entry.ani->getParent() == nullptr) m_pParent->addChild(entry.ani, kZOrder);
  entry.started = true;
  entry.ani->CallBackAniStart();
}

void AniManage::StartNextQueued() {
  const bool queuedRuns = std::any_of(m_vcRunning.begin(), m_vcRunning.end(), [](const Entry& e) { return e.queued; });
  if (queuedRuns || m_queue.empty()) return;
  Entry next = m_queue.front();
  m_queue.pop_front();
  m_vcRunning.push_back(next);
  // The entry is in the list before its start, so a start that shows
  // another queued animation leaves that one waiting.
  Start(m_vcRunning.back());
}

void AniManage::Step(float dt) {
  // Animations started during this step get their first frame next time.
  std::vector<AniBase*> snapshot;
  snapshot.reserve(m_vcRunning.size());
  for (const Entry& e : m_vcRunning) snapshot.push_back(e.ani);

  for (AniBase* ani : snapshot) {
    auto it = std::find_if(m_vcRunning.begin(), m_vcRunning.end(), [ani](const Entry& e) { return e.ani == ani; });
    if (it == m_vcRunning.end()) continue;  // cleared by an earlier callback
    const bool takenOff = m_pParent != nullptr && ani->getParent() == nullptr;
    if (takenOff) {
      Entry gone = *it;
      m_vcRunning.erase(it);
      Finish(gone, false);
      continue;
    }
    ani->retain();  // UpdateFrame may clear the manager
    const bool done = ani->UpdateFrame(dt);
    it = std::find_if(m_vcRunning.begin(), m_vcRunning.end(), [ani](const Entry& e) { return e.ani == ani; });
    if (done && it != m_vcRunning.end()) {
      Entry finished = *it;
      m_vcRunning.erase(it);
      Finish(finished, true);
    }
    ani->release();
  }
  StartNextQueued();
}

void AniManage::Finish(Entry& entry, bool callEnd) {
  AniBase* ani = entry.ani;
  if (callEnd) ani->CallBackAniEnd();
  if (ani->getParent() != nullptr) ani->removeFromParentAndCleanup(true);
  ani->release();
}

void AniManage::Clear() {
  std::vector<Entry> running;
  running.swap(m_vcRunning);
  std::deque<Entry> waiting;
  waiting.swap(m_queue);
  for (Entry& e : running) Finish(e, false);
  for (Entry& e : waiting) e.ani->release();
}
