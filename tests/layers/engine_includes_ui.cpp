// An engine file that reaches for the widgets: the engine works the screen only through its
// own view interface, which the main window implements.
#include "engine/drill_view.h"
#include "profile/training_settings.h"
#include "records/session_log.h"

#ifdef QZ_WRONG_ARROW
#include "ui/dialog.h"
#endif

int LayerProbe() {
  return 0;
}
