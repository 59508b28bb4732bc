// Status-bar prompts and tooltips of commands and toolbar controls, fetched
// through the text functions so they follow the current language.
#pragma once

#include <QString>

// Tooltips are cut to what the platform's tooltip buffer held: 79 characters.
constexpr int kMaxToolTipLength = 79;

// The prompt of a command: its string up to the first newline.
QString CommandPrompt(int commandId);
// The tooltip of a command or toolbar control: its string after the first
// newline, at most 79 characters; empty when it has none (no tooltip shown).
QString CommandToolTip(int commandId);
