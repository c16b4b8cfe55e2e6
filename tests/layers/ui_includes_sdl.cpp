// A widget file that reaches for SDL: only the SDL backend may.
#include "ui/control.h"

#ifdef QZ_WRONG_ARROW
#include <SDL.h>
#endif

int LayerProbe() {
  return 0;
}
