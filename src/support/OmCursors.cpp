#include "support/OmCursors.h"

void RegisterOmCursors() {
  Screen->SetCursors(crOmHand, LoadCursorResource("OM_HANDCUR"));
  Screen->SetCursors(crOmDrag, LoadCursorResource("OM_DRAGCUR"));
}
