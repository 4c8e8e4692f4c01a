#include "platform/FileSizeLimit.h"
#include "shell/StartUp.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // Before the toolkit starts: it may already write caches.
    corvane::TreatFileSizeLimitAsWriteError();
    QApplication application(argc, argv);
    return corvane::RunProgram(application);
}
