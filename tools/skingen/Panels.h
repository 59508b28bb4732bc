#pragma once
// The two front panels shown under the module row: the sixteen analogue
// audio inputs (input panel) and the sixteen source keys (key panel).
#include "tools/skingen/SkinModel.h"

namespace skingen {

void DrawInputPanel(ConfigDef& cfg);
void DrawKeyPanel(ConfigDef& cfg);

}  // namespace skingen
