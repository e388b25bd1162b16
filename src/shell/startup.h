// Start-up and shut-down of the program.
#pragma once

namespace fw {
class Host;
}

// The whole run: start-up, the event loop, the release at exit. Returns the
// exit status. Without a host the loop is not run (tests).
int Main(fw::Host* host);

// The start-up steps, in the order Main runs them.
void InitFileTypes();  // the program has no document types
void NewAppInstance();
void ApplicationAddMenuHandlers();
void MakeDefaultView();

// Releases the program's globals at exit: cached pictures and cursors, the
// windows, the menu bar, last the trait pictures; then the application object.
void ReleaseGlobals();
