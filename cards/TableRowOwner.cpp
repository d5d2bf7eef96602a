#include "cards/TableRowOwner.h"

#include <algorithm>
#include <vector>

namespace {
// Every live reference, so that an owner going away can be forgotten by all.
// Never destroyed: rows may go after static destruction has begun.
std::vector<ddz::TableRowOwnerRef*>& LiveRefs() {
  static auto* refs = new std::vector<ddz::TableRowOwnerRef*>();
  return *refs;
}
}  // namespace

ITableRowOwner::~ITableRowOwner() { ddz::TableRowOwnerRef::Forget(this); }

namespace ddz {

TableRowOwnerRef::TableRowOwnerRef(ITableRowOwner* owner) : m_pOwner(owner) { LiveRefs().push_back(this); }

TableRowOwnerRef::~TableRowOwnerRef() {
  std::vector<TableRowOwnerRef*>& refs = LiveRefs();
  refs.erase(std::remove(refs.begin(), refs.end(), this), refs.end());
}

void TableRowOwnerRef::Forget(const ITableRowOwner* owner) {
  if (owner == nullptr) return;
  for (TableRowOwnerRef* ref : LiveRefs())
    if (ref->m_pOwner == owner) ref->m_pOwner = nullptr;
}

}  // namespace ddz
