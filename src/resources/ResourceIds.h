#pragma once
// Numeric identifiers of the program's resources, shared by the .rc script and the code.
// Icon groups are numbered in the order the shell counts them: the first is the
// program's icon, and the ".ctf" file type names index 2, the third.
#define IDI_MAINICON 1
#define IDI_CATALOGICON 2
#define IDI_CATALOGFILE 3
#define IDI_TAPEICON 4
#define IDI_ZIPDRIVEICON 5
#define IDI_JAZDRIVEICON 6
#define IDI_BACKICON 7
#define IDI_SETUPICON 8
#define IDI_ZIPFOLDER 9
#define IDI_ZIPOPENFOLDER 10
#define IDI_VIRTUALICON 11
#define IDI_SORTARROWUP 12
#define IDI_SORTARROWDOWN 13
