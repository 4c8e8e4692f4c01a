#include "platform/desktop/OpenWithDesktop.h"

#include "platform/files/NativeNames.h"

#include <QProcess>
#include <QTimer>

#include <memory>

namespace corvane {

namespace {

// Some desktops' xdg-open waits for the program it started; one that has not failed by then has
// found a program.
constexpr int kSettledAfterMs = 10000;

} // namespace

// The toolkit's own opening only says that xdg-open was started, so a desktop without a browser
// or a mail program would never be reported. xdg-open's exit status says whether a program took
// the target: it is read when the process ends, from the event loop.
void OpenWithDesktop(const QString& target, Desktop::Outcome outcome, QObject& owner) {
    auto* process = new QProcess(&owner);
    auto told = std::make_shared<bool>(false);
    const auto tell = [told, outcome = std::move(outcome)](bool succeeded) {
        if (!*told) {
            *told = true;
            if (outcome) {
                outcome(succeeded);
            }
        }
    };
    QObject::connect(process, &QProcess::finished, process,
                     [process, tell](int exitCode, QProcess::ExitStatus status) {
                         tell(status == QProcess::NormalExit && exitCode == 0);
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, tell](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart) {
                             tell(false);
                             process->deleteLater();
                         }
                     });
    QTimer::singleShot(kSettledAfterMs, process, [tell] { tell(true); });
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    // The arguments of a program are text: a name that is not is handed over as its address.
    process->start(QStringLiteral("xdg-open"),
                   {HoldsKeptBytes(target) ? FileUrlOf(target) : target});
}

} // namespace corvane
