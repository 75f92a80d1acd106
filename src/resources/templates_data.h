// The template builders behind allTemplates(), one per window.
#pragma once

#include "resources/templates.h"

namespace pelkit::resources {

TemplateDef mainRecord();
TemplateDef mainNoRecord();
TemplateDef mainRecordS();
TemplateDef mainRecordEng();
TemplateDef reverb();
TemplateDef recOption();
TemplateDef fileEdit();
TemplateDef waveEdit();
TemplateDef positionComment();
TemplateDef subSoundDlg();
TemplateDef subSoundSetting();
TemplateDef keyboard();
TemplateDef loudness();

}  // namespace pelkit::resources
