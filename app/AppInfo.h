/* The program's identity, shared by the C++ code and the Windows resource
   script, so it holds preprocessor definitions only (windres reads it). */
#ifndef ZARNIK_APP_INFO_H
#define ZARNIK_APP_INFO_H

#define ZARNIK_TITLE "Zarnik"
#define ZARNIK_CLEARED_PROMPT "クリアー!!"

#define ZARNIK_VERSION_BINARY 1, 2, 0, 0
#define ZARNIK_VERSION_TEXT "1.02"
#define ZARNIK_EXE_NAME "Zarnik.exe"

#endif
