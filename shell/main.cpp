#include "shell/StartUp.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    corvane::PrepareProcess();
    QApplication application(argc, argv);
    return corvane::RunProgram(application);
}
