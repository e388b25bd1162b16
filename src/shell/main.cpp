// The process entry.
#include <QApplication>
#include <cstdio>

#include "framework/qt/display.h"
#include "framework/qt/host.h"
#include "shell/startup.h"

int main(int argc, char** argv) {
    // Without a display Qt would abort with a long message; one line is clearer.
    if (!fw::HasDisplay()) {
        std::fputs("cladeworks: no display found. Run it under X11/Wayland, or headless with: xvfb-run -a ./run.sh\n",
                   stderr);
        return 1;
    }
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Cladeworks"));
    fw::QtHost host;
    return Main(&host);
}
