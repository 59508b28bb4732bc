// vkx520ctl skin-check [modules.xml]: lists the problems of a skin file
// (default: modules.xml beside the executable). Exit 0 when the skin is
// clean, 65 when it has problems, 66 when it cannot be opened, 64 on a usage
// error.
#pragma once

#include <QStringList>

// args: the arguments after the verb.
int RunSkinCheck(const QStringList& args);
