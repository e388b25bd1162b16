// Start-up and shut-down of the program.
#pragma once

namespace fw {
class Host;
}

// The whole run: start-up, the event loop, the release at exit. Returns the
// exit status. Without a host the loop is not run (tests).
int Main(fw::Host* host);

// Start-up up to the event loop: the application object with its menu bar
// on this host (nil: headless, windows keep their images and nothing is
// shown), its menu handlers, the default window. Main and every test and
// benchmark start the program this way.
void StartUp(fw::Host* host);

// The start-up steps, in the order StartUp runs them.
void InitFileTypes();  // the program has no document types
void NewAppInstance();
void ApplicationAddMenuHandlers();
void MakeDefaultView();

// Releases the program's globals at exit: cached pictures and cursors, the
// windows, the menu bar, last the trait pictures; then the application object.
void ReleaseGlobals();
