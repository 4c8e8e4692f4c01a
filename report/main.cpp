#include "assets/ProgramFonts.h"
#include "platform/files/ConsoleProgram.h"
#include "platform/files/FileSizeLimit.h"
#include "report/CommandLine.h"
#include "report/ReportCommands.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

using namespace corvane;

namespace {

// Standard error is for this program's own French messages: the toolkit's remarks (a missing
// runtime folder, say) are not the user's business.
void KeepOnlyGraveMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fputs((message + '\n').toUtf8().constData(), stderr);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    TreatFileSizeLimitAsWriteError();
    WriteStandardStreamsAsBytes();
    qInstallMessageHandler(KeepOnlyGraveMessages);
    const CommandLine line = ParseCommandLine(ProgramArguments(argc, argv));
    switch (line.task) {
    case CommandLine::Task::Help:
        std::fputs(UsageText().toUtf8().constData(), stdout);
        return 0;
    case CommandLine::Task::Version:
        std::printf("corvane-rapport %s\n", CORVANE_VERSION);
        return 0;
    case CommandLine::Task::Mistake:
        std::fprintf(stderr, "corvane-rapport : %s\nEssayez « corvane-rapport --help ».\n",
                     line.mistake.toUtf8().constData());
        return 2;
    case CommandLine::Task::Summary: {
        // The summary needs no fonts and no pictures.
        const QCoreApplication application(argc, argv);
        return WriteSummary(line, stdout, stderr);
    }
    case CommandLine::Task::Reports:
    case CommandLine::Task::Dossier:
        break;
    }
    // The reports are drawn without a screen: this program never shows a window.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication application(argc, argv);
    AddProgramFonts();
    return line.task == CommandLine::Task::Dossier ? WriteDossier(line, stdout, stderr)
                                                   : WriteReports(line, stdout, stderr);
}
