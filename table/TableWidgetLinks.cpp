#include "table/TableWidgetLinks.h"

namespace ddz {

TableWidgetLinks& GetTableWidgetLinks() {
  static TableWidgetLinks links;
  return links;
}

}  // namespace ddz
