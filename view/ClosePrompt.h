// The question before modified work is closed, asked by the view's File
// commands and by the window as it closes.
#pragma once

#include <functional>

class CMainDoc;

// True when the configuration may be discarded. After "Yes" it runs save (the
// Save command, which may show a dialog) and succeeds only when nothing is
// left modified.
bool RunClosePrompt(CMainDoc& doc, const std::function<void()>& save);
