// The game's own pictures, carried as data in the 4-bit palette format
// (48 palette bytes, then the rows bottom-up), each with its width and height.
// The arrays are written by the bitmap exporter as C source.
#pragma once

extern "C" {
extern int wTITLE, hTITLE;
extern char imgTITLE[];
extern int wPAYTABLE, hPAYTABLE;
extern char imgPAYTABLE[];
extern int wABOUT, hABOUT;
extern char imgABOUT[];
}
