#pragma once
// The Windows CE stand-in: the functions, types and constants the platform
// layer calls, under their Windows names, implemented on Linux.

#include "wince/types.h"
#include "wince/kernel.h"
#include "wince/ole.h"
#include "wince/gdi.h"
#include "wince/imaging.h"
#include "wince/aygshell.h"
