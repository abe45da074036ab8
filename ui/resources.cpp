#include "ui/resources.h"

#include <QtCore/qglobal.h>

// Q_INIT_RESOURCE must be used outside any namespace.
static void init_tesura_resources() {
  Q_INIT_RESOURCE(tesura);
}

namespace tesura::ui {

void init_resources() {
  static const bool done = (init_tesura_resources(), true);
  (void)done;
}

}  // namespace tesura::ui
