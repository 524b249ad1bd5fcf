#pragma once
// The built-in help window: a modeless dialog with a search field, the list of topics and the
// chosen topic's text in a read-only edit control. There is one at a time; it is owned by the
// main window, opens beside it and never blocks it.

#include <windows.h>

#include "help/help_text.h"

enum class HelpFocus { Text, Search };

// Shows a topic (an index of help's topics) in the help window, opening the window beside
// mainWindow when none is open, else bringing the open one forward. With HelpFocus::Search the
// search field takes the focus with its words selected, and the shown topic stays. Null when
// the window cannot be created.
HWND OpenHelpWindow(HWND mainWindow, const HelpText& help, int topic, HelpFocus focus);

// For the message loop, ahead of everything else: the help window's keyboard handling (Tab,
// Esc, the edit keys). True when the message was the help window's and has been handled.
bool IsHelpWindowMessage(MSG& message);
