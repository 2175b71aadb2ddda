// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "files/file_descriptor.h"

namespace quintara::files {

// Takes the open file `descriptor` for this user's saves alone, against the user's other copies of
// the program, waiting a second at most: the lock is held until the descriptor returned is closed.
// Fails with "operation would block" while another save holds it. Where no lock can be had (no
// private folder for it, a file system that locks nothing), the descriptor is empty and the save
// goes on.
//
// The lock is not the file itself, which anyone who may read it could lock too and so hold every
// save up, but a file standing for it in a folder only the user may open: the session's own
// ($XDG_RUNTIME_DIR), or else one of the user's in the temporary folder.
OpenedFile lockForWriting(int descriptor);

}  // namespace quintara::files
