// fleetmix.exe: the wizard, shown modally; the program ends when it closes.
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include "shell/shell_sheet.h"
#include "wizard/wizard.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // Hosted controls and the picture service need OLE; the pages need the
  // common controls.
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  {
    fm::CWizard wizard;
    fm::win32::ShellSheet sheet(wizard, instance);
    sheet.Run();
  }
  OleUninitialize();
  return 0;
}
