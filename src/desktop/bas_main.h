#pragma once

// The tray and list procedures shared by the windows: the second list macro,
// the window procedure that answers the tray icon, the animation towards
// the notification area, and the removal of the icon.

#include <cstdint>

namespace prevod {

class Prevod;
class User32;

// Page Up five times, Page Down five times, then Up four times.
void PickListFromBottom(User32& user32);
// The window procedure of Form2 once SetTray has hooked it. A message is
// taken as a tray notification by its wParam alone.
int32_t TrayWindowProc(Prevod& app, uint32_t hWnd, uint32_t uMsg, int32_t wParam, int32_t lParam);
// Draws the caption-style animation from the window to the notification
// area; ends quietly when there is no notification area.
void AnimateWindowToTray(User32& user32, int32_t hWnd);
// Removes the tray icon named by the stored record.
void RemoveTrayIcon(Prevod& app);

}  // namespace prevod
