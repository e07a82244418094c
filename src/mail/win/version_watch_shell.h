// The version watch inside the host: the known-software list kept in the settings, the scan of each
// retrieved message, and the notice at the end of the retrieval.
#pragma once

#include <windows.h>

namespace quorvel::win {

// Loads the known-software list once (seeded with the host's version and the installed plug-ins),
// then reads the mailer filter.
void LoadKnownSoftware();
// Writes the whole list to the settings and has the store save its file (see SaveSettings for
// `unlessUnchanged`).
void SaveKnownSoftware(bool unlessUnchanged = false);
// The mailer filter from the "Check"/"BeckyOnly" option.
void ReadMailerFilter();
// Frees the list and the message lines at the host's exit; nothing is saved.
void ReleaseKnownSoftware();

// One message of a retrieval (the whole text, header and body): scanned, then the list is saved
// when it changed. A message that comes before the list was loaded loads it first.
void ScanRetrievedMessage(LPCSTR text);
// The end of a retrieval: a settings file that has gone since is written again; the notice of what
// was found, then the findings are forgotten.
void FinishRetrieval();

}  // namespace quorvel::win
