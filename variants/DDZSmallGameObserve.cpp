#include "variants/DDZSmallGameObserve.h"

#include <algorithm>

void DDZSmallGameObserve::AddObserver(DDZSmallGameObserve* listener) {
  if (listener == nullptr || std::find(m_vcObservers.begin(), m_vcObservers.end(), listener) != m_vcObservers.end())
    return;
  m_vcObservers.push_back(listener);
}

void DDZSmallGameObserve::RemoveObserver(DDZSmallGameObserve* listener) {
  m_vcObservers.erase(std::remove(m_vcObservers.begin(), m_vcObservers.end(), listener), m_vcObservers.end());
}

void DDZSmallGameObserve::NotifyAll() {
  // A listener may change the list while it is told.
  const std::vector<DDZSmallGameObserve*> listeners = m_vcObservers;
  for (DDZSmallGameObserve* listener : listeners) listener->OnClockEvent();
}
