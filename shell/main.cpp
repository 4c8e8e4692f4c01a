#include "platform/SettingsNowhere.h"
#include "shell/StartUp.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // Before Qt itself can open any settings.
    corvane::SendSettingsNowhere();
    QApplication application(argc, argv);
    return corvane::RunProgram(application);
}
