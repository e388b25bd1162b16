// Test entry: a Qt application without a display, so that fonts and native
// control styles are there as in the program.
#include <QApplication>
#include <gtest/gtest.h>

// LeakSanitizer reads its suppressions from here however the tests are
// started (test.sh, ctest, or the test binary itself).
extern "C" const char* __lsan_default_options() { return "suppressions=" CLADEWORKS_LSAN_SUPPRESSIONS; }

namespace {
// The offscreen platform warns at every window raise and size hint; that says
// nothing here.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QStringLiteral("does not support raise")) ||
        message.contains(QStringLiteral("does not support propagateSizeHints")))
        return;
    qt_message_output(type, context, message);
}
}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietHandler);
    QApplication qapp(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
