#pragma once
// Numeric identifiers of the program's resources, shared by the .rc script and the code.
#define IDI_MAINICON 1
#define IDI_CATALOGFILE 2
