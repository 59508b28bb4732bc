// A hook for measuring start-up. With the environment variable
// VKX_EXIT_AFTER_FIRST_PAINT=1 the program, once its first window has been
// painted, prints "first-paint-ns=<N>" on standard output (N: the steady
// clock in nanoseconds, the clock every process on the machine shares) and
// ends at once, saving nothing. Without the variable it does nothing.
// bench_startup starts the program and a bare Qt main window this way.
#pragma once

// Call once after the QApplication exists and before any window is shown.
void InstallFirstPaintExit();
