#pragma once
// Pictures of the server's window in the art registry: the notification-area icons
// "SERVER_TRAY_0" (the remote control server does not listen), "SERVER_TRAY_1" (it listens, no
// client) and "SERVER_TRAY_2" (clients are connected), 32 x 32 each.

#include <QIcon>

// Registers them once; later calls do nothing.
void RegisterServerArt();
// The icon of a tray image index 0 to 2, at ratios 1 and 2.
QIcon ServerTrayIcon(int index);
