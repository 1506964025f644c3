/* Resource identifiers of Zarnik.exe, shared by Zarnik.rc and the Win32
   front end, so preprocessor definitions only (windres reads it). */
#ifndef ZARNIK_RESOURCE_H
#define ZARNIK_RESOURCE_H

/* The lowest icon group id is the one the shell shows for the executable. */
#define IDI_APP_ICON 1

#define IDB_BACKDROP 101
#define IDB_TILE_START 102
#define IDB_TILE_TURNED 103
#define IDB_RESET_FACE 104

#endif
