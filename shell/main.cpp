#include "shell/StartUp.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    return corvane::RunProgram(application);
}
