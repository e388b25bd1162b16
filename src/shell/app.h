// The application object, the menu bar and their accessors.
#pragma once

#include "framework/application.h"
#include "framework/menu.h"

class App : public fw::Application {
public:
    void Event_Open() override;
    void Event_EnableMenuItems() override;

    bool AppleAboutMyApplication_Action();
    bool WindowDesignerlizards_Action();
    bool WindowEvolvinglizards_Action();
    bool WindowChallenge_Action();
};

// The menu bar: "File", "Edit", "Window".
class Menu : public fw::MenuBar {
public:
    Menu();

private:
    void Untitled1();  // "File"
    void Untitled2();  // "Edit"
    void Untitled3();  // "Window"
};

// The registered application object; raises the nil-object exception when none.
class App& App();
// The one menu bar, built on the first call.
std::shared_ptr<class Menu> Menu();
// Drops the menu bar (at exit).
void ReleaseMenu();

// Menu items by name, anywhere in the application's menu bar (nil when absent).
std::shared_ptr<fw::AppleMenuItem> AppleAboutMyApplication();
fw::MenuItemPtr WindowChallenge();
fw::MenuItemPtr WindowEvolvinglizards();
fw::MenuItemPtr WindowDesignerlizards();
fw::MenuItemPtr FileReset();
