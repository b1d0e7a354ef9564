#include "ChartDialogTemplates.h"

#include "CDialog.h"

namespace Resources {

void RegisterAxisDialogTemplate() {}

} // namespace Resources
