#include "shell/startup.h"

#include <memory>

#include "designer/window_main.h"
#include "resources/pictures.h"
#include "shell/app.h"
#include "shell/globals.h"

namespace {
std::unique_ptr<class App> theApp;
}

void InitFileTypes() {}

void NewAppInstance() {
    theApp = std::make_unique<class App>();  // registers itself as the application object
    theApp->SetMenuBar(Menu());
}

void ApplicationAddMenuHandlers() {
    auto& app = App();
    app.AddMenuHandler("AppleAboutMyApplication", [&app] { return app.AppleAboutMyApplication_Action(); });
    app.AddMenuHandler("WindowDesignerlizards", [&app] { return app.WindowDesignerlizards_Action(); });
    app.AddMenuHandler("WindowEvolvinglizards", [&app] { return app.WindowEvolvinglizards_Action(); });
    app.AddMenuHandler("WindowChallenge", [&app] { return app.WindowChallenge_Action(); });
}

void MakeDefaultView() { WindowMain(); }

void StartUp(fw::Host* host) {
    InitFileTypes();
    NewAppInstance();
    theApp->SetHost(host);
    ApplicationAddMenuHandlers();
    MakeDefaultView();
}

int Main(fw::Host* host) {
    int status = 0;
    fw::Application::Guard("start-up", [&] {
        StartUp(host);
        status = theApp->Run();
    });
    ReleaseGlobals();
    return status;
}

void ReleaseGlobals() {
    ReleaseResourceCaches();
    if (theApp) theApp->ReleaseWindows();
    if (theApp) theApp->SetMenuBar(nullptr);
    ReleaseMenu();
    for (auto& p : Globals::TraitImage) p.reset();
    theApp.reset();
}
