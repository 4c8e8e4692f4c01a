// "Créer le dossier PDF..." in the window: from the evaluations list and from the grid page, the
// event's details asked and kept, the dossier written and opened.
#include "core/EvaluationFile.h"
#include "core/RiskGrid.h"
#include "platform/desktop/AppPaths.h"
#include "store/FileListPage.h"
#include "tests/support/FileContent.h"
#include "tests/support/WindowFixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QTest>

using namespace corvane;

namespace {

const LocalDateTime kMonday{{2026, 12, 7}, 10, 11, 12};

QByteArray Saved(int p2, int e1, int e2, const char* p1) {
    RiskGrid grid;
    grid.ChooseOption(Indicator::P2, p2);
    grid.ChooseOption(Indicator::E1, e1);
    grid.ChooseOption(Indicator::E2, e2);
    grid.EditP1(p1);
    return QByteArray::fromStdString(EncodeEvaluationFile(grid.Record(), kMonday));
}

EventDetails Typed(const EventDetails& proposed) {
    EventDetails details = proposed;
    details.place = "Plouzané";
    details.start = "14/03/2026 09:00";
    details.end = "15/03/2026 23:00";
    details.organiser = "Mairie";
    details.evaluations[1] = {"Samedi acteurs", Audience::Acteurs, "14/03/2026"};
    return details;
}

} // namespace

class TestDossierCommands : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowFixture> fixture_;

    QString Evaluations() const { return fixture_->Documents("Mes Evaluations"); }
    QString Dossiers() const { return fixture_->Documents("Mes Dossiers DPS"); }

    FileListPage* Page() const {
        auto* page = fixture_->Window()->findChild<FileListPage*>("EvaluationsPage");
        page->EnsureBuilt();
        return page;
    }

    void SelectAllAndMakeDossier() {
        FileListPage* page = Page();
        // Once the whole folder is listed, and sorted.
        const auto listed = [page] {
            QStringList names;
            for (int row = 0; row < page->List().EntryCount(); ++row) {
                names << page->List().Entry(row).name;
            }
            return names;
        };
        QTRY_COMPARE(listed(), (QStringList{"Archives", "Dimanche.ini", "Samedi acteurs.ini",
                                            "Samedi public.ini"}));
        page->List().DetailsView()->selectAll();
        page->ContextMenu()->findChild<QAction*>("PopupCommand120")->trigger();
    }

private slots:
    void init() {
        fixture_ = std::make_unique<WindowFixture>();
        QVERIFY(fixture_->IsValid());
        fixture_->desktop.documentsFolder = fixture_->Documents();
        PrepareAppPaths(fixture_->desktop);
        WriteAll(Evaluations() + "Samedi public.ini", Saved(2, 2, 1, "14118"));
        WriteAll(Evaluations() + "Samedi acteurs.ini", Saved(1, 1, 1, "500"));
        WriteAll(Evaluations() + "Dimanche.ini", Saved(3, 2, 2, "2500"));
        QVERIFY(QDir(Evaluations()).mkdir("Archives"));
        QVERIFY(fixture_->Open([] { return kMonday; }));
    }

    void cleanup() {
        fixture_->Close();
        QVERIFY2(fixture_->dialogs.Finished(), "a dialog was not answered as scripted");
    }

    void fromTheList() {
        fixture_->dialogs.ScriptEventDetails(std::nullopt); // the first time, cancelled
        SelectAllAndMakeDossier();
        QVERIFY(!QFile::exists(Dossiers()));
        const auto [proposed, note] = fixture_->dialogs.eventRequests.at(0);
        // In list order (by name), the sub-folder left out with a word.
        QCOMPARE(proposed.name, "Dimanche");
        const std::vector<EventEvaluation> listed{{"Dimanche", Audience::Public, ""},
                                                  {"Samedi acteurs", Audience::Public, ""},
                                                  {"Samedi public", Audience::Public, ""}};
        QCOMPARE(proposed.evaluations, listed);
        QCOMPARE(note, "Laissés hors du dossier : « Archives » (un dossier).");

        fixture_->dialogs.ScriptEventDetails(Typed(proposed));
        SelectAllAndMakeDossier();
        QCOMPARE(fixture_->desktop.opened, QStringList{Dossiers() + "Dimanche.pdf"});
        QVERIFY(ReadAll(Dossiers() + "Dimanche.pdf").startsWith("%PDF-"));
        const QByteArray kept = ReadAll(Dossiers() + "Dimanche.ini");
        QVERIFY(kept.contains("\r\nLieu = Plouzané\r\n"));
        QVERIFY(kept.endsWith("[Evaluations]\r\nDimanche = public\r\nSamedi acteurs = "
                              "acteurs;14/03/2026\r\nSamedi public = public\r\n"));

        // The next time one of them is chosen, the kept details are proposed.
        fixture_->dialogs.ScriptEventDetails(std::nullopt);
        Page()->List().DetailsView()->clearSelection();
        SelectAllAndMakeDossier();
        QCOMPARE(fixture_->dialogs.eventRequests.at(2).first, Typed(proposed));
    }

    void noViewerIsTold() {
        fixture_->desktop.succeeds = false;
        fixture_->dialogs.ScriptEventDetails(Typed(EventDetails{
            "Fête",
            {},
            {},
            {},
            {},
            {},
            {},
            {},
            {},
            {},
            {},
            {},
            {{"Dimanche", Audience::Public, ""}, {"Samedi acteurs", Audience::Public, ""}}}));
        fixture_->dialogs.ScriptAnswers({MessageAnswer::Ok});
        SelectAllAndMakeDossier();
        QCOMPARE(fixture_->dialogs.messages.size(), std::size_t{1});
        QVERIFY(QString::fromStdString(fixture_->dialogs.messages[0].text)
                    .contains("Aucun lecteur de PDF n'a pu l'ouvrir"));
        QVERIFY(QFile::exists(Dossiers() + "Fête.pdf"));
    }

    // A dossier that cannot be written keeps what was typed for the next try.
    void typedDetailsOutliveAFailure() {
        WriteAll(QDir::fromNativeSeparators(Dossiers()).chopped(1), "a file in the folder's place");
        const EventDetails typed = Typed(EventDetails{
            "Fête",
            {},
            {},
            {},
            {},
            {},
            {},
            {},
            {},
            {},
            {},
            {},
            {{"Dimanche", Audience::Public, ""}, {"Samedi acteurs", Audience::Public, ""}}});
        fixture_->dialogs.ScriptEventDetails(typed);
        fixture_->dialogs.ScriptAnswers({MessageAnswer::Ok});
        SelectAllAndMakeDossier();
        QVERIFY(QString::fromStdString(fixture_->dialogs.messages.at(0).text)
                    .startsWith("Le dossier « Mes Dossiers DPS » n'a pas pu être créé"));
        fixture_->dialogs.ScriptEventDetails(std::nullopt);
        SelectAllAndMakeDossier();
        EventDetails again = typed;
        again.evaluations.push_back({"Samedi public", Audience::Public, ""});
        const EventDetails& proposed = fixture_->dialogs.eventRequests.at(1).first;
        QCOMPARE(proposed.name, again.name);
        QCOMPARE(proposed.evaluations, again.evaluations);
        QCOMPARE(proposed, again);
        QVERIFY(fixture_->desktop.opened.isEmpty());
    }

    void fromTheGridOnceSaved() {
        QAction* command = fixture_->Window()->Command(121);
        fixture_->dialogs.ScriptFiles({Evaluations() + "Dimanche.ini"});
        fixture_->Window()->Command(1)->trigger();
        fixture_->dialogs.ScriptEventDetails(std::nullopt);
        command->trigger();
        QCOMPARE(fixture_->dialogs.eventRequests.size(), std::size_t{1});
        QCOMPARE(fixture_->dialogs.eventRequests.at(0).first.evaluations,
                 (std::vector<EventEvaluation>{{"Dimanche", Audience::Public, ""}}));

        // Changed since it was opened: not as saved.
        QTest::keyClicks(fixture_->Control<QLineEdit>("P1Field"), "0");
        fixture_->dialogs.ScriptAnswers({MessageAnswer::Ok});
        command->trigger();
        QCOMPARE(fixture_->dialogs.eventRequests.size(), std::size_t{1});
        QVERIFY(QString::fromStdString(fixture_->dialogs.messages.at(0).text)
                    .startsWith("Le dossier reprend des évaluations enregistrées"));
    }
};

QTEST_MAIN(TestDossierCommands)
#include "test_dossier_commands.moc"
