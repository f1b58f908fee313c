#pragma once

// Standard output carries the report; a write there that fails (a full disk, a
// closed file) loses it, and the exit status must not call that a success.
// Every writer of standard output notes its state right after writing, while
// errno still tells why a write failed.

// Keeps errno when standard output has failed and nothing was kept before.
void NoteStandardOutputState();

// The errno of the first failed write on standard output; 0 while none failed.
int StandardOutputError();
