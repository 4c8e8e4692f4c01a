#pragma once

#include "core/UserMessage.h"
#include "docs/ReferenceDocument.h"
#include "platform/desktop/AppPaths.h"

#include <QObject>

namespace corvane {

class Desktop;
class Dialogs;

// What the documents, help and web commands do: open a reference document, the help, the
// software page, the maker's web site or a mail to the support, and tell the user when that
// failed. The desktop may tell its outcome after the command has returned; the message is still
// shown then, as long as this object lives.
class DocumentCommands : public QObject {
    Q_OBJECT

public:
    DocumentCommands(Dialogs& dialogs, Desktop& desktop, const AppPaths& paths);

    // Warns when neither the working directory nor the user's data folder holds the document;
    // otherwise hands the one found first to the desktop, which starts or opens it, whatever
    // comes of that.
    void OpenReferenceDocument(ReferenceDocument document);
    // Hands the help file to the desktop, from the working directory, else from the user's data
    // folder; says nothing, even when there is no such file: the working directory's path goes.
    void OpenHelp();
    void OpenSoftwarePage();
    void OpenWebSite();
    void WriteToSupport();

    // The address handed to the desktop for a mail to the support, subject included.
    static QString SupportMailTarget();
    // The document's path in the working directory.
    static QString DocumentPath(const AppPaths& paths, ReferenceDocument document);

private:
    void RunOrOpenTellingFailure(const QString& target, const UserMessage& failure);

    Dialogs& dialogs_;
    Desktop& desktop_;
    AppPaths paths_;
};

} // namespace corvane
