#include "ChartDialogTemplates.h"

#include "CDialog.h"

namespace Resources {

void RegisterCurveDialogTemplate() {}

} // namespace Resources
