// SPDX-FileCopyrightText: 2026 The Orvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Resource identifiers, shared by the resource script and the code.
#pragma once

#define IDI_ORVANE 1
#define IDC_ORVANE_POINTER 2
