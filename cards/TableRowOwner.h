// What the table's card rows (bottom cards, deal) tell the table view that
// holds them. The rows sit below the table views in the library order, so they
// talk to their view through this narrow interface; DDZGameView implements it
// with its own virtual operations of the same names.
#pragma once

class ITableRowOwner {
 public:
  // Every bottom card of the hand is face up (once per ShowBaseCard).
  virtual void OnBaseCardShown() = 0;
  // The deal animation has ended (once per full deal).
  virtual void OnDealCardEnd() = 0;

 protected:
  // Rows that outlive their owner (kept by a script, say) forget it here, so
  // the end of a chain they still run reaches no view that went.
  ~ITableRowOwner();
};

namespace ddz {

// A row's reference to its owner view: not owned, and cleared when the owner
// goes. Rows keep one as a member.
class TableRowOwnerRef {
 public:
  explicit TableRowOwnerRef(ITableRowOwner* owner);
  ~TableRowOwnerRef();
  TableRowOwnerRef(const TableRowOwnerRef&) = delete;
  TableRowOwnerRef& operator=(const TableRowOwnerRef&) = delete;

  ITableRowOwner* get() const { return m_pOwner; }
  // Called by ~ITableRowOwner for every reference to the owner that goes.
  static void Forget(const ITableRowOwner* owner);

 private:
  ITableRowOwner* m_pOwner;  // not owned
};

}  // namespace ddz
