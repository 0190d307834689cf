// Resource ids of the shell part.
#pragma once

#define IDI_BRIVANE                 140
#define IDR_MAINFRAME               109
