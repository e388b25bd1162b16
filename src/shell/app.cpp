#include "shell/app.h"

#include "challenge/window_recon_challenge.h"
#include "designer/window_main.h"
#include "evolving/window_tree.h"
#include "shell/globals.h"
#include "windows/about/window_about.h"
#include "windows/splash/window_splash.h"

namespace {

std::shared_ptr<class Menu> theMenu;

template <class Item = fw::MenuItem>
std::shared_ptr<Item> MakeItem(const std::string& name, const std::string& text, const char* shortcut) {
    auto item = std::make_shared<Item>();
    item->Name = name;
    item->AutoEnable = true;
    item->Text = text;
    if (shortcut) item->KeyboardShortcut = shortcut;  // the separator has none set
    return item;
}

fw::MenuItemPtr ItemNamed(const std::string& name) {
    const auto& bar = fw::Deref(App().MenuBar(), "menu bar");
    return bar.Lookup(name);
}

}  // namespace

class App& App() {
    auto* app = dynamic_cast<class App*>(fw::Application::Instance());
    if (!app) throw fw::NilObjectException("no application object");
    return *app;
}

std::shared_ptr<class Menu> Menu() {
    if (!theMenu) theMenu = std::make_shared<class Menu>();
    return theMenu;
}

void ReleaseMenu() { theMenu.reset(); }

Menu::Menu() {
    Untitled1();
    Untitled2();
    Untitled3();
}

void Menu::Untitled1() {
    Append(MakeItem("UntitledMenu3", "File", ""));
    auto file = Child("UntitledMenu3");
    file->Append(MakeItem("FileReset", "Reset", ""));
    file->Append(MakeItem<fw::QuitMenuItem>("FileQuit", "Quit", "Cmd+Q"));
}

void Menu::Untitled2() {
    Append(MakeItem("UntitledMenu1", "Edit", ""));
    auto edit = Child("UntitledMenu1");
    edit->Append(MakeItem("EditUndo", "Undo", "Cmd+Z"));
    edit->Append(MakeItem("UntitledMenu2", "-", nullptr));
    edit->Append(MakeItem("EditCut", "Cut", "Cmd+X"));
    edit->Append(MakeItem("EditCopy", "Copy", "Cmd+C"));
    edit->Append(MakeItem("EditPaste", "Paste", "Cmd+V"));
    edit->Append(MakeItem("EditClear", "Clear", ""));
}

void Menu::Untitled3() {
    Append(MakeItem("UntitledMenu0", "Window", ""));
    auto window = Child("UntitledMenu0");
    window->Append(MakeItem("WindowDesignerlizards", "Designer lizards", ""));
    window->Append(MakeItem("WindowEvolvinglizards", "Evolving lizards", ""));
    window->Append(MakeItem("WindowChallenge", "Challenge", ""));
    window->Append(MakeItem<fw::AppleMenuItem>("AppleAboutMyApplication", "About Cladeworks...", ""));
}

std::shared_ptr<fw::AppleMenuItem> AppleAboutMyApplication() {
    return std::dynamic_pointer_cast<fw::AppleMenuItem>(ItemNamed("AppleAboutMyApplication"));
}
fw::MenuItemPtr WindowChallenge() { return ItemNamed("WindowChallenge"); }
fw::MenuItemPtr WindowEvolvinglizards() { return ItemNamed("WindowEvolvinglizards"); }
fw::MenuItemPtr WindowDesignerlizards() { return ItemNamed("WindowDesignerlizards"); }
fw::MenuItemPtr FileReset() { return ItemNamed("FileReset"); }

void App::Event_Open() {
    Globals::InitializeGlobals();
    fw::Deref(WindowSplash()).Show();
}

void App::Event_EnableMenuItems() {
    fw::Deref(AppleAboutMyApplication(), "About item").Enabled = true;
    fw::Deref(WindowDesignerlizards(), "Designer lizards item").Enabled = true;
    fw::Deref(WindowEvolvinglizards(), "Evolving lizards item").Enabled = true;
    fw::Deref(WindowChallenge(), "Challenge item").Enabled = true;
}

namespace {
// Every Window-menu handler shows its window, building it when it is not open.
template <class Accessor>
bool ShowFromMenu(Accessor accessor) {
    fw::Deref(accessor()).Show();
    return false;
}
}  // namespace

bool App::AppleAboutMyApplication_Action() { return ShowFromMenu(&::WindowAbout); }
bool App::WindowDesignerlizards_Action() { return ShowFromMenu(&::WindowMain); }
bool App::WindowEvolvinglizards_Action() { return ShowFromMenu(&::WindowTree); }
bool App::WindowChallenge_Action() { return ShowFromMenu(&::WindowReconChallenge); }
