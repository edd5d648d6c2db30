#include <windows.h>

#include "app/win/vorlan_app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  CVorlanApp app;
  app.InitInstance();
  return 0;
}
