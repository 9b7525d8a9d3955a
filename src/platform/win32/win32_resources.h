// Resource identifiers, shared by the resource script and the code.
#pragma once

#define IDI_ORVANE 1
#define IDC_ORVANE_POINTER 2
