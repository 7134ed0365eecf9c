// The check box's four box pictures and the option box's four markers,
// 20 x 20 pixels each, carried as 4-bit palette pictures (48 bytes of
// palette, then the rows bottom-up, 10 bytes each).
#pragma once
extern "C" {
extern int wCHECK_ON, hCHECK_ON;
extern char imgCHECK_ON[];
extern int wCHECK_OFF, hCHECK_OFF;
extern char imgCHECK_OFF[];
extern int wCHECK_ON_DIS, hCHECK_ON_DIS;
extern char imgCHECK_ON_DIS[];
extern int wCHECK_OFF_DIS, hCHECK_OFF_DIS;
extern char imgCHECK_OFF_DIS[];
extern int wOPTION_ON, hOPTION_ON;
extern char imgOPTION_ON[];
extern int wOPTION_OFF, hOPTION_OFF;
extern char imgOPTION_OFF[];
extern int wOPTION_ON_DIS, hOPTION_ON_DIS;
extern char imgOPTION_ON_DIS[];
extern int wOPTION_OFF_DIS, hOPTION_OFF_DIS;
extern char imgOPTION_OFF_DIS[];
}
