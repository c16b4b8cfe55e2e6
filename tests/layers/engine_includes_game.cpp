// An engine file that reaches up into the main window: the window knows the engine, not the
// reverse.
#include "engine/drill_engine.h"

#ifdef QZ_WRONG_ARROW
#include "game/drill_dlg.h"
#endif

int LayerProbe() {
  return 0;
}
