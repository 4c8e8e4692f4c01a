#include "platform/FileSizeLimit.h"
#include "platform/SettingsNowhere.h"
#include "shell/StartUp.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // Before the toolkit starts: it already writes warnings and may read settings.
    corvane::TreatFileSizeLimitAsWriteError();
    corvane::SendSettingsNowhere();
    QApplication application(argc, argv);
    return corvane::RunProgram(application);
}
