// The module's version, in the one place that both the code and the resource script read.
#pragma once

#define QUORVEL_VERSION_TEXT "Ver.0.01 Rev.4"
// The version text as the four numbers of a Windows version resource: 0.01, revision 4.
#define QUORVEL_VERSION_NUMBERS 0, 1, 0, 4
#define QUORVEL_VERSION_DOTTED "0.1.0.4"
