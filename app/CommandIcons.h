// The pictures of the toolbar commands and the application icon, drawn in code
// on a 16 x 16 grid (with a double-resolution copy for high-density screens),
// so they stay sharp and share one palette and outline.
#pragma once

#include <QIcon>

// The icon of a toolbar command; a null icon for commands without a picture.
QIcon CommandIcon(int commandId);
// The application icon (resource 128): the device with its module slots.
QIcon AppIcon();
// The icon of a configuration file in a file manager: a page with the device.
QIcon ConfigFileIcon();
