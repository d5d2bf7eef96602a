// The mini-game clock's listener list. A listener is told (OnClockEvent)
// when the clock reaches its warning and when its time is up; the listener
// tells the two apart by asking whether the clock still runs. Listeners are
// not owned; one already in the list is not added again, so a listener that
// registers on every entry to the stage is still told once.
#pragma once

#include <vector>

class DDZSmallGameObserve {
 public:
  virtual ~DDZSmallGameObserve() = default;
  virtual void OnClockEvent() {}

  // At the end of the list, unless it is there already. Null is ignored.
  void AddObserver(DDZSmallGameObserve* listener);
  // A listener that goes takes itself out.
  void RemoveObserver(DDZSmallGameObserve* listener);
  // OnClockEvent of every listener, in the order they were added.
  void NotifyAll();
  const std::vector<DDZSmallGameObserve*>& GetObservers() const { return m_vcObservers; }

 private:
  std::vector<DDZSmallGameObserve*> m_vcObservers;  // not owned
};
