#include <windows.h>

#include <cstdlib>

#include "app/win/config_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The C runtime's argument vector, split by its own rules, as the setup tool reads it.
    return ConfigApp().Run(__argc, __argv);
}
