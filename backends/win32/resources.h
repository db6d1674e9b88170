// SPDX-License-Identifier: MIT
// Identifiers and texts of the program file's resources, shared by the resource script
// and the code that reads them. Plain macros: the resource compiler reads this file too.
#pragma once

#include "korvanta_version.h"

#define KORVANTA_ICON 1
// LICENSE.txt, an RCDATA resource.
#define KORVANTA_LICENSE_TXT 1

#define KORVANTA_FILE_DESCRIPTION "Умножение чрез деление: учебна програма"
#define KORVANTA_PRODUCT_NAME "Umnozhenie"
#define KORVANTA_FILE_NAME "umnozhenie.exe"

// The version texts are Bulgarian (0x0402) in UTF-16 (code page 1200).
#define KORVANTA_VERSION_LANGUAGE 0x0402
#define KORVANTA_VERSION_CODEPAGE 1200
#define KORVANTA_VERSION_BLOCK "040204B0"
